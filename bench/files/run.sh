#!/usr/bin/env bash
# Times the file benchmarks headless, each against its target (start-up of the
# runner included): 1,000,000 filewriteb calls and reading them back with
# filereadb (1.5 s each), buffprintb appending 1,000,000 integers (1 s), and
# filecopy of a 100 MB file (1 s).
# Usage: bench/files/run.sh   (BINARY=path times another build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(cd "$here/../.." && realpath "${BINARY:-build/bin/quorvatine}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$here"/*.bas "$scratch/"
head -c 100000000 /dev/urandom > "$scratch/big.bin"
printf '%-12s %10s %10s\n' program seconds target
for entry in filewriteb:1.5 filereadb:1.5 buffprintb:1.0 filecopy:1.0; do
    name=${entry%%:*}
    target=${entry#*:}
    start=$(date +%s.%N)
    "$binary" --headless "$scratch/$name.bas" > "$scratch/$name.out"
    end=$(date +%s.%N)
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN{printf "%.3f", b-a}')
    printf '%-12s %10s %10s   %s\n' "$name" "$seconds" "$target" "$(tr -d '\r\n' < "$scratch/$name.out")"
done
