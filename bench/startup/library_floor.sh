#!/usr/bin/env bash
# What loading the libraries alone costs: three empty programs that link Qt
# Core, Qt Gui, and Qt Widgets (and end at once, making no application), timed
# beside our runner on a one-line program. The headless runner cannot start
# faster than the empty program that links what it links (Qt Core).
# Needs: g++, pkg-config, Qt's development files and hyperfine.
# Usage: bench/startup/library_floor.sh   BINARY=path times another build;
# RUNS=n runs (default 200). The machine must be quiet.
set -euo pipefail
cd "$(dirname "$0")/../.."
binary=$(realpath "${BINARY:-build/bin/quorvatine}")
runs=${RUNS:-200}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen

# The application is never made: the test keeps the libraries needed.
for kind in Core:QCoreApplication Gui:QGuiApplication Widgets:QApplication; do
    module=${kind%%:*}
    class=${kind##*:}
    printf '#include <%s>\nint main(int argc, char** argv) { return argc > 9 ? %s(argc, argv).exec() : 0; }\n' \
        "$class" "$class" > "$scratch/$module.cpp"
    # shellcheck disable=SC2046
    g++ -O2 -fPIC "$scratch/$module.cpp" -o "$scratch/empty_$module" $(pkg-config --cflags --libs "Qt6$module")
done
hyperfine -N --warmup 5 --runs "$runs" --style basic \
    -n "empty, Qt Core" "$scratch/empty_Core" \
    -n "empty, Qt Gui" "$scratch/empty_Gui" \
    -n "empty, Qt Widgets" "$scratch/empty_Widgets" \
    -n "ours, print 1" "$binary --headless $(realpath bench/startup/one_line.bas)" 2>&1 | grep -E "^Benchmark|Time"
