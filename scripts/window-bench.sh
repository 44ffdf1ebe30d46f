#!/usr/bin/env bash
# Measures the course window (not a test): launch to the first drawn frame of
# the main movie with a complete installation, memory (PSS) of the program
# with its web processes while a still 30 fps movie plays, and the CPU that
# playing takes. Uses the normal build (build/, or the build folder given as
# the argument), the reference service on a free port and a virtual display
# of its own. Prints each launch, their median, the timed start-up steps of
# the median launch (VANTO_TRACE), and the figures.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
build=$(cd "${1:-build}" && pwd)
[ -x "$build/bin/Vanto" ] && [ -d "$build/bin/player" ] || { echo "build first: bash scripts/setup.sh" >&2; exit 1; }

work=$(mktemp -d /tmp/vanto-window-bench.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
for n in $(seq 140 400); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { display=:$n; break; }; done
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done

# The demo course with a still movie as the main movie.
haxe -cp tests/ui/movies -main StillMovie -swf "$work/still.swf" -swf-version 10 \
  -swf-header 960:600:30:FFFFFF
cp -r "$build/course" "$work/course"
cp "$work/still.swf" "$work/course/Vanto.swf"
port=$(free_port)
"$build/service/vanto-service" --port "$port" --root "$work/course" --db "$work/accounts.db" \
  --quiet 2>/dev/null & pids+=($!)
for _ in $(seq 1 100); do curl -sf -o /dev/null "http://127.0.0.1:$port/popup.htm" && break; sleep 0.1; done

install="$work/VantoPelko"
mkdir -p "$install"
cp -r "$build/bin/Vanto" "$build/bin/player" "$install/"
cp "$build/course/list.txt" "$install/"
base="http://127.0.0.1:$port"
printf '[hosts]\nmirror0=%s\nmirror1=%s\nmirror2=%s\nmirror3=%s\naccount=%s\nsite=%s\n' \
  "$base" "$base" "$base" "$base" "$base" "$base" >"$install/service.ini"

now_ms() { date +%s%3N; }
# Starts the host ($host); waits for its first drawn frame ($elapsed ms).
launch() {
  : >"$work/trace.log"
  local start
  start=$(now_ms)
  (cd "$install" && DISPLAY=$display VANTO_TRACE=1 XDG_RUNTIME_DIR=$work exec ./Vanto) \
    >"$work/trace.log" 2>&1 &
  host=$!
  for _ in $(seq 1 1200); do
    grep -q "^Page	frame" "$work/trace.log" && break
    sleep 0.02
  done
  elapsed=$(($(now_ms) - start))
}
# The first SIGTERM closes the main window as its close box does; the exit
# notice window that follows waits for the family, so a second one ends it.
stop_host() {
  kill "$host" 2>/dev/null || true
  for _ in $(seq 1 50); do kill -0 "$host" 2>/dev/null || break; sleep 0.1; done
  kill "$host" 2>/dev/null || true
  wait "$host" 2>/dev/null || true
}

launch  # the first start downloads the course: now it is complete
stop_host
echo "launch to first frame (complete installation, cold web process):"
runs=()
for run in 1 2 3; do
  launch
  echo "  run $run: $elapsed ms"
  runs+=("$elapsed")
  cp "$work/trace.log" "$work/trace-$elapsed.log"
  [ $run = 3 ] || stop_host
done
median=$(printf '%s\n' "${runs[@]}" | sort -n | sed -n 2p)
echo "median of 3: $median ms (target <= 2000)"
echo "start-up steps of the median launch (ms since the program started):"
awk -F'\t' '$1 == "Step" { printf "  %6d  %s\n", $2, $3 }' "$work/trace-$median.log"

# The host and its web processes, while the still movie plays.
family() {
  local all=("$1") queue=("$1")
  while [ ${#queue[@]} -gt 0 ]; do
    local p=${queue[0]}
    queue=("${queue[@]:1}")
    for c in $(pgrep -P "$p" || true); do all+=("$c"); queue+=("$c"); done
  done
  echo "${all[@]}"
}
sleep 3
procs=$(family "$host")
pss=0
for p in $procs; do
  kb=$(awk '/^Pss:/ {print $2}' "/proc/$p/smaps_rollup" 2>/dev/null || echo 0)
  printf '  %-24s %6d MiB\n' "$(cat /proc/$p/comm)" $((kb / 1024))
  pss=$((pss + kb))
done
echo "memory (PSS) of the program and its web processes: $((pss / 1024)) MiB (target <= 330)"

ticks() {
  local sum=0
  for p in $procs; do
    read -r -a f <"/proc/$p/stat" || continue
    sum=$((sum + f[13] + f[14]))
  done
  echo $sum
}
hz=$(getconf CLK_TCK)
t0=$(ticks)
sleep 10
t1=$(ticks)
echo "CPU while the still 30 fps movie plays: $(((t1 - t0) * 100 / (hz * 10)))% of one core (target: no higher than the build before a change, measured back to back)"
stop_host
