#!/usr/bin/env bash
# Makes the README's pictures from the program itself:
#   docs/environment.png  the environment's editor on an example program
#   docs/run-screen.png   the run-time screen with the robot on its course
#   docs/example-*.png    the run-time screen of a few examples
# The run-time screens come from the headless runner (--screenshot); the
# environment is started in a window under Xvfb with a window manager and
# photographed there. Needs xvfb, openbox, xdotool and imagemagick
# (tools/build.sh test installs them) and a built program in build/bin.
#   tools/screenshots.sh [DISPLAY_NUMBER]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
program=$root/build/bin/quorvatine
display=:${1:-47}
out=$root/docs
mkdir -p "$out"
scratch=$(mktemp -d)
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# The robot part way round its ring, with the pause between steps taken out.
sed 's/^rspeed 3/rspeed 0/; s/^for k = 1 to 2500/for k = 1 to 900/' examples/line_follower.bas > "$scratch/line_follower.bas"
"$program" --headless --screenshot "$out/run-screen.png" "$scratch/line_follower.bas" > /dev/null

# Examples that draw something worth seeing, run to their end as the tests
# run them (the user's part scripted).
for name in ${QV_SCREENSHOT_EXAMPLES:-wall_follower pictures wireframe_3d}; do
    [ -f "examples/$name.bas" ] || continue
    mkdir -p "$scratch/$name" && cp examples/*.bas "$scratch/$name/"
    tests/scripted_example.sh "examples/$name.bas" "$scratch/$name/$name.bas"
    (cd "$scratch/$name" && "$program" --headless --screenshot "$out/example-$name.png" "$name.bas" \
        < /dev/null > /dev/null 2>&1)
done

# The environment in a real window: a settings folder of its own, the example
# opened through File > Open by typing its name.
Xvfb "$display" -screen 0 1100x760x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done
openbox > /dev/null 2>&1 &
wm=$!
export XDG_CONFIG_HOME=$scratch/config HOME=$scratch
cp examples/line_follower.bas "$scratch/line_follower.bas"
(cd "$scratch" && exec "$program") > /dev/null 2>&1 &
app=$!
window=""
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name "Quorvatine IDE" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the environment's window did not appear" >&2; exit 1; }
xdotool windowsize "$window" 1000 700 windowmove "$window" 40 20
sleep 0.5
xdotool windowactivate --sync "$window" key ctrl+o
sleep 1
xdotool type --delay 20 "$scratch/line_follower.bas"
xdotool key Return
sleep 1.5
import -window root -crop 1010x730+35+10 +repage "$out/environment.png"
echo "Pictures written to docs/."
