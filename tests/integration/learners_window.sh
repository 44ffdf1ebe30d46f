#!/usr/bin/env bash
# Two learners on one computer account, driven by real mouse input on a
# virtual display, through the launcher "vanto" of an installation made in a
# scratch folder, against the reference service. In the learners' window two
# learners are added by mouse; each one picks their picture, studies the day
# (the cards to the quiz) in the course window and closes it. Afterwards each
# one's profile, record file and service account are their own, and the
# second learner's first start asked the service for less than a tenth of
# what the first one's did (its course files are the first one's, linked).
# Screenshots of the window with one, two and five learners and with a
# learner studying land in the shots folder as learners-NN-name.png.
#
# usage: learners_window.sh BIN_FOLDER PUZZLE_PLUGIN SERVICE COURSE_TREE SHOTS_FOLDER LAUNCHER_FOLDER
# (BIN_FOLDER holds Vanto, vanto-picker and the player; LAUNCHER_FOLDER the
# configured scripts vanto and prepare-installation.)
set -euo pipefail
source "$(dirname "$0")/window_driver.sh"
source "$(dirname "$0")/study_steps.sh"
bin=$1 puzzle=$2 service=$3 course=$4 shots=$5 launchers=$6

[ -f "$course/list.txt" ] || { echo "the demo course is not generated (run scripts/setup.sh)"; exit 77; }
for tool in Xvfb xdotool import sqlite3; do
  command -v $tool >/dev/null || { echo "$tool is missing"; exit 77; }
done
shot_prefix=learners
scratch=$(mktemp -d /tmp/vanto-learners.XXXXXX)
db=$scratch/accounts.db trace=/dev/null
pids=() step=0 runs=0
trap finish EXIT
export XDG_DATA_HOME=$scratch/data XDG_CACHE_HOME=$scratch/cache XDG_RUNTIME_DIR=$scratch/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_display
"$service" adduser mum s3cret --db "$db" >/dev/null
start_service "$service" "$scratch/service.log" --root "$course" --db "$db" || exit 1
port=$service_port

# The system's copy of the course, as the package installs it.
system=$scratch/system
mkdir -p "$system" "$scratch/etc"
cp "$bin/Vanto" "$bin/vanto-picker" "$puzzle" "$course/list.txt" "$system/"
cp -r "$bin/player" "$system/"
base=http://127.0.0.1:$port
printf '[hosts]\nmirror0=%s\nmirror1=%s\nmirror2=%s\nmirror3=%s\naccount=%s\nsite=%s\n' \
  "$base" "$base" "$base" "$base" "$base" "$base" >"$scratch/etc/service.ini"
sed "s|^system=.*|system=$system|" "$launchers/vanto" >"$scratch/vanto"
sed -e "s|^system=.*|system=$system|" -e "s|^hosts=.*|hosts=$scratch/etc/service.ini|" \
  "$launchers/prepare-installation" >"$system/prepare-installation"
chmod +x "$scratch/vanto" "$system/prepare-installation"
learners=$XDG_DATA_HOME/vanto/learners

