#!/usr/bin/env bash
# The real program in a real X window: the introduction, then the menu; keys and
# the wheel change the layout settings and a typed name saves the project, which
# tells what the window received; a turn of a test play shows the headless
# runner's frame; the demonstration played with the inspector and recorded: F1
# shows the runner's panel, and the recording left by a close replays. Last,
# unsaved work outlives a kill: the next start asks in its own box whether to
# take it back.
# Usage: window_under_xvfb.sh ORVALDE RUN_FOLDER ORVALDE_HEADLESS
set -u
program=$1
run_folder=$2
headless=$3
work=$(mktemp -d)
# The program and the server too: should a check fail, neither may outlive
# the script and keep the test runner waiting.
trap 'kill ${pid:-} ${xvfb_pid:-} 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cp -r "$run_folder/Images" "$run_folder/Fonts" "$work/"
mkdir -p "$work/Projets"

# The server picks a free display itself and writes its number once ready, so
# that tests running side by side never share a server.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
kill -0 $xvfb_pid 2>/dev/null || fail "the X server did not start"
export DISPLAY=":$(head -n 1 "$work/display")"
xdpyinfo >/dev/null 2>&1 || fail "no X server on $DISPLAY"

cd "$work" || exit 1
# The reference frame: the same input given to the headless runner.
printf '%s\n' "key return" "click 405 354" "key pageup" "click 455 354" "key pagedown" "click 505 354" \
  "key up" "click 555 354" "key down" "click 405 384" "wheel 1" "click 455 384" "wheel 1 ctrl" \
  "click 505 384" "wheel -1 ctrl shift" "click 591 260" "type nord" "key return" \
  "shot $work/reference.png" "key escape" "key escape" >"$work/turn.script"
"$headless" "$work/turn.script" >/dev/null || fail "the headless runner failed"
rm -rf "$work/Projets/Sans Titre" "$work/Secours"

# find_window TITLE: $window, the window of that title once shown.
find_window() {
  window=""
  for _ in $(seq 300); do
    window=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
    [ -n "$window" ] && return
    sleep 0.1
  done
  fail "no window titled $1"
}
start_program() {  # start_program [ARGUMENTS]
  SDL_AUDIODRIVER=dummy "$program" "$@" &
  pid=$!
  find_window '^Orvalde'
}
focus() { xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"; }
start_program
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry" | grep -q 'Geometry: 800x600' || fail "window geometry: $geometry"

left=$(( (1024 - 800) / 2 ))
top=$(( (768 - 600) / 2 ))
shot() { import -window root -crop "800x600+$left+$top" +repage "$work/$1.png" || fail "no screenshot"; }
pixel() {  # pixel SHOT X Y as "R,G,B"
  convert "$work/$1.png" -crop "1x1+$2+$3" -depth 8 txt:- | tail -n 1 |
    sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
}
pause() { sleep 0.3; }
# A busy machine may take a while to show a frame: shots are retried.
introduction_shown() {  # introduction_shown [PICTURE]
  shot intro
  differing=$(compare -metric AE -fuzz 3% "$work/intro.png" "${1:-$work/Images/introduction.jpg}" null: 2>&1)
  [ "${differing%% *}" -lt 2000 ] 2>/dev/null
}
menu_shown() { shot menu; [ "$(pixel menu 10 590)" = "128,128,128" ]; }
within() { for _ in $(seq 50); do "$@" && return 0; sleep 0.2; done; return 1; }

within introduction_shown || fail "the introduction is not shown: $differing pixels differ"
focus
xdotool key Return
within menu_shown || fail "menu ground at (10,590) is $(pixel menu 10 590)"

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; pause; }
# Each layout cell (x of the column, y of the row) gets one kind of input.
click 405 354; xdotool key Page_Up; pause                      # image x 0 -> 10
click 455 354; xdotool key Page_Down; pause                    # image y 0 -> 590
click 505 354; xdotool key Up; pause                           # image width 400 -> 401
click 555 354; xdotool key Down; pause                         # image height 300 -> 299
click 405 384; xdotool click 4; pause                          # description x 0 -> 1
click 455 384; xdotool keydown ctrl click 4 keyup ctrl; pause  # description y 360 -> 370
click 505 384; xdotool keydown ctrl shift click 5 keyup shift ctrl; pause  # width 800 -> 799

