#!/usr/bin/env bash
# Peak memory (resident set) of the headless runner on large generated
# programs, per byte of program text. Two shapes:
#   runs-through  every line runs once, top to bottom (a token is cached
#                 only when its place is read a second time, so next to
#                 nothing is);
#   mostly-idle   a short loop calls one sub of a library of subs that are
#                 never called (only what runs again is cached; the subs'
#                 table holds one entry for each).
# Usage: bench/memory/large_program.sh [MEGABYTES]   (default 50)
# BINARY=path measures another build (default build/bin/quorvatine).
# Needs GNU time (/usr/bin/time) and python3.
set -euo pipefail
cd "$(dirname "$0")/../.."
binary=${BINARY:-build/bin/quorvatine}
megabytes=${1:-50}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Repeats a block of lines until the file holds the wanted size; {k} in the
# block becomes the block's number, so that no two subs share a name.
generate() {
    python3 - "$1" "$2" "$3" "$4" $((megabytes * 1024 * 1024)) <<'PY'
import sys
out, head, block, tail, size = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5])
parts, total, k = [head], len(head) + len(tail), 1
while total < size:
    text = block.replace("{k}", str(k))
    parts.append(text)
    total += len(text)
    k += 1
parts.append(tail)
with open(out, "w", newline="") as f:
    f.write("".join(parts))
PY
}

generate "$scratch/runs-through.bas" $'x = 0\r\ny = 0\r\n' \
    $'x = x + 1\r\ns = "item " + tostring(x) + " of many"\r\nif x # 3 = 0 then y = y + length(s) * 2\r\n\' a remark about block {k}\r\n' \
    $'print x, y\r\n'
generate "$scratch/mostly-idle.bas" $'t = 0\r\nfor i = 1 to 1000\r\ncall twice(i)\r\nt = t + twice__Result\r\nnext\r\nprint t\r\nend\r\n' \
    $'sub s{k}(a, b)\r\nc = a * b + {k}\r\nif c > 100 then c = c - 100\r\nreturn c\r\n\r\n' \
    $'sub twice(n)\r\nreturn n * 2\r\n'

printf '%-14s %10s %12s %14s %8s\n' program size "peak RSS" "bytes / byte" status
for name in runs-through mostly-idle; do
    program=$scratch/$name.bas
    size=$(stat -c %s "$program")
    status=0
    /usr/bin/time -f %M -o "$scratch/$name.rss" "$binary" --headless "$program" > "$scratch/$name.out" 2>&1 || status=$?
    kilobytes=$(tail -n 1 "$scratch/$name.rss")
    awk -v name="$name" -v size="$size" -v kb="$kilobytes" -v status="$status" \
        'BEGIN { printf "%-14s %8.1f MB %9.1f MB %14.1f %8s\n", name, size / 1048576, kb / 1024, kb * 1024 / size, status }'
    [ "$status" = 0 ] || head -c 300 "$scratch/$name.out"
done
