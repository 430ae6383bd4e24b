#!/usr/bin/env bash
# Runs every PROGRAM.bas of a folder through the headless runner and compares
#   PROGRAM.out     the expected standard output (required)
#   PROGRAM.status  the expected exit status (0 when missing)
#   PROGRAM.err     the expected standard error (optional)
#   PROGRAM.in      standard input (optional; empty otherwise)
#   PROGRAM.args    more runner arguments, on one line (optional)
#   PROGRAM.env     environment settings NAME=value, one line (optional)
# With a third argument "fresh", each program runs as a copy in a new empty
# folder of its own (programs that make, list and delete files).
# A failure prints a unified diff; the script fails when any program does.
set -u
binary=$1
folder=$2
fresh=${3:-}
failed=0
count=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for program in "$folder"/*.bas; do
    [ -e "$program" ] || continue
    base=${program%.bas}
    name=$(basename "$base")
    count=$((count + 1))
    input=/dev/null
    [ -f "$base.in" ] && input="$base.in"
    expected_status=0
    [ -f "$base.status" ] && expected_status=$(tr -d '[:space:]' < "$base.status")
    arguments=()
    [ -f "$base.args" ] && read -r -a arguments < "$base.args"
    settings=()
    [ -f "$base.env" ] && read -r -a settings < "$base.env"
    run=$program
    if [ "$fresh" = fresh ]; then
        rm -rf "$scratch/folder" && mkdir "$scratch/folder" && cp "$program" "$scratch/folder/" || exit 2
        # Files the programs include come along.
        if [ -d "$folder/lib" ]; then cp -r "$folder/lib" "$scratch/folder/" || exit 2; fi
        run="$scratch/folder/$(basename "$program")"
    fi
    env "${settings[@]}" timeout 60 "$binary" --headless "${arguments[@]}" "$run" < "$input" > "$scratch/out" 2> "$scratch/err"
    status=$?
    ok=1
    if ! diff -u --label "$name.out (expected)" --label "$name.out (actual)" "$base.out" "$scratch/out"; then
        ok=0
    fi
    if [ -f "$base.err" ] && ! diff -u --label "$name.err (expected)" --label "$name.err (actual)" "$base.err" "$scratch/err"; then
        ok=0
    fi
    if [ "$status" != "$expected_status" ]; then
        echo "$name: exit status $status, expected $expected_status"
        [ -s "$scratch/err" ] && sed 's/^/    stderr: /' "$scratch/err" | head -5
        ok=0
    fi
    if [ $ok = 0 ]; then
        echo "FAILED: $name"
        failed=$((failed + 1))
    fi
done
echo "$count programs, $failed failed"
[ $failed = 0 ]
