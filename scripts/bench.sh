#!/usr/bin/env bash
# Builds every benchmark program (bench/*.cpp) in an optimised tree
# (build-bench/) and runs them one after another, then repeats the ratio
# lines in one summary. The load average before and after tells how busy the
# machine was: the ratios compare with references measured in the same run,
# but work that needs both cores gains less while other programs use them.
# Arguments are passed to every program (for example --benchmark_filter=...).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
jobs=$(nproc)

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTO_BENCH=ON \
  -DVANTO_TESTS=OFF -DVANTO_SANITIZE=OFF >/dev/null
cmake --build build-bench --target bench_all -j"$jobs"

# The benchmark trees are kept in memory (/dev/shm) where the machine has it.
# Every program creates thousands of files and removes them at its end; on a
# disk without a journal each file created within half a minute of such a
# removal first skips over the freed inodes, a cost that varies from run to
# run and with other programs' work and would swamp what is measured. The
# references and the worker always share one folder.
if [[ -z "${TMPDIR:-}" && -d /dev/shm && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi

load_average() { cut -d' ' -f1-3 /proc/loadavg; }
output=$(mktemp)
trap 'rm -f "$output"' EXIT
echo "machine: $(nproc) cores; load average before: $(load_average)"
status=0
for program in build-bench/bench/programs/*; do
  [[ -f "$program" && -x "$program" ]] || continue
  echo "== $(basename "$program") =="
  "$program" "$@" | tee -a "$output" || status=1
done
echo "== summary =="
grep -h "ratio" "$output" || true
echo "load average after: $(load_average)"
exit $status
