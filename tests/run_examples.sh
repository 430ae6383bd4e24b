#!/usr/bin/env bash
# Runs every example program through the headless runner and fails when one
# ends with a nonzero status or writes to standard error. The step delay that
# makes the robot examples watchable is taken out of a copy first.
set -u
binary=$1
folder=$2
failed=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for program in "$folder"/*.bas; do
    name=$(basename "$program")
    sed '/^[[:space:]]*rspeed[[:space:]]/d' "$program" > "$scratch/$name"
    timeout 60 "$binary" --headless "$scratch/$name" < /dev/null > "$scratch/out" 2> "$scratch/err"
    status=$?
    if [ "$status" != 0 ] || [ -s "$scratch/err" ]; then
        echo "FAILED: $name (exit status $status)"
        sed 's/^/    stderr: /' "$scratch/err" | head -5
        failed=$((failed + 1))
    fi
done
[ $failed = 0 ]
