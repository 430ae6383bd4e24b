#!/usr/bin/env bash
# Start-up of a one-line headless program (print 1), output to a file: wall
# time with hyperfine (no shell, 5 warm-up runs), the CPU time of a run (user
# plus system, steadier than wall time on a busy machine) and peak resident
# memory, for our runner, yabasic beside it, and BASELINE (another build, e.g.
# main's) when given. Target: under 5 ms and no more than 30 MB.
# Needs: a built build/bin/quorvatine and the Debian packages hyperfine and
# yabasic. Usage: bench/startup/run.sh   BINARY=path times another build;
# BASELINE=path adds one; RUNS=n runs (default 200). The machine must be quiet.
set -euo pipefail
cd "$(dirname "$0")/../.."
binary=$(realpath "${BINARY:-build/bin/quorvatine}")
runs=${RUNS:-200}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen
program=$(realpath bench/startup/one_line.bas)

commands=(-n ours "$binary --headless $program")
if [ -n "${BASELINE:-}" ]; then commands+=(-n baseline "$(realpath "$BASELINE") --headless $program"); fi
if command -v yabasic > /dev/null; then commands+=(-n yabasic "yabasic $(realpath bench/startup/one_line.yab)"); fi
hyperfine -N --warmup 5 --runs "$runs" --style none --output "$scratch/out.txt" \
    --export-csv "$scratch/times.csv" "${commands[@]}" > /dev/null

# Peak resident memory: the largest of a few runs.
peak_kb() {
    local peak=0 kb
    for _ in 1 2 3 4 5; do
        kb=$( { /usr/bin/time -f %M "$@" > /dev/null; } 2>&1 | tail -1)
        [ "$kb" -gt "$peak" ] && peak=$kb
    done
    echo "$peak"
}

printf '%-10s %9s %9s %9s %9s %9s\n' command mean_ms min_ms sd_ms cpu_ms peak_MB
while IFS=, read -r name mean stddev _median user system min _max; do
    [ "$name" = command ] && continue
    case $name in
        ours) kb=$(peak_kb "$binary" --headless "$program") ;;
        baseline) kb=$(peak_kb "$(realpath "$BASELINE")" --headless "$program") ;;
        *) kb=$(peak_kb yabasic bench/startup/one_line.yab) ;;
    esac
    awk -v n="$name" -v m="$mean" -v lo="$min" -v s="$stddev" -v c="$(awk -v u="$user" -v y="$system" 'BEGIN{print u+y}')" -v kb="$kb" \
        'BEGIN{printf "%-10s %9.2f %9.2f %9.2f %9.2f %9.1f\n", n, m*1000, lo*1000, s*1000, c*1000, kb/1024}'
done < "$scratch/times.csv"
