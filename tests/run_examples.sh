#!/usr/bin/env bash
# Runs every example program through the headless runner, each in a copy of
# the examples folder of its own, and fails when one ends with a nonzero
# status or writes to standard error. The copy runs by itself to its end
# (scripted_example.sh: no step delay, the user's part scripted, free ports).
# Usage: run_examples.sh QUORVATINE EXAMPLES_FOLDER
set -u
binary=$1
folder=$2
failed=0
count=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for program in "$folder"/*.bas; do
    name=$(basename "$program" .bas)
    count=$((count + 1))
    work=$scratch/$name
    mkdir "$work" && cp "$folder"/*.bas "$work/" || exit 2
    "$(dirname "$0")/scripted_example.sh" "$program" "$work/$name.bas" || exit 2
    (cd "$work" && timeout 60 "$binary" --headless --max-statements 50000000 "$name.bas") \
        < /dev/null > "$scratch/out" 2> "$scratch/err"
    status=$?
    if [ "$status" != 0 ] || [ -s "$scratch/err" ]; then
        echo "FAILED: $name (exit status $status)"
        sed 's/^/    stderr: /' "$scratch/err" | head -5
        failed=$((failed + 1))
    fi
done
echo "$count examples, $failed failed"
[ $failed = 0 ]
