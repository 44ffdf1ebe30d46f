# A study day's lessons in the course window, driven by mouse on a virtual
# display: the cards, the pictures and strokes, follow-me-read and the quiz.
# Sourced after window_driver.sh by the window tests that study; they use
# $program (the program folder of the run) and $trace.

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

# Waits until the tile at x turns green for the right answer to question q
# of `count`, or, when the machine is slow to look, until the quiz has moved
# on to the next question (only a right answer moves it on).
wait_right_tile() {
  local next_dot=$(((960 - 34 * ($3 - 1)) / 2 + 34 * ($2 + 1)))
  for _ in $(seq 150); do
    near "$(pixel $(($1 - 70)) 335)" "#67C461" && return 0
    [ "$2" -lt $(($3 - 1)) ] && near "$(pixel $next_dot 40)" "#FFD23F" && return 0
    sleep 0.2
  done
  fail "the right tile of question $(($2 + 1)) did not turn green"
}

# Works through a day's lessons once the first one is asked for: the cards,
# the pictures and strokes, follow-me-read with the microphone (with or without
# a device) and the quiz, with one wrong answer unless `right_answers_only` is
# 1. Screenshots are named with the prefix `tag`; the character of the first
# card is left in `first_card`.
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
    # One wrong answer: the tile least like the right one.
    if [ "${right_answers_only:-0}" = 0 ] && [ "$(sent "sz_f")" = "$wrong" ]; then
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
    wait_right_tile "$x" "$q" "$questions"
    [ "$q" = 0 ] && shot "${tag}quiz-right"
  done
  [ "${right_answers_only:-0}" = 1 ] || [ "$(sent "sz_f")" -gt "$wrong" ] ||
    fail "no wrong answer was given"
}
