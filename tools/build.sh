#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine (as root) and for daily work:
#   tools/build.sh run [PROGRAM.bas]   install what running needs, build the program,
#                                      its modules and the help document, run an example
#   tools/build.sh test                install what testing needs too, build everything,
#                                      run every test (the sanitizer build included), then
#                                      the fuzz harnesses all at once, each for
#                                      QV_FUZZ_SECONDS (60; 0 skips them)
#   tools/build.sh bench               install the benchmark peers and tools, build the
#                                      benchmarks (bench/README.md says how to run them)
#   tools/build.sh install [PREFIX]    build the program and install it under PREFIX
#                                      (/usr/local), with its desktop menu entry
#   tools/build.sh uninstall           remove exactly what the last install put there
# All are idempotent and quick when nothing changed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

# What building and running the program needs: the build tools, the libraries
# the program and its modules link, and what they use at run time (the media
# backend's plugins, the fonts of the run-time screen).
run_packages=(cmake ninja-build g++ ccache pkg-config
              qt6-base-dev qt6-multimedia-dev libjpeg62-turbo-dev libhidapi-dev
              libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
              gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav fonts-liberation)
# What the tests need besides: the test framework, clang for the fuzz harnesses
# and the leak checker, the tool that makes the media tests' clips, and what
# looks at windows (a display, a window manager, key strokes, screenshots).
test_packages=(libgtest-dev clang libclang-rt-14-dev gstreamer1.0-tools clang-format python3 desktop-file-utils
               xvfb openbox x11-utils xdotool imagemagick)
# The benchmarks' peers and measuring tools (gdb keeps the stacks of a hung media stress run).
bench_packages=(valgrind hyperfine yabasic basic256 gdb)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

jobs=$(nproc)

# configure DIR TESTS [CMAKE ARGUMENTS...]: configures DIR once, and again only
# when the tests are asked for and the folder was configured without them.
configure() {
    local dir=$1 tests=$2
    shift 2
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja -DQV_TESTS="$tests" "$@" >/dev/null
    elif [ "$tests" = ON ] && grep -q '^QV_TESTS:BOOL=OFF' "$dir/CMakeCache.txt"; then
        cmake -S . -B "$dir" -DQV_TESTS=ON >/dev/null
    fi
}

configure_and_build() {
    local dir=$1
    shift
    configure "$dir" ON "$@"
    cmake --build "$dir" -j "$jobs"
}

# The program, its modules, the USB library and the help document; none of
# the tests, fuzz harnesses or benchmarks.
build_program() {
    configure build OFF
    cmake --build build -j "$jobs" --target program
}

command=${1:-}
case "$command" in
run)
    install_missing "${run_packages[@]}"
    build_program
    program=${2:-examples/line_follower.bas}
    if [ -n "${DISPLAY:-}" ]; then
        exec build/bin/quorvatine "$program"
    else
        exec build/bin/quorvatine --headless "$program"
    fi
    ;;
test)
    install_missing "${run_packages[@]}" "${test_packages[@]}"
    configure_and_build build
    configure_and_build build-asan -DQV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    fuzz_seconds=${QV_FUZZ_SECONDS:-60}
    if [ "$fuzz_seconds" != 0 ]; then
        [ -f build-fuzz/build.ninja ] || cmake --preset fuzz >/dev/null
        cmake --build build-fuzz -j "$jobs" --target fuzzers
    fi
    export QT_QPA_PLATFORM=offscreen
    # Leaks are errors; the suppressions cover only the one-time allocations
    # of Qt and the font libraries that live as long as the process.
    export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
    export LSAN_OPTIONS=suppressions=$root/tools/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    # The media backend builds its plugin registry the first time it is used on
    # a machine, which can take seconds on a cold disk; the media tests that
    # time a clip should not pay for it.
    gst-inspect-1.0 > /dev/null 2>&1 || true
    # Tests run side by side, at most eight at a time: a sanitized test can take
    # hundreds of megabytes, and many cores would not mean as much memory.
    test_jobs=$((jobs < 8 ? jobs : 8))
    status=0
    summary=()
    # A test that fails is run once more, alone, after everything else, so that
    # its output stands at the end of the log where it is easy to find. One that
    # passes the second time is named as unsteady (a test that times real
    # events can miss under heavy load) but does not fail the run; one that
    # fails twice does.
    run_suite() {
        local name=$1 dir=$2
        echo "== $name =="
        if (cd "$dir" && ctest -j "$test_jobs" --output-on-failure --timeout 600); then
            return 0
        fi
        local failed
        failed=$(cut -d: -f2 "$dir/Testing/Temporary/LastTestsFailed.log" 2>/dev/null | paste -sd' ' -)
        summary+=("$name: failed at first: ${failed:-unknown}")
        rerun+=("$name|$dir")
    }
    rerun=()
    run_suite "sanitizer build" build-asan
    run_suite "release build" build
    # The fuzz harnesses run after the suites, whose tests time real events,
    # and all at once, so that the stage takes about one harness's time.
    if [ "$fuzz_seconds" != 0 ]; then
        echo "== fuzz harnesses, $fuzz_seconds s each, all at once =="
        QV_FUZZ_JOBS=${QV_FUZZ_JOBS:-64} fuzz/run.sh build-fuzz "$fuzz_seconds" ||
            { status=1; summary+=("fuzz: a harness failed (above)"); }
    fi
    for entry in "${rerun[@]}"; do
        name=${entry%%|*}
        dir=${entry#*|}
        echo "== $name: failed tests once more =="
        if (cd "$dir" && ctest --rerun-failed --output-on-failure --timeout 600); then
            summary+=("$name: UNSTEADY, passed when run again")
        else
            status=1
            summary+=("$name: FAILED again: $(cut -d: -f2 "$dir/Testing/Temporary/LastTestsFailed.log" | paste -sd' ' -)")
        fi
    done
    echo "== summary =="
    if [ ${#summary[@]} -eq 0 ]; then
        echo "every test passed"
    else
        printf '%s\n' "${summary[@]}"
    fi
    exit $status
    ;;
bench)
    install_missing "${run_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}"
    configure build ON
    cmake --build build -j "$jobs"
    cmake --build build -j "$jobs" --target benchmarks
    echo "Benchmarks built; bench/README.md says how to run each."
    ;;
install)
    install_missing "${run_packages[@]}"
    prefix=${2:-/usr/local}
    build_program
    cmake --install build --prefix "$prefix"
    ;;
uninstall)
    manifest=build/install_manifest.txt
    [ -f "$manifest" ] || { echo "Nothing to uninstall: $manifest is missing" >&2; exit 2; }
    tools/uninstall.sh "$manifest"
    ;;
*)
    echo "usage: tools/build.sh run [PROGRAM.bas] | test | bench | install [PREFIX] | uninstall" >&2
    exit 2
    ;;
esac
