#!/usr/bin/env bash
# Sets up, checks the layout of the C++ files (.clang-format) and that no
# units include each other in a circle, builds, and
# runs every test twice: in the normal build (build/) and in a build with
# address and undefined-behaviour sanitizers (build-asan/).
# Last, alone, the test of the Debian packages (normal build only): it builds
# them and installs them on this machine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
jobs=$(nproc)

scripts/setup.sh
scripts/check-format.sh
python3 tools/include_cycles.py

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTO_SANITIZE=ON \
  -DVANTO_TESTS=ON -DVANTO_BENCH=OFF -DVANTO_GUI=ON >/dev/null
cmake --build build-asan -j"$jobs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The window tests drive a real web engine and Flash player on a virtual
# display, two at a time on a small machine; a test that fails is run once
# more, alone in its slot, and fails the run only when it fails again (its
# first failure stays in the log).
echo "== tests (normal build) =="
ctest --test-dir build --output-on-failure -j"$jobs" --timeout 300 -LE system_packages \
  --repeat until-pass:2
echo "== tests (sanitizer build) =="
ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 600 --repeat until-pass:2
echo "== the Debian packages (normal build) =="
ctest --test-dir build --output-on-failure -L system_packages
