#!/usr/bin/env bash
# Time from starting the environment to its editor window being shown, on a
# private Xvfb display: the median of RUNS starts (default 15) for our build
# and, when given, BASELINE. Needs Xvfb and xdotool.
# Usage: DISPLAY_NUMBER=n bench/startup/first_window.sh   (n: a free display)
set -euo pipefail
cd "$(dirname "$0")/../.."
binary=$(realpath "${BINARY:-build/bin/quorvatine}")
runs=${RUNS:-15}
display=:${DISPLAY_NUMBER:?give a free display number}
Xvfb "$display" -screen 0 1280x1024x24 > /dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb"' EXIT
sleep 1
export DISPLAY=$display

median_ms() {
    local times=() start pid shown
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        "$1" > /dev/null 2>&1 &
        pid=$!
        shown=1
        # Polled every few milliseconds (xdotool's own --sync waits in half seconds).
        until xdotool search --onlyvisible --pid "$pid" > /dev/null 2>&1; do
            if ! kill -0 "$pid" 2> /dev/null; then
                echo "$1 ended before showing a window (run not counted)" >&2
                shown=0
                break
            fi
            sleep 0.005
        done
        [ "$shown" = 1 ] && times+=($(( ($(date +%s%N) - start) / 1000 )))
        # Closed as a window manager would ask, so that it ends as usual.
        kill "$pid" 2> /dev/null || true
        wait "$pid" 2> /dev/null || true
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END{printf "%.1f", a[int((NR+1)/2)]/1000}'
}

printf '%-10s %16s\n' command median_ms
printf '%-10s %16s\n' ours "$(median_ms "$binary")"
if [ -n "${BASELINE:-}" ]; then printf '%-10s %16s\n' baseline "$(median_ms "$(realpath "$BASELINE")")"; fi
