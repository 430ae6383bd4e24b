#!/usr/bin/env bash
# Writes a copy of an example that runs to its end by itself: the step delay
# that makes the robot examples watchable is taken out, an example that waits
# for the user has its input scripted by tests/examples/NAME.sed (it plays the
# user's part at the wait loop and ends it), and the ports listed in
# tests/examples/NAME.ports are swapped for ports the system gives out as free.
# Usage: scripted_example.sh EXAMPLE.bas OUT.bas
set -euo pipefail
program=$1
out=$2
here=$(dirname "$0")
name=$(basename "$program" .bas)
edits=(-e '/^[[:space:]]*rspeed[[:space:]]/d')
[ -f "$here/examples/$name.sed" ] && edits+=(-f "$here/examples/$name.sed")
if [ -f "$here/examples/$name.ports" ]; then
    read -r -a ports < "$here/examples/$name.ports"
    mapfile -t free < <("$here/free_ports.py" ${#ports[@]})
    for k in "${!ports[@]}"; do edits+=(-e "s/\\b${ports[$k]}\\b/${free[$k]}/g"); done
fi
sed "${edits[@]}" "$program" > "$out"
