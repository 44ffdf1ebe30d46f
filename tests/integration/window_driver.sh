# Drives the course window on a virtual display against the reference service,
# with real mouse and keyboard input. Sourced by the course window scripts, which
# call driver_start first and start_host for each run of the program.
#
# usage (in the sourcing script): driver_start VANTO SERVICE COURSE_TREE SHOTS_FOLDER NAME
# Screenshots are kept as NAME-NN-screen.png in the shots folder; the scratch
# folder (program folder, traces, service database) is removed after a pass.

source "$(dirname "${BASH_SOURCE[0]}")/../support/service.sh"

driver_start() {
  vanto=$1 service=$2 course=$3 shots=$4 shot_prefix=$5
  [ -f "$course/list.txt" ] || { echo "the demo course is not generated (run scripts/setup.sh)"; exit 77; }
  for tool in Xvfb xdotool import sqlite3; do
    command -v $tool >/dev/null || { echo "$tool is missing"; exit 77; }
  done
  scratch=$(mktemp -d "/tmp/vanto-$shot_prefix.XXXXXX")
  program=$scratch/VantoPelko trace=$scratch/trace.log db=$scratch/accounts.db
  pids=() step=0 runs=0
  trap finish EXIT
  # The movie player's local store (the learner's identity) lives in the
  # user's data folder: one of the test's own, kept across its runs.
  export XDG_DATA_HOME=$scratch/data XDG_CACHE_HOME=$scratch/cache

  start_display
  "$service" adduser mum s3cret --db "$db" >/dev/null
  start_service "$service" "$scratch/service.log" --root "$course" --db "$db" --quiet || exit 1

  mkdir -p "$program"
  cp "$vanto" "$program/"
  cp -r "$(dirname "$vanto")/player" "$(dirname "$vanto")/libPuzzle.so" "$course/list.txt" "$program/"
  local base=$service_url
  printf '[hosts]\nmirror0=%s\nmirror1=%s\nmirror2=%s\nmirror3=%s\naccount=%s\nsite=%s\n' \
    "$base" "$base" "$base" "$base" "$base" "$base" >"$program/service.ini"
}

# A virtual display of the movie's own size, so that screen and movie
# coordinates agree in the window and in full screen; exports DISPLAY.
start_display() {
  Xvfb -displayfd 3 -screen 0 960x600x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(head -n 1 "$scratch/display")
}

finish() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ "${passed:-0}" = 1 ] && rm -rf "$scratch" || echo "kept $scratch"
}
fail() { echo "FAIL: $*"; tail -n 30 "$trace"; exit 1; }

# Starts the program in its folder with its trace on; each run traces into a
# file of its own ($trace).
start_host() {
  runs=$((runs + 1))
  trace=$scratch/trace-$runs.log marked=0
  (cd "$program" && VANTO_TRACE=1 XDG_RUNTIME_DIR="$program" exec ./Vanto 2>"$trace") &
  host=$!
  pids+=($host)
}

# Ends the program by its close box: the notice window comes up at the bottom
# right (x = 960 - 324) while the next day downloads; its close button ends the
# program once the download is done.
close_host() {
  kill -TERM $host
  for _ in $(seq 120); do
    xdotool search --onlyvisible --name '^VantoPelko$' getwindowgeometry --shell 2>/dev/null |
      grep -q '^X=636' && break
    sleep 0.5
  done
  shot notice
  click 937 251 1
  for _ in $(seq 900); do kill -0 $host 2>/dev/null || break; sleep 0.2; done
  kill -0 $host 2>/dev/null && fail "the host did not end after its notice window"
  wait $host || fail "the host ended with $?"
}

shot() { step=$((step + 1)); import -window root "$shots/$shot_prefix-$(printf %02d $step)-$1.png"; }
# Clicks at (x, y), then waits `seconds` (default 1.5); wait_line looks at what
# the program traces from the click on.
click() {
  marked=$(wc -l <"$trace")
  xdotool mousemove "$1" "$2" click 1
  sleep "${3:-1.5}"
}
drag() {
  xdotool mousemove "$1" "$2" mousedown 1; sleep 0.2
  xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)); sleep 0.1
  xdotool mousemove "$3" "$4"; sleep 0.2; xdotool mouseup 1; sleep 0.4
}
pixel() { convert x:root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o -m 1 '#[0-9A-F]\{6\}'; }
# Whether two colours #RRGGBB differ by at most 4 in each channel (blending
# may round either way).
near() {
  local i
  for i in 1 3 5; do
    (((16#${1:i:2} - 16#${2:i:2}) ** 2 <= 16)) || return 1
  done
}
# Waits until the screen shows `colour` at (x, y); `why` goes into the failure.
wait_pixel() {
  for _ in $(seq 150); do
    near "$(pixel "$1" "$2")" "$3" && return 0
    sleep 0.2
  done
  fail "no $3 at ($1, $2) but $(pixel "$1" "$2")${4:+: $4}"
}
seen() { grep -aqE "^FSCommand	$1" "$scratch"/trace-*.log; }
sent() { grep -acE "^FSCommand	$1" "$trace" || true; }
# Waits for the movie to send a command matching `pattern` (its n-th, default the first).
wait_for() {
  for _ in $(seq 300); do
    [ "$(sent "$1")" -ge "${2:-1}" ] && return 0
    sleep 0.2
  done
  fail "the movie never sent \"$1\""
}
# Waits for a trace line matching `pattern` since the last click.
wait_line() {
  for _ in $(seq 300); do
    [ "$(tail -n +$((marked + 1)) "$trace" | grep -acE "^$1")" != 0 ] && return 0
    sleep 0.2
  done
  fail "the program never traced \"$1\""
}
learner() { grep -aohE "^FSCommand	(new)?user	[0-9]+" "$scratch"/trace-*.log | tail -n 1 | cut -f3; }
account() { sqlite3 "$db" "select $1 from learners where uid = $(learner)"; }
