#!/usr/bin/env bash
# The share of a core that the pauses use: runs each bench/waits/NAME.bas
# headless and prints its wall time, its CPU time and their ratio (target:
# below 2% beyond the runner's start-up, which the empty program measures).
# Usage: bench/waits/run_waits.sh   BINARY=path times another build.
set -euo pipefail
cd "$(dirname "$0")/../.."
binary=${BINARY:-build/bin/quorvatine}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
printf 'end\n' > "$scratch/empty.bas"
measure() {
    /usr/bin/time -f '%e %U %S' -o "$scratch/time" "$binary" --headless "$1" > /dev/null 2>&1 < /dev/null || true
    cat "$scratch/time"
}
read -r base_wall base_user base_sys < <(measure "$scratch/empty.bas")
printf '%-10s %8s %8s %8s\n' program wall cpu share
for program in bench/waits/*.bas; do
    read -r wall user sys < <(measure "$program")
    awk -v n="$(basename "${program%.bas}")" -v w="$wall" -v u="$user" -v s="$sys" \
        -v bw="$base_wall" -v bu="$base_user" -v bs="$base_sys" \
        'BEGIN { cpu = u + s - bu - bs; if (cpu < 0) cpu = 0; wait = w - bw; if (wait <= 0) wait = 0.001;
                 printf "%-10s %7.2fs %7.3fs %7.2f%%\n", n, w, cpu, 100 * cpu / wait }'
done
