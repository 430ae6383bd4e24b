#!/bin/sh
# A headless program that only computes and prints loads none of the window
# system's libraries; one that draws loads the window module and draws.
# Usage: run_window_module_check.sh QUORVATINE
set -eu
runner=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
printf 'print 1 + 1\n' > "$scratch/prints.bas"
printf 'line 0, 0, 20, 20\nprint pixelclr(10, 10)\n' > "$scratch/draws.bas"

loaded() {
    LD_DEBUG=files "$runner" --headless "$1" 2> "$scratch/loader.txt" > "$scratch/out.txt"
    grep -o 'file=[^ ]*' "$scratch/loader.txt" | sort -u
}

libraries=$(loaded "$scratch/prints.bas")
[ "$(cat "$scratch/out.txt")" = "2" ] || { echo "printing program: unexpected output"; exit 1; }
if echo "$libraries" | grep -E 'libQt6(Gui|Widgets)|libqv_window'; then
    echo "a program that only prints loaded the window libraries above"
    exit 1
fi

libraries=$(loaded "$scratch/draws.bas")
echo "$libraries" | grep -q libqv_window || { echo "a drawing program did not load the window module"; exit 1; }
[ "$(cat "$scratch/out.txt")" = "0" ] || { echo "drawing program: unexpected output $(cat "$scratch/out.txt")"; exit 1; }
echo ok
