#!/usr/bin/env bash
# The real program in a real X window: Return leaves the introduction, the
# menu page is shown, Escape ends the program with status 0.
# Usage: window_under_xvfb.sh ORVALDE RUN_FOLDER
set -u
program=$1
run_folder=$2
work=$(mktemp -d)
# The program too: should a check fail while it runs, it must not outlive the
# script and keep the test runner waiting for its output.
trap 'kill ${pid:-} $xvfb_pid 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$run_folder/Images" "$run_folder/Fonts" "$work/"
mkdir -p "$work/Projets"

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
fail() { echo "FAIL: $*"; exit 1; }

for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "no X server on $display"

cd "$work" || exit 1
# The X11 driver only: without the server SDL would otherwise fall back to
# another driver and the program would run with no window at all.
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$program" &
pid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name '^Orvalde' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window titled Orvalde"

# The window is 800 x 600 and centred on the 1024 x 768 screen.
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry" | grep -q 'Geometry: 800x600' || fail "window geometry: $geometry"

pixel() {  # pixel X Y of the screenshot, as "R,G,B"
  convert "$work/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
}

sleep 0.5
left=$(( (1024 - 800) / 2 ))
top=$(( (768 - 600) / 2 ))
# Before any input the window shows the introduction picture.
import -window root -crop "800x600+$left+$top" +repage "$work/intro.png" || fail "no screenshot"
differing=$(compare -metric AE -fuzz 3% "$work/intro.png" "$work/Images/introduction.jpg" null: 2>&1)
[ "${differing%% *}" -lt 2000 ] 2>/dev/null || fail "the introduction is not shown: $differing pixels differ"

xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key --window "$window" Return
sleep 1
import -window root -crop "800x600+$left+$top" +repage "$work/shot.png" || fail "no screenshot"
# The menu page: grey ground, the white face of the first button "VOCABULAIRE"
# (33, 35, 350 x 30) and its black border.
[ "$(pixel 10 590)" = "128,128,128" ] || fail "ground at (10,590) is $(pixel 10 590)"
[ "$(pixel 60 40)" = "255,255,255" ] || fail "button face at (60,40) is $(pixel 60 40)"
[ "$(pixel 33 50)" = "0,0,0" ] || fail "button border at (33,50) is $(pixel 33 50)"

xdotool key --window "$window" Escape
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then kill $pid; fail "Escape on the menu did not end the program"; fi
wait $pid
status=$?
[ $status -eq 0 ] || fail "exit status $status"
echo "window scenario passed"
