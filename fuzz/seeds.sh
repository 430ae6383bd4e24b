#!/usr/bin/env bash
# Makes the seed corpus of one fuzz harness from the test programs:
#   fuzz/seeds.sh NAME OUT_FOLDER
# Files under fuzz/seeds/NAME/, when that folder exists, are seeds as well
# (for harnesses whose inputs are not programs, such as file formats).
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1
out=$2
mkdir -p "$out"
# A test program that says "fuzz/seeds.sh leaves it out" builds texts of
# hundreds of megabytes on purpose: under the sanitizers one run takes most of
# a harness's time-out, so it is no seed.
programs=()
for program in tests/programs/*/*.bas examples/*.bas; do
    grep -q "fuzz/seeds.sh leaves it out" "$program" || programs+=("$program")
done
case "$name" in
program)
    for program in "${programs[@]}"; do
        cp "$program" "$out/$(basename "$(dirname "$program")")-$(basename "$program")"
    done
    ;;
expression)
    # Each line of each program, less a leading "print" or "NAME =", is an
    # expression (or close enough to one for the mutations to start from).
    cat "${programs[@]}" | tr -d '\r' \
        | sed -E 's/^[[:space:]]*(print[[:space:]]+|[A-Za-z_][A-Za-z0-9_]*[[:space:]]*=[[:space:]]*)//I' \
        | grep -av '^[[:space:]]*$' | sort -u | split -l 1 -a 5 - "$out/line-"
    ;;
regex)
    # A flags byte, the pattern, the text and the replacement, split by NUL bytes.
    k=0
    grep -aohE 're_Setup\("[^"]*"' tests/programs/*/*.bas | sed -E 's/^re_Setup\("(.*)"$/\1/' | sort -u \
        | while IFS= read -r pattern; do
            k=$((k + 1))
            printf '\0%s\0The year 2024, ab12 cd-34 <b>x</b> a.b@c.de\0[$1$&]' "$pattern" > "$out/pattern-$k"
            printf '\x08%s\0ABC abc Abc\n  xyz\0$0$0' "$pattern" > "$out/pattern-$k-i"
        done
    ;;
esac
if [ -d "fuzz/seeds/$name" ]; then
    cp -r "fuzz/seeds/$name/." "$out/"
fi
