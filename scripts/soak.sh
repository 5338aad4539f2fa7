#!/usr/bin/env bash
# Runs the whole Wine suite again and again while the machine's cores are kept
# busy, and reports every run that failed: a test that fails now and then is
# a defect, and it shows most when the machine is loaded.
#
#   bash scripts/soak.sh [runs]          (default 10 runs)
#
# SOAK_LOAD chooses what keeps the cores busy meanwhile:
#   spin   one busy loop per core, at normal priority (the default)
#   build  the native core rebuilt from scratch, over and over, with -j<cores>
#   none   nothing
# Each run's output is kept in build/soak/run-<n>.log.
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
load=${SOAK_LOAD:-spin}
cores=$(nproc)
logs=build/soak
mkdir -p "$logs"

[ -f build/x64/build.ninja ] || cmake --preset x64 >/dev/null
cmake --build --preset x64 -j2 >"$logs/build.log" 2>&1 || {
    echo "the x64 build failed (see $logs/build.log)"
    exit 2
}

source scripts/wine-env.sh
wine_prefix_init
wine_server_start
# As in the test command: a holder program starts the desktop, so that no
# test's output pipe is held open by it.
wine_desktop_hold build/x64/tests/desktop_holder.exe || {
    wine_server_stop
    exit 2
}

loaders=()
start_load() {
    case "$load" in
    spin)
        for _ in $(seq "$cores"); do
            (while :; do :; done) &
            loaders+=($!)
        done
        ;;
    build)
        (
            while :; do
                rm -rf build/soak/native
                cmake -S . -B build/soak/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null 2>&1
                cmake --build build/soak/native -j "$cores" >/dev/null 2>&1
            done
        ) &
        loaders+=($!)
        ;;
    none) ;;
    *)
        echo "unknown SOAK_LOAD: $load"
        exit 2
        ;;
    esac
}
stop_load() {
    for pid in "${loaders[@]}"; do
        pkill -P "$pid" 2>/dev/null
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    wine_server_stop
}
trap stop_load EXIT
start_load

failed_runs=0
declare -A failures=()
started=$(date +%s)
for run in $(seq "$runs"); do
    log="$logs/run-$run.log"
    # One test program at a time, as in the test command: programs side by
    # side on one desktop take the foreground and the focus from each other.
    if ctest --preset x64 -j1 >"$log" 2>&1; then
        verdict=passed
    else
        verdict=FAILED
        failed_runs=$((failed_runs + 1))
        # Only ctest's list of failed tests: its list of tests that did not
        # run (skipped ones) looks the same.
        while read -r name; do
            failures[$name]=$((${failures[$name]:-0} + 1))
        done < <(sed -n '/tests FAILED:/,$s/^[[:space:]]*[0-9]* - \(.*\) (.*)$/\1/p' "$log")
    fi
    summary=$(grep -E "tests passed|tests failed" "$log" | tail -1)
    echo "run $run/$runs: $verdict (${summary:-no summary}), load $(cut -d' ' -f1 /proc/loadavg)"
done
echo "soak: $runs runs of the Wine suite under load '$load' in $(($(date +%s) - started)) s," \
    "$failed_runs failed"
for name in "${!failures[@]}"; do
    echo "  $name failed in ${failures[$name]} run(s)"
done
[ "$failed_runs" -eq 0 ]
