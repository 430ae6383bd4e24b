#!/bin/sh
# The executable exports the core to the modules it loads: a module that
# compiled a unit of the core again would hold state of its own that the run
# never sets (a hook, a seam), so no module may define a function or a datum
# that the executable exports. Hidden definitions count too: they are copies
# just the same.
# Usage: run_module_copies_check.sh QUORVATINE MODULE...
set -eu
executable=$1
shift
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Strong definitions only: inline functions and templates (weak) may be
# instantiated anywhere. The linker's own markers are in every file.
strong() { awk '$2 ~ /^[TtDdBbRr]$/ && $3 !~ /^(__bss_start|_edata|_end|_init|_fini)$/ { print $3 }' | sort -u; }
nm -D --defined-only "$executable" | strong > "$scratch/exported"
[ -s "$scratch/exported" ] || { echo "$executable exports nothing"; exit 1; }
status=0
for module in "$@"; do
    nm --defined-only "$module" | strong | comm -12 - "$scratch/exported" > "$scratch/copies"
    if [ -s "$scratch/copies" ]; then
        echo "$module holds copies of the core:"
        sed 's/^/    /' "$scratch/copies"
        status=1
    fi
done
[ $status -eq 0 ] && echo ok
exit $status
