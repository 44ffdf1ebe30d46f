#!/usr/bin/env bash
# The movies around the study day in the course window, driven by real mouse and
# keyboard input on a virtual display, against the reference service: the parents'
# area (sign-in, statistics, a chapter change the service confirms, back to the
# child), a story with its game, a magic card earned and spent, a mini-game round,
# the picture puzzle, leaving the game room, and a character's stroke animation.
# Checks the host's files and the service's state; keeps a screenshot of every
# screen as activities-NN-name.png in the shots folder.
#
# usage: course_activities_window.sh VANTO SERVICE COURSE_TREE SHOTS_FOLDER
set -euo pipefail
source "$(dirname "$0")/window_driver.sh"
driver_start "$1" "$2" "$3" "$4" activities

# --- the run ---------------------------------------------------------------
start_host
wait_for "(new)?user	"
sleep 2
shot home

click 850 480 4 # the parents' door
wait_for "CookieUser	$(learner)"
wait_for "parentC	begin"
shot parents-statistics
click 520 105 2 # account page: the parent's name and password
# The player takes the keys in after the X server: under load a click typed
# right behind them can overtake the last ones, so each field gets a moment.
click 300 220 0.5
xdotool type --delay 80 mum
sleep 1
click 300 280 0.5
xdotool type --delay 80 s3cret
sleep 1
shot parents-account
click 250 357
wait_for "parent	mum\|s3cret"
click 320 105 3 # chapters page: the third chapter, confirmed
shot parents-chapters
click 795 341
shot parents-confirm
asked=$(grep -ac $'^FSCommand\tChapters' "$trace")
click 370 388
wait_for "currentChapter	2"
wait_for "Chapters	begin" $((asked + 1))
sleep 2
shot parents-chapter-changed
[ "$(account chapter)" = 2 ] || fail "the service holds chapter $(account chapter), not 2"
grep -q "isCurrent='true'" "$program/Chapter2.xml" || fail "Chapter2.xml is not the current chapter"
click 710 44 # leave full screen, then back to the child
wait_for "vanto	restart"
click 866 44 3
wait_for "kid"
shot home-chapter-3

click 700 460 3 # the story island, the story, its pages and its game
shot island
click 480 260 3
wait_for "gushi	0"
wait_for "Synopsis"
shot story-title
for _ in 1 2 3 4 5 6; do click 880 300 1.2; done
sleep 1
shot story-game
hint=$(pixel 455 142)
for _ in $(seq 12); do
  for x in 260 407 553 700; do
    if [ "$(pixel $((x - 25)) 318)" = "$hint" ]; then click $x 343 1; break; fi
  done
  sleep 1.5
  seen addMofa && break
done
wait_for "endMofa"
sleep 2
shot magic-card-earned
account mofa | grep -q 1 || fail "the service did not get the earned card: $(account mofa)"
card=$(grep -a $'^FSCommand\taddMofa' "$trace" | tail -n 1 | cut -f3)
click 840 460 2
shot story-preview
click 880 300 3
click 140 480 3 # the card shelf: use the card
shot card-shelf
click $((150 + card % 5 * 140 + 60)) $((40 + card / 5 * 270 + 80)) 3
wait_for "subMofa	$card"
shot card-used
click 480 560 2
click 58 58 3
wait_for "endMofa" 2
[ "$(account mofa)" = "0,0,0,0,0,0,0,0,0,0," ] || fail "the used card is still counted: $(account mofa)"

click 850 490 5 # the game room
wait_for "game	begin"
shot game-room
click 220 200 4 # the mouse game: one round, touching the targets until its star shows
wait_for "mouse	begin"
shot mouse-game
for _ in $(seq 30); do
  [ "$(pixel 480 250)" = "#FFD23F" ] && break
  for x in 180 380 580 780; do click $x 360 0.7; done
done
[ "$(pixel 480 250)" = "#FFD23F" ] || fail "the mouse game round did not end"
shot mouse-round-done
grep -q "<item>" "$program/hlg/mouse/config_mouse.xml" || fail "no mouse game document"
click 630 500 3
click 610 420 # the puzzle: every piece dragged from beside the board to its place
wait_for "puzzle	3"
sleep 3
shot puzzle
grep -o '<puzzle [^>]*>\|<piece [^>]*>' "$program/hlg/puzzle/puzzle.xml" | awk '
  function attr(name) { match($0, " " name "=\"[0-9]+\""); return substr($0, RSTART + length(name) + 3, RLENGTH - length(name) - 4) + 0 }
  /^<puzzle/ { cols = attr("cols"); count = cols * attr("rows"); scale = 400 / attr("width")
               if (400 / attr("height") < scale) scale = 400 / attr("height"); next }
  { slot = count - 1 - attr("id")
    print 510 + slot % cols * 140 + 20, 110 + int(slot / cols) * 150 + 20,
          int(60 + attr("x") * scale + 20), int(130 + attr("y") * scale + 20) }' |
  while read -r x y to_x to_y; do drag "$x" "$y" "$to_x" "$to_y"; done
sleep 2
shot puzzle-solved
[ "$(pixel 600 170)" = "#FFD23F" ] || fail "the puzzle was not solved"
click 58 58 3 # out of the puzzle and the game room: the cheer, then the course again
wait_for "puzzle	exit"
click 58 58 2
wait_for "game	quit"
shot cheer
wait_for "quit"
sleep 3
shot home-again

click 480 440 3 # today's lesson to its stroke movies: the first character is written
click 120 250 3
click 800 300
for _ in 1 2 3 4 5 6; do click 840 420 1.2; done
sleep 1
shot strokes
import -window root -crop 400x400+280+100 "$scratch/strokes-a.png"
sleep 1
import -window root -crop 400x400+280+100 "$scratch/strokes-b.png"
shot strokes-later
[ "$(compare -metric AE "$scratch/strokes-a.png" "$scratch/strokes-b.png" null: 2>&1)" != 0 ] ||
  fail "the stroke movie does not move"

close_host
grep -q "name=mum" "$program/Vanto.ini" || fail "the parent's sign-in was not kept"
for command in Chapters parentC CookieUser parent currentChapter vanto kid gushi Synopsis \
  addMofa endMofa subMofa game mouse puzzle quit; do
  seen "$command" || fail "the movies never sent $command"
done
passed=1
echo "passed; screenshots in $shots/activities-*.png"
