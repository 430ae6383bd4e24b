#!/usr/bin/env bash
# Runs every PROGRAM.bas of a folder through the headless runner and compares
#   PROGRAM.out     the expected standard output (required)
#   PROGRAM.status  the expected exit status (0 when missing)
#   PROGRAM.err     the expected standard error (optional)
#   PROGRAM.in      standard input (optional; empty otherwise)
#   PROGRAM.args    more runner arguments, on one line (optional)
#   PROGRAM.env     environment settings NAME=value, one line (optional)
#   PROGRAM.ports   port numbers the program uses, on one line (optional): each
#                   is replaced by a port the system gives out as free, in a copy
#                   of the program, and back again in its output, so that runs
#                   side by side (or a fuzzer on the same machine) never collide
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
    ports=()
    [ -f "$base.ports" ] && read -r -a ports < "$base.ports"
    if [ ${#ports[@]} -gt 0 ]; then
        mapfile -t free < <("$(dirname "$0")/free_ports.py" ${#ports[@]}) || exit 2
        to_free=() to_named=()
        for k in "${!ports[@]}"; do
            to_free+=(-e "s/\b${ports[$k]}\b/${free[$k]}/g")
            to_named+=(-e "s/\b${free[$k]}\b/${ports[$k]}/g")
        done
        mkdir -p "$scratch/ported" && sed "${to_free[@]}" "$run" > "$scratch/ported/$(basename "$run")" || exit 2
        run="$scratch/ported/$(basename "$run")"
    fi
    env "${settings[@]}" timeout 60 "$binary" --headless "${arguments[@]}" "$run" < "$input" > "$scratch/out" 2> "$scratch/err"
    status=$?
    if [ ${#ports[@]} -gt 0 ]; then
        sed -i "${to_named[@]}" "$scratch/out" "$scratch/err"
    fi
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
