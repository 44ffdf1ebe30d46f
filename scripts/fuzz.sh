#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (build-fuzz/) and runs each
# for a while over its seed corpus, then prints the executions of each.
# Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
seconds=${1:-30}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTO_FUZZ=ON -DVANTO_TESTS=ON -DVANTO_BENCH=OFF -DVANTO_SERVICE=ON -DVANTO_GUI=OFF >/dev/null
targets=$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
# shellcheck disable=SC2086
cmake --build build-fuzz --target $targets -j"$(nproc)"

failed=""
for target in $targets; do
  name=${target#fuzz_}
  work="build-fuzz/corpus/$name"
  mkdir -p "$work"
  echo "== $target ($seconds s) =="
  status=0
  "build-fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="build-fuzz/$name-" "$work" "fuzz/corpus/$name" >"build-fuzz/$name.log" 2>&1 ||
    status=$?
  grep -E "^(#[0-9]+[[:space:]]+DONE|==[0-9]+==ERROR|SUMMARY)" "build-fuzz/$name.log" || true
  [ "$status" -eq 0 ] || failed="$failed $name"
done

echo "== executions in $seconds s each =="
for target in $targets; do
  name=${target#fuzz_}
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/$name.log")
  printf '%-16s %s\n' "$name" "${runs:-none (see build-fuzz/$name.log)}"
done
if [ -n "$failed" ]; then
  echo "failed:$failed (inputs in build-fuzz/, output in build-fuzz/<name>.log)" >&2
  exit 1
fi
