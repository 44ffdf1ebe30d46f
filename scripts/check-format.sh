#!/usr/bin/env bash
# Checks that every C++ file of the repository is laid out as .clang-format
# says; prints the files that are not. With --fix, rewrites them instead.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/vanto-format.$$; then
  sed -n 's/^\([^: ]*\):[0-9]*:[0-9]*: error:.*/not formatted: \1/p' /tmp/vanto-format.$$ |
    sort -u >&2
  rm -f /tmp/vanto-format.$$
  echo "run: bash scripts/check-format.sh --fix" >&2
  exit 1
fi
rm -f /tmp/vanto-format.$$
echo "format: ${#files[@]} files as .clang-format says"
