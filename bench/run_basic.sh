#!/usr/bin/env bash
# Times each bench/basic/NAME.bas headless beside the same program written for
# yabasic (NAME.yab) with hyperfine, and prints the ratio ours / yabasic.
# Needs: a built build/bin/quorvatine, and the Debian packages hyperfine and yabasic.
# Usage: bench/run_basic.sh [NAME ...]   (default: every program)
# BINARY=path times another build (default build/bin/quorvatine); RUNS=n runs.
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${BINARY:-build/bin/quorvatine}
runs=${RUNS:-3}
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for f in bench/basic/*.bas; do names+=("$(basename "${f%.bas}")"); done
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
printf '%-12s %12s %12s %8s\n' program ours yabasic ratio
for name in "${names[@]}"; do
    ours=bench/basic/$name.bas
    theirs=bench/basic/$name.yab
    hyperfine --runs "$runs" --warmup 1 --style none --export-csv "$scratch/$name.csv" \
        -n ours "$binary --headless $ours" \
        -n yabasic "yabasic $theirs" > /dev/null 2>&1
    ours_time=$(awk -F, '$1=="ours"{print $2}' "$scratch/$name.csv")
    their_time=$(awk -F, '$1=="yabasic"{print $2}' "$scratch/$name.csv")
    ratio=$(awk -v a="$ours_time" -v b="$their_time" 'BEGIN{printf "%.2f", a/b}')
    printf '%-12s %11.3fs %11.3fs %8s\n' "$name" "$ours_time" "$their_time" "$ratio"
done
