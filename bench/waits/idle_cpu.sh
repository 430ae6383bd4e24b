#!/usr/bin/env bash
# The share of a core that the idle environment uses (target: below 0.2%):
# starts it in a window, once after running a short program and once on an
# empty editor, lets it settle, then reads its CPU time from /proc over
# SECONDS seconds (60 by default) and says whether the run's ticker thread is
# still there.
# Usage: bench/waits/idle_cpu.sh   BINARY=path times another build; DISPLAY
# names the X server (start one with `Xvfb :15 -screen 0 1280x1024x24 &`).
set -euo pipefail
cd "$(dirname "$0")/../.."
binary=$(realpath "${BINARY:-build/bin/quorvatine}")
seconds=${SECONDS_IDLE:-60}
settle=5
if [ -z "${DISPLAY:-}" ]; then
    echo "no DISPLAY: start an X server and set DISPLAY" >&2
    exit 2
fi
scratch=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then kill "$pid" 2> /dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT
printf 'for i = 1 to 20\nprint i\ndelay 5\nnext i\n' > "$scratch/short.bas"
ticks=$(getconf CLK_TCK)

# utime + stime of the process, in clock ticks.
cpu_ticks() {
    awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"
}

ticker_threads() {
    grep -lx 'qv-ticker' /proc/"$1"/task/*/comm 2> /dev/null | wc -l
}

measure() {
    local label=$1
    shift
    # The settings file goes beside the executable or into the configuration
    # folder: a scratch home keeps the user's own untouched.
    (cd "$scratch" && HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" exec "$binary" "$@" > /dev/null 2>&1) &
    pid=$!
    sleep "$settle"
    local before after
    before=$(cpu_ticks "$pid")
    sleep "$seconds"
    after=$(cpu_ticks "$pid")
    awk -v l="$label" -v b="$before" -v a="$after" -v s="$seconds" -v t="$ticks" -v k="$(ticker_threads "$pid")" \
        'BEGIN { cpu = (a - b) / t; printf "%-22s %7.2fs cpu in %ds  %6.3f%% of a core  ticker threads %d\n",
                 l, cpu, s, 100 * cpu / s, k }'
    kill "$pid" 2> /dev/null || true
    wait "$pid" 2> /dev/null || true
    pid=
}

measure "after a short run" short.bas
measure "empty editor"
