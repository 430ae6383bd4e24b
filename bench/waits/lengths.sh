#!/usr/bin/env bash
# How long the timed waits last: for n = 1, 2, 5, 10 and 50 the mean length
# of 1,000 `delay n` and of 100 `sound 440, n`, measured by the program itself
# with `timer`, headless and in a window. Each wait must last at least n ms
# and at most about a millisecond more.
# Usage: bench/waits/lengths.sh [headless|window|both]   (default both)
# BINARY=path times another build; DISPLAY names the X server of the window
# runs (start one with `Xvfb :15 -screen 0 1280x1024x24 &`).
set -euo pipefail
cd "$(dirname "$0")/../.."
binary=$(realpath "${BINARY:-build/bin/quorvatine}")
modes=${1:-both}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Writes a program that times count repetitions of one statement and leaves
# the total in milliseconds in result.txt (the window run has no standard
# output), then ends the environment too. One untimed run of the statement
# first makes the application and loads the audio module, which only the
# first wait of a run pays for.
write_program() {
    local statement=$1 count=$2
    cat > "$scratch/wait.bas" <<EOF
$statement
start = timer()
for i = 1 to $count
$statement
next i
total = timer() - start
h = filecreate("result.txt")
fileprintt h, tostring(total)
fileclose(h)
exit
EOF
}

# Prints the mean length of one wait in milliseconds.
measure() {
    local mode=$1 statement=$2 count=$3
    write_program "$statement" "$count"
    rm -f "$scratch/result.txt"
    if [ "$mode" = headless ]; then
        (cd "$scratch" && "$binary" --headless wait.bas > /dev/null 2>&1 < /dev/null) || true
    else
        (cd "$scratch" && timeout 600 "$binary" wait.bas > /dev/null 2>&1 < /dev/null) || true
    fi
    if [ -s "$scratch/result.txt" ]; then
        awk -v c="$count" '{ printf "%.3f", $1 / c }' "$scratch/result.txt"
    else
        printf 'failed'
    fi
}

run_mode() {
    local mode=$1
    if [ "$mode" = window ] && [ -z "${DISPLAY:-}" ]; then
        echo "window: no DISPLAY, skipped" >&2
        return
    fi
    printf '%-9s %4s %14s %16s\n' "$mode" n "delay n (ms)" "sound 440,n (ms)"
    for n in 1 2 5 10 50; do
        printf '%-9s %4s %14s %16s\n' "" "$n" "$(measure "$mode" "delay $n" 1000)" \
            "$(measure "$mode" "sound 440, $n" 100)"
    done
}

case $modes in
headless | window) run_mode "$modes" ;;
*)
    run_mode headless
    run_mode window
    ;;
esac
