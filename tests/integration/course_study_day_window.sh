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
status_tool=$2
driver_start "$1" "$3" "$4" "$5" study-day

# A key's value in the study section of "Vanto.ini" (the only section with these keys).
study_key() { tr -d '\r' <"$program/Vanto.ini" | sed -n "s/^$1=//p" | sed -n 1p; }
# Character index i of the course, as "list.txt" gives it.
character() { sed -n "$(($1 + 1))p" "$program/list.txt" | cut -f1; }
# The texts of `element` in a document of the program folder, one a line.
texts() { grep -o "<$2[^>]*>[^<]*</$2>" "$program/$1" | sed 's/<[^>]*>//g'; }
# Waits for the screen whose progress dots show item `i` of `count` as current.
wait_item() { wait_pixel $(((960 - 34 * ($2 - 1)) / 2 + 34 * $1)) 40 "#FFD23F" "${3:-item $1 of $2}"; }
# Steps through a lesson of `count` screens by its next arrow at (x, y), from
# screen `from` (default 0) to its last.
step_through() {
  local i
  for i in $(seq $((${4:-0} + 1)) $(($1 - 1))); do
    click "$2" "$3" 0
    wait_item "$i" "$1"
  done
}
# The centres of the quiz's four tiles, the one most like `text` first: each
# tile's ink and the text set in the player's font are cut to their outlines,
# scaled to one size and compared.
tile_order() {
  local k font=/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc
  convert -font $font -pointsize 115 label:"$1" -threshold 50% -trim +repage -resize '48x48!' \
    "$scratch/wanted.png"
  import -window root "$scratch/quiz.png"
  for k in 0 1 2 3; do
    convert "$scratch/quiz.png" -crop "150x150+$((105 + 200 * k))+330" +repage -colorspace gray \
      -threshold 50% -trim +repage -resize '48x48!' "$scratch/tile.png"
    echo "$(compare -metric RMSE "$scratch/wanted.png" "$scratch/tile.png" null: 2>&1 | cut -d' ' -f1)" \
      $((180 + 200 * k))
  done | sort -g | cut -d' ' -f2 | paste -sd' ' -
}

# Works through a day's lessons once the first one is asked for: the cards,
# the pictures and strokes, follow-me-read with the microphone (with or without
# a device) and the quiz. Screenshots are named with the prefix `tag`; the
# character of the first card is left in `first_card`.
lessons() {
  local tag=$1 cards items readings questions q right order tile x wrong
  wait_line "Served	/course/config_CSHZ.xml"
  cards=$(texts config_CSHZ.xml text | wc -l)
  first_card=$(texts config_CSHZ.xml text | sed -n 1p)
  wait_item 0 "$cards"
  shot "${tag}cards"
  step_through "$cards" 840 420
  click 840 420 0
  wait_line "Served	/course/config_SKSZ.xml"
  items=$(grep -c "<item" "$program/config_SKSZ.xml")
  wait_item 0 "$items"
  sleep 2
  shot "${tag}strokes"
  click 850 450 0
  wait_item 1 "$items"
  sleep 1
  shot "${tag}picture"
  step_through "$items" 850 450 1
  click 850 450 0
  wait_line "Served	/course/config_GDLX.xml"
  readings=$(grep -c "<item" "$program/config_GDLX.xml")
  wait_item 0 "$readings"
  click 680 220 0.5
  wait_for "microphone	open" $(($(sent "microphone	close") + 1))
  shot "${tag}microphone"
  wait_for "microphone	close" $(sent "microphone	open")
  sleep 2
  shot "${tag}microphone-done"
  step_through "$readings" 850 480

  # The quiz's tiles come in random order, so each is told by its picture.
  click 850 480 0
  wait_line "Served	/course/game.xml"
  questions=$(grep -c "<item>" "$program/game.xml")
  wait_pixel 110 340 "#FFFFFF" "the quiz's tiles"
  wrong=$(sent "sz_f")
  for q in $(seq 0 $((questions - 1))); do
    wait_item "$q" "$questions" "question $((q + 1))"
    sleep 0.5
    [ "$q" = 0 ] && shot "${tag}quiz"
    right=$(awk -v q=$q '/<item>/ { n++ } n == q + 1 && /flag=.1./' "$program/game.xml" |
      sed 's/<[^>]*>//g' | tr -d '\r')
    order=$(tile_order "$right")
    if [ "$(sent "sz_f")" = "$wrong" ]; then # one wrong answer: the tile least like the right one
      x=${order##* }
      click "$x" 405 0
      wait_line "FSCommand	sz_"
      if [ "$(sent "sz_f")" -gt "$wrong" ]; then
        wait_pixel $((x - 70)) 335 "#A9A9A9" "a wrong tile turns grey"
        shot "${tag}quiz-wrong"
      fi
    fi
    for tile in $order; do
      [ "$(sent "sz_t")" -gt "$q" ] && break
      x=$tile
      click "$x" 405 0
      wait_line "FSCommand	sz_"
    done
    [ "$(grep -a $'^FSCommand\tsz_t' "$trace" | tail -n 1 | cut -f3)" = "$right" ] ||
      fail "question $((q + 1)) took another character for $right"
    wait_pixel $((x - 70)) 335 "#67C461" "the right tile turns green"
    [ "$q" = 0 ] && shot "${tag}quiz-right"
  done
  [ "$(sent "sz_f")" -gt "$wrong" ] || fail "no wrong answer was given"
}

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
