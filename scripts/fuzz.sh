#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (build-fuzz/) and runs each
# for a while over its seed corpus. Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
seconds=${1:-30}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTO_FUZZ=ON -DVANTO_TESTS=ON -DVANTO_BENCH=OFF -DVANTO_SERVICE=OFF >/dev/null
targets=$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
# shellcheck disable=SC2086
cmake --build build-fuzz --target $targets -j"$(nproc)"

for target in $targets; do
  name=${target#fuzz_}
  work="build-fuzz/corpus/$name"
  mkdir -p "$work"
  echo "== $target ($seconds s) =="
  "build-fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="build-fuzz/$name-" "$work" "fuzz/corpus/$name"
done