# Starts the launcher with its trace on; the picker's and then the course's
# trace go to $trace.
start_vanto() {
  runs=$((runs + 1))
  trace=$scratch/trace-$runs.log marked=0
  VANTO_TRACE=1 "$scratch/vanto" "$@" 2>"$trace" &
  host=$!
  pids+=($host)
}
# The screen centre of a control the picker traced: "x y".
where() {
  for _ in $(seq 100); do
    local line
    line=$(grep -a "^$1	$2	" "$trace" | tail -n 1 || true)
    [ -n "$line" ] && { cut -f3,4 <<<"$line" | tr '\t' ' '; return; }
    sleep 0.2
  done
  fail "the $1 window never showed \"$2\""
}
press() { # press WINDOW CONTROL: clicks a traced control
  local spot
  spot=$(where "$1" "$2")
  click ${spot% *} ${spot#* } 1
}
# Adds a learner through the picker: the add button, the name typed, a picture.
add_learner() {
  local traced
  traced=$(grep -ac "^Picker	learner " "$trace" || true)
  press Picker add
  press AddLearner name
  xdotool type --delay 80 "$1"
  press AddLearner "picture $2"
  shot "add-$1"
  press AddLearner add
  for _ in $(seq 50); do
    grep -aq "^Picker	learner $1	" "$trace" && return
    sleep 0.2
  done
  fail "the learner $1 did not appear in the picker"
}
requests() { wc -l <"$scratch/service.log"; }
folder_of() { grep -l "^name=$1\$" "$learners"/*/learner.txt | xargs dirname; }

# One learner's day: the picture picked, the course's home screen, the lessons
# to the quiz, close. Leaves the requests of the first start to the home screen
# in `start_requests`.
study_day() {
  local before
  program=$(folder_of "$1")
  before=$(requests)
  press Picker "learner $1"
  wait_for "newuser	"
  wait_pixel 65 200 "#FFFFFF" "today's characters on the home screen"
  start_requests=$(($(requests) - before))
  shot "home-$1"
  click 480 440 0 # today's lesson
  lessons "$1-"
  wait_for "SKSZ	finish"
  close_host
}

# --- two learners made in the picker ----------------------------------------
start_vanto --learners
where Picker add >/dev/null
sleep 1
shot none
add_learner Anna 2
shot one
add_learner Ben 5
shot two

# --- each one studies ----------------------------------------------------------
first_log=$(requests)
study_day Anna
anna_requests=$start_requests
anna_bytes=$(tail -n +$((first_log + 1)) "$scratch/service.log" | awk '{ n += $4 } END { print n }')

start_vanto
where Picker "learner Ben" >/dev/null
sleep 1
shot two-one-done
second_log=$(requests)
right_answers_only=1 study_day Ben
ben_requests=$start_requests
ben_bytes=$(tail -n +$((second_log + 1)) "$scratch/service.log" | awk '{ n += $4 } END { print n }')

# --- what each one has --------------------------------------------------------
anna=$(folder_of Anna) ben=$(folder_of Ben)
! cmp -s "$anna/list.dat" "$ben/list.dat" || fail "the two learners share one record"
[ "$(stat -c %i "$anna/Vanto.ini")" != "$(stat -c %i "$ben/Vanto.ini")" ] || fail "one profile for two"
for file in Vanto.ini Vanto.inf list.dat; do
  [ "$(stat -c %h "$anna/$file")" = 1 ] && [ "$(stat -c %h "$ben/$file")" = 1 ] ||
    fail "$file is linked between learners"
done
uids=$(grep -ahoE $'^FSCommand\tnewuser\t[0-9]+' "$scratch"/trace-*.log | cut -f3 | sort -u | wc -l)
[ "$uids" = 2 ] || fail "the learners do not have an account each ($uids)"
[ "$(sqlite3 "$db" "select count(*) from learners where review = 1")" = 2 ] ||
  fail "the service does not have both finished days"
[ $((ben_requests * 10)) -lt "$anna_requests" ] ||
  fail "the second learner's first start made $ben_requests requests, the first one's $anna_requests"

# --- the window with someone studying, and with five learners -----------------
# Ends a picker started by start_vanto (the launcher waits for it).
close_picker() {
  local picker
  picker=$(ps --ppid "$host" -o pid= | tr -d ' ')
  [ -n "$picker" ] && kill "$picker"
  wait "$host" || true
}
start_vanto
press Picker "learner Anna"
course_host=$host course_trace=$trace program=$anna
wait_for "user	"
start_vanto --learners
where Picker "studying Anna" >/dev/null
sleep 1
shot studying
close_picker
host=$course_host trace=$course_trace
close_host
start_vanto --learners
add_learner 小明 0
add_learner "Li Na" 3
add_learner Ola 7
shot five
close_picker

echo "requests to the home screen: first learner $anna_requests, second $ben_requests"
echo "bytes of the first day (start to close): first learner $anna_bytes, second $ben_bytes"
echo "disk: both folders $(du -sk "$anna" "$ben" | awk '{ n += $1 } END { print n }') KiB counted once," \
  "$(du -skl "$anna" "$ben" | awk '{ n += $1 } END { print n }') KiB with each link counted"
echo "files: first $(find "$anna" -type f | wc -l), shared with the second" \
  "$(find "$ben" -type f -links +1 | wc -l)"
passed=1
echo "passed; screenshots in $shots/learners-*.png"
