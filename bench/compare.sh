#!/usr/bin/env bash
# Runs every row of bench/rows/ side by side with the peers in one hyperfine
# run: ours (ROW.bas, headless), yabasic (ROW.yab) and basic256 (ROW.kbs,
# offscreen), whichever of the peer programs exist and are installed. Wall
# time of the whole process, start-up included, output to a file. Prints ours,
# the best peer and ours / best per row; for the robot row (no peer) our time
# per step.
# Needs: a built build/bin/quorvatine and the Debian packages hyperfine,
# yabasic and basic256.
# Usage: bench/compare.sh [ROW ...]   (default: every row; ROW as a_int_loop)
# BINARY=path times another build (default build/bin/quorvatine); RUNS=n runs
# (default 5). The machine must be quiet: under load the ratios swing.
set -euo pipefail
cd "$(dirname "$0")/.."
binary=$(realpath "${BINARY:-build/bin/quorvatine}")
runs=${RUNS:-5}
rows=("$@")
if [ ${#rows[@]} -eq 0 ]; then
    for f in bench/rows/*.bas; do rows+=("$(basename "${f%.bas}")"); done
fi
# Steps of the robot row, for the time per step.
robot_steps=100000
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen

printf '%-14s %10s %10s %-9s %8s\n' row ours best peer ours/best
for row in "${rows[@]}"; do
    commands=(-n ours "$binary --headless bench/rows/$row.bas > $scratch/out.txt")
    if [ -f "bench/rows/$row.yab" ] && command -v yabasic > /dev/null; then
        commands+=(-n yabasic "yabasic bench/rows/$row.yab > $scratch/out.txt")
    fi
    if [ -f "bench/rows/$row.kbs" ] && command -v basic256 > /dev/null; then
        commands+=(-n basic256 "basic256 -a bench/rows/$row.kbs > $scratch/out.txt 2>&1")
    fi
    hyperfine --runs "$runs" --warmup 1 --style none --export-csv "$scratch/$row.csv" "${commands[@]}" \
        > /dev/null 2>&1
    ours=$(awk -F, '$1=="ours"{print $2}' "$scratch/$row.csv")
    best=$(awk -F, 'NR>1 && $1!="ours" && (b=="" || $2<b) {b=$2; n=$1} END{print b, n}' "$scratch/$row.csv")
    best_time=${best% *}
    best_name=${best#* }
    if [ -z "$best_time" ]; then
        per_step=$(awk -v a="$ours" -v n="$robot_steps" 'BEGIN{printf "%.2f us/step", a / n * 1e6}')
        printf '%-14s %9.3fs %10s %-9s %8s\n' "$row" "$ours" - - "$per_step"
    else
        ratio=$(awk -v a="$ours" -v b="$best_time" 'BEGIN{printf "%.2f", a/b}')
        printf '%-14s %9.3fs %9.3fs %-9s %8s\n' "$row" "$ours" "$best_time" "$best_name" "$ratio"
    fi
done
