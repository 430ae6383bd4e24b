#!/usr/bin/env bash
# Runs every fuzz harness of a fuzz build for a fixed time on its seed corpus:
#   fuzz/run.sh BUILD_FOLDER SECONDS [HARNESS...]
# Inputs that reach new paths are kept in BUILD_FOLDER/fuzz/corpus/NAME (the
# next run starts from them too); a crashing input lands in
# BUILD_FOLDER/fuzz/artifacts/. Fails when any harness finds a crash, a leak
# or runs out of memory.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=$2
shift 2
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
    for binary in "$build"/bin/fuzz_*; do
        [ -x "$binary" ] && harnesses+=("${binary##*/fuzz_}")
    done
fi
# Absolute paths: a harness may change its current folder.
build=$(cd "$build" && pwd)
work="$build/fuzz"
mkdir -p "$work/artifacts"

# libFuzzer's exit status for an input that ran longer than -timeout.
timeout_status=70

run_one() {
    local name=$1
    local seeds="$work/seeds/$name" corpus="$work/corpus/$name" log="$work/$name.log"
    rm -rf "$seeds"
    fuzz/seeds.sh "$name" "$seeds"
    mkdir -p "$corpus"
    : > "$log"
    local end=$((SECONDS + seconds)) left status
    # A single input may take 10 s (the sanitizers slow everything); the
    # fuzzer's own leak check stays on.
    # FIXME: a hang is recorded and the fuzzer restarted for the time left,
    # instead of failing the run, while the expression compiler can still wait
    # for ever on a token it does not consume; fail on it once that is mended.
    while left=$((end - SECONDS)) && [ "$left" -gt 0 ]; do
        status=0
        "$build/bin/fuzz_$name" -max_total_time="$left" -timeout=10 -rss_limit_mb=4096 -max_len=4096 \
            -print_final_stats=1 -artifact_prefix="$work/artifacts/$name-" "$corpus" "$seeds" \
            >> "$log" 2>&1 || status=$?
        [ "$status" = 0 ] && return 0
        [ "$status" = "$timeout_status" ] || return 1
    done
}

# Harnesses run side by side, as many at a time as there are cores.
slots=$(nproc)
failed=0
pids=()
names=()
for name in "${harnesses[@]}"; do
    if [ ${#pids[@]} -ge "$slots" ]; then
        wait "${pids[0]}" || { echo "FUZZ FAILED: ${names[0]}"; tail -40 "$work/${names[0]}.log"; failed=1; }
        pids=("${pids[@]:1}")
        names=("${names[@]:1}")
    fi
    run_one "$name" &
    pids+=($!)
    names+=("$name")
done
for k in "${!pids[@]}"; do
    wait "${pids[$k]}" || { echo "FUZZ FAILED: ${names[$k]}"; tail -40 "$work/${names[$k]}.log"; failed=1; }
done
for name in "${harnesses[@]}"; do
    # Runs cut short by a hang print no statistics: the count is a lower bound.
    runs=$(awk '/^stat::number_of_executed_units:/ { n += $2 } END { print n + 0 }' "$work/$name.log")
    hangs=$(grep -c 'ERROR: libFuzzer: timeout' "$work/$name.log" || true)
    echo "fuzz $name: ${runs:-0} runs in $seconds s, $((${runs:-0} / seconds)) per second, $hangs hangs"
done
[ $failed = 0 ]
