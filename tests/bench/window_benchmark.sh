#!/usr/bin/env bash
# CPU time of the real program in a real X window (Xvfb), over scripted input:
# menu redraws (wheel turns on the menu), then game turns of a 7-letter
# command in a test play, typed characters; and the process's peak memory. Run on demand:
#   tests/bench/window_benchmark.sh build/orvalde build/run [ROUNDS]
set -u
program=$(realpath "$1")
run_folder=$2
rounds=${3:-200}
work=$(mktemp -d)
trap 'kill ${pid:-} ${xvfb_pid:-} 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$run_folder/Images" "$run_folder/Fonts" "$work/"
mkdir -p "$work/Projets"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
cd "$work" || exit 1
SDL_AUDIODRIVER=dummy "$program" &
pid=$!
for _ in $(seq 300); do
  window=$(xdotool search --name '^Orvalde' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.1
done
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key Return
sleep 1
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
idle() {  # waits until the program has used no CPU for half a second
  local before after
  before=$(cpu); sleep 0.5; after=$(cpu)
  while [ "$before" != "$after" ]; do before=$after; sleep 0.5; after=$(cpu); done
}
measure() {  # measure NAME COUNT: CPU per event of what was just sent
  idle
  local used=$(( $(cpu) - start ))
  awk -v n="$1" -v c="$2" -v u="$used" -v t="$ticks" 'BEGIN { printf "%-45s %8.3f ms CPU each (%d events)\n", n, u * 1000 / t / c, c }'
}

# The first layout setting chosen, so that every turn changes its value (a
# turn that changes nothing is not drawn at all).
xdotool mousemove --window "$window" 404 354 click 1
idle; start=$(cpu)
for _ in $(seq "$rounds"); do xdotool click 4; done
measure "menu: redraw and presentation per wheel turn" "$rounds"

xdotool mousemove --window "$window" 591 260 click 1   # "TESTER JEU"
sleep 1
idle; start=$(cpu)
turns=$(( rounds / 10 ))
for _ in $(seq "$turns"); do xdotool type --delay 1 "REGARDE"; xdotool key Return; done
measure "game: one turn of a 7-letter command" "$turns"

idle; start=$(cpu)
# As many as the wheel turns: the clock counts CPU in ticks of 10 ms.
for _ in $(seq "$rounds"); do xdotool type --delay 1 "A"; xdotool key BackSpace; done
measure "game: one typed character or backspace" "$(( rounds * 2 ))"
echo "peak memory: $(awk '/VmHWM/ {print $2 / 1024 " MiB"}' "/proc/$pid/status")"
echo "OpenGL libraries loaded: $(grep -E 'libGL[XE]?\.|libEGL|llvmpipe|swrast|_dri' "/proc/$pid/maps" | awk '{print $6}' | sort -u | tr "\n" " ")"
xdotool key Escape
sleep 0.5
xdotool key Escape
wait $pid
