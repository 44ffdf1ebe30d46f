#!/usr/bin/env bash
# Two study days in the course window, driven by real mouse input on a virtual
# display, against the reference service. The first day: home, the cards, the
# pictures and strokes, follow-me-read with the microphone, the quiz with a
# wrong and a right answer, the day's report, home with the day done, close.
# Then the stored dates are moved back a day, as if the night had passed, and
# on the second day the child reviews the first one from the calendar (the
# same lessons and quiz, not counted as a day), back home, close. Checks the
# character counters ("list.dat"), the study file and the service's account;
# keeps a screenshot of every screen as study-day-NN-name.png in the shots folder.
#
# usage: course_study_day_window.sh VANTO VANTO_STATUS SERVICE COURSE_TREE SHOTS_FOLDER
set -euo pipefail
source "$(dirname "$0")/window_driver.sh"
source "$(dirname "$0")/study_steps.sh"
status_tool=$2
driver_start "$1" "$3" "$4" "$5" study-day

# A key's value in the study section of "Vanto.ini" (the only section with these keys).
study_key() { tr -d '\r' <"$program/Vanto.ini" | sed -n "s/^$1=//p" | sed -n 1p; }
# Character index i of the course, as "list.txt" gives it.
character() { sed -n "$(($1 + 1))p" "$program/list.txt" | cut -f1; }
# --- the first day -----------------------------------------------------------
start_host
wait_for "newuser	"
wait_pixel 65 200 "#FFFFFF" "today's characters on the home screen"
sleep 1
shot home
click 480 440 0 # today's lesson
lessons ""
today=$first_card
[ "$today" = "$(character 0)" ] || fail "the first day does not start at the course's first character"
wait_for "SKSZ	finish"
wait_for "SKSZ	end"
wait_for "ceping	begin"
sleep 2
shot report
click 860 510 0
wait_for "ceping	end"
wait_pixel 570 360 "#FFD23F" "the star of a finished day"
shot home-day-done
[ "$(account review)" = 1 ] || fail "the service did not get the finished day"
close_host
first_uid=$(learner)
[ "$(study_key day),$(study_key review)" = "0,1" ] || fail "the finished first day is not in Vanto.ini"
counters=$("$status_tool" "$program")
echo "$counters"
grep -q "learned 6, fallible [2-9]" <<<"$counters" || fail "the answers were not counted"
grep -q "not studied 1194" <<<"$counters" || fail "the studied characters were not counted"

# --- the next day: a review of the first one ----------------------------------
yesterday=$(date -d yesterday +%Y%m%d)
sed -i "s/^today=[0-9]*/today=$yesterday/" "$program/Vanto.ini"
sqlite3 "$db" "update learners set today = $yesterday"
start_host
wait_for "user	$first_uid[+]"
wait_pixel 65 200 "#FFFFFF" "today's characters on the home screen"
sleep 1
shot next-day-home
[ "$(texts config_CSHZ.xml text | sed -n 1p)" = "$(character 6)" ] ||
  fail "the second day does not go on with the course's seventh character"
click 190 455 0 # the calendar: yesterday's leaf
wait_line "Served	/course/zjfx.xml"
sleep 1
shot calendar
click 200 230 0 # yesterday's leaf: the first day's lessons again, and home
wait_for "fuxi	1"
lessons review-
[ "$first_card" = "$today" ] || fail "the review showed $first_card, not the first day's $today"
wait_for "fuxi	0"
wait_line "Served	/course/config_GDLX.xml"
wait_pixel 65 200 "#FFFFFF" "today's characters on the home screen"
shot next-day-home-again
[ "$(texts config_CSHZ.xml text | sed -n 1p)" = "$(character 6)" ] || fail "today's lesson did not come back"
[ "$(sent SKSZ)" = 0 ] || fail "the review was recorded as a study day"
close_host
[ "$(study_key day),$(study_key review)" = "1,0" ] || fail "the open second day is not in Vanto.ini"
[ "$(account day),$(account review)" = "1,0" ] || fail "the service holds day $(account day)"
grep -q "not studied 1194" <<<"$("$status_tool" "$program")" || fail "the review counted as a day"
for command in newuser user microphone sz_t sz_f SKSZ ceping fuxi Chapters; do
  seen "$command" || fail "the movies never sent $command"
done
passed=1
echo "passed with $(cat "$scratch"/trace-*.log | grep -ac $'^FSCommand\tsz_f') wrong answers;" \
  "screenshots in $shots/study-day-*.png"
