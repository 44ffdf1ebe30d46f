#!/usr/bin/env bash
# Builds every benchmark program (bench/*.cpp) in an optimised tree
# (build-bench/) and runs them one after another. Arguments are passed to
# every program (for example --benchmark_filter=...).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
jobs=$(nproc)

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTO_BENCH=ON \
  -DVANTO_TESTS=OFF -DVANTO_SANITIZE=OFF >/dev/null
cmake --build build-bench --target bench_all -j"$jobs"

status=0
for program in build-bench/bench/programs/*; do
  [[ -f "$program" && -x "$program" ]] || continue
  echo "== $(basename "$program") =="
  "$program" "$@" || status=1
done
exit $status
