#!/usr/bin/env bash
# Media under load: PROCESSES headless runs side by side, each playing and
# closing a wave sound and a video clip CYCLES times (stress.bas), while LOAD
# busy loops keep the cores busy. A run that prints no cycle line for
# WATCHDOG seconds counts as hung: its threads' stacks go to its folder
# (when gdb is there) and it is killed. Prints cycles, hangs, failed loads,
# wall time and the cycle rate.
#   bench/media_stress/run.sh                      8 x 250 cycles, 8 busy loops
#   PROCESSES=8 CYCLES=300 LOAD=8 WATCHDOG=20 BINARY=build/bin/quorvatine bench/media_stress/run.sh
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
binary=${BINARY:-$root/build/bin/quorvatine}
processes=${PROCESSES:-8}
cycles=${CYCLES:-250}
load=${LOAD:-8}
watchdog=${WATCHDOG:-20}
work=$(mktemp -d /tmp/media_stress.XXXXXX)

[ -x "$binary" ] || { echo "no executable at $binary" >&2; exit 2; }
command -v gst-launch-1.0 >/dev/null || { echo "needs gst-launch-1.0 (gstreamer1.0-tools)" >&2; exit 2; }

# Two seconds of tone and of a 64 x 48 test picture: long enough that neither
# ends on its own before the cycle asks for its mode, however loaded the
# machine.
gst-launch-1.0 -q audiotestsrc num-buffers=20 samplesperbuffer=4410 ! audio/x-raw,rate=44100,channels=1 \
    ! wavenc ! filesink location="$work/clip.wav" || exit 2
gst-launch-1.0 -q videotestsrc num-buffers=20 ! video/x-raw,width=64,height=48,framerate=10/1 ! jpegenc \
    ! avimux ! filesink location="$work/clip.avi" || exit 2

busy=()
stop_busy() {
    for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null; done
}
trap stop_busy EXIT
for ((k = 0; k < load; k++)); do
    (while :; do :; done) &
    busy+=($!)
done

start=$(date +%s.%N)
runs=()
for ((p = 1; p <= processes; p++)); do
    dir=$work/run$p
    mkdir -p "$dir"
    cp "$work/clip.wav" "$work/clip.avi" "$dir/"
    sed "s/@CYCLES@/$cycles/" "$here/stress.bas" >"$dir/stress.bas"
    (cd "$dir" && exec "$binary" --headless stress.bas >out.txt 2>err.txt) &
    runs+=($!)
    echo "$!" >"$dir/pid"
    # Followed by its id below; the shell need not report a killed run.
    disown
done

# The watchdog: every second, each live run must have printed a line within
# the last WATCHDOG seconds.
hung=()
declare -A last_lines last_change
while :; do
    alive=0
    now=$(date +%s)
    for ((p = 1; p <= processes; p++)); do
        pid=${runs[p - 1]}
        kill -0 "$pid" 2>/dev/null || continue
        alive=1
        dir=$work/run$p
        lines=$(wc -l <"$dir/out.txt")
        if [ "${last_lines[$p]:-}" != "$lines" ]; then
            last_lines[$p]=$lines
            last_change[$p]=$now
        elif ((now - last_change[$p] >= watchdog)); then
            echo "run $p hung after $lines cycles" >&2
            if command -v gdb >/dev/null; then
                timeout 60 gdb -p "$pid" -batch -ex "thread apply all bt" >"$dir/stacks.txt" 2>&1
            fi
            kill -KILL "$pid" 2>/dev/null
            hung+=("$p")
        fi
    done
    ((alive)) || break
    sleep 1
done
end=$(date +%s.%N)
stop_busy

total=0
failed=0
for ((p = 1; p <= processes; p++)); do
    dir=$work/run$p
    done_cycles=$(grep -c '^cycle ' "$dir/out.txt")
    total=$((total + done_cycles))
    last=$(grep '^cycle ' "$dir/out.txt" | tail -1)
    f=${last##* }
    failed=$((failed + ${f:-0}))
    if ! grep -q '^done ' "$dir/out.txt"; then
        echo "run $p ended early after $done_cycles cycles: $(tail -2 "$dir/err.txt" | tr '\n' ' ')" >&2
    fi
done
wall=$(echo "$end - $start" | bc)
slowest=$(cat "$work"/run*/out.txt | awk '/^cycle /{ if ($4 > m) m = $4 } END { print m + 0 }')
echo "processes $processes, busy loops $load, cycles $total of $((processes * cycles)), hangs ${#hung[@]}, failed loads $failed"
printf 'wall time %.1f s, %.2f cycles/s, slowest cycle %d ms, load average %s\n' "$wall" \
    "$(echo "$total / $wall" | bc -l)" "$slowest" "$(cut -d' ' -f1-3 /proc/loadavg)"
echo "runs kept in $work"
[ ${#hung[@]} -eq 0 ]
