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
# Allocations that system libraries make once and keep (the tests' list).
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

run_one() {
    local name=$1
    local seeds="$work/seeds/$name" corpus="$work/corpus/$name" log="$work/$name.log"
    rm -rf "$seeds"
    fuzz/seeds.sh "$name" "$seeds"
    mkdir -p "$corpus"
    # A single input may take 30 s: the sanitizers slow everything, and a
    # program may legally build texts of hundreds of megabytes, which takes
    # over 10 s under them. Longer is a hang and fails the run like a crash.
    # The fuzzer's own leak check stays on.
    "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -max_len=4096 \
        -print_final_stats=1 -artifact_prefix="$work/artifacts/$name-" "$corpus" "$seeds" > "$log" 2>&1
}

# Harnesses run side by side, as many at a time as there are cores (or
# QV_FUZZ_JOBS: all of them at once for a long run on a shared machine).
slots=${QV_FUZZ_JOBS:-$(nproc)}
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
    runs=$(awk '/^stat::number_of_executed_units:/ { print $2 }' "$work/$name.log")
    echo "fuzz $name: ${runs:-0} runs in $seconds s, $((${runs:-0} / seconds)) per second"
done
[ $failed = 0 ]
