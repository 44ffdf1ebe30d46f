#!/usr/bin/env bash
# Installs what the build needs (Debian 12), then configures and builds the
# programs, tests and benchmarks in build/. Safe to run again.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

packages=$(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' scripts/packages.txt | tr '\n' ' ')
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "setup: installing:$missing"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends $missing
fi

if [ -x scripts/setup-extra.sh ]; then scripts/setup-extra.sh; fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTO_TESTS=ON -DVANTO_BENCH=ON -DVANTO_GUI=ON >/dev/null
cmake --build build -j"$(nproc)"