click 591 260                                                  # "TESTER JEU"
xdotool type --delay 50 "nord"; xdotool key Return
differing() { compare -metric AE "$work/now.png" "$work/$1.png" null: 2>&1; }
same_as() { shot now; [ "$(differing "$1")" = "0" ]; }  # same_as REFERENCE
within same_as reference || fail "after a turn the window differs from the frame drawn: $(differing reference) pixels"
xdotool key Escape; pause

click 208 225                                                  # "SAUVER FICHIER"
click 50 450                                                   # "EDIT"
xdotool type --delay 50 "fenetrex"; xdotool key BackSpace Return; pause
click 400 475                                                  # "SAUVER"
xdotool key Escape; pause
xdotool key Escape
for _ in $(seq 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then fail "Escape on the menu did not end the program"; fi
wait $pid
status=$?
[ $status -eq 0 ] || fail "exit status $status"

file="$work/Projets/fenetre/fenetre.orv"
[ -f "$file" ] || fail "no project saved as 'fenetre': $(ls "$work/Projets")"
settings=$(sed -n '6145,6151p' "$file" | tr -d '\r' | tr '\n' ' ')
[ "$settings" = "10 590 401 299 1 370 799 " ] || fail "layout settings saved: $settings"

cp -r "$run_folder/Projets/chateau" "$work/Projets/"
printf '%s\n' "key return" "type sud" "key return" "key f1" "shot $work/inspected.png" "key f1" \
  "shot $work/uninspected.png" >"$work/play.script"
"$headless" --jouer chateau --inspecteur "$work/play.script" >/dev/null || fail "the headless play failed"
start_program --jouer chateau --inspecteur --enregistrer "$work/partie.txt"
within introduction_shown "$work/Projets/chateau/introduction.jpg" || fail "no introduction: $differing pixels differ"
focus; xdotool key Return; pause
xdotool type --delay 50 "sud"; xdotool key Return; pause
xdotool key F1
within same_as inspected || fail "the inspector differs from the runner's: $(differing inspected) pixels"
xdotool key F1
within same_as uninspected || fail "hidden again, the frame differs from the game's: $(differing uninspected) pixels"
# Without a window manager, the close request is the one SDL makes of SIGTERM.
kill -TERM $pid
wait $pid
status=$?
[ $status -eq 0 ] || fail "closed, the play ended with status $status"
grep -q '^type sud' "$work/partie.txt" || fail "recorded: $(cat "$work/partie.txt")"
"$headless" --jouer chateau "$work/partie.txt" >/dev/null 2>"$work/replay.err" ||
  fail "the recording does not replay: $(cat "$work/replay.err")"

# A message typed, a few seconds without input, and the program killed. The
# next start asks; Return takes the work back, which saved is what the
# headless runner saves after the same typing.
printf '%s\n' "key return" "click 591 50" "click 50 350" "type perdu" "key escape" "click 208 225" \
  "click 50 450" "type attendu" "key return" "click 400 475" >"$work/typed.script"
"$headless" "$work/typed.script" >/dev/null || fail "the headless runner failed"
start_program
within introduction_shown || fail "no introduction"
focus; xdotool key Return
within menu_shown || fail "no menu"
click 591 50; click 50 350; xdotool type --delay 50 "perdu"
sleep 3
copied() { ls "$work"/Secours/*.orv >/dev/null 2>&1; }
within copied || fail "no copy of the unsaved work"
kill -9 $pid; wait $pid 2>/dev/null
start_program
within introduction_shown || fail "no introduction"
focus; xdotool key Return
# The question's box, which xdotool does not find by its title.
question() { window=$(xwininfo -root -tree | grep '"Travail non sauvé"' | awk '{print $1}'); [ -n "$window" ]; }
within question || fail "no question about the work kept aside"
focus; xdotool key Return
find_window '^Orvalde'
within menu_shown || fail "no menu after the work was taken back"
click 208 225; click 50 450; xdotool type --delay 50 "repris"; xdotool key Return; pause
click 400 475; xdotool key Escape; pause; xdotool key Escape
wait $pid
cmp -s "$work/Projets/attendu/attendu.orv" "$work/Projets/repris/repris.orv" ||
  fail "the work taken back differs from the work typed: $(ls -R "$work/Projets" "$work/Secours")"
echo "window scenario passed"
