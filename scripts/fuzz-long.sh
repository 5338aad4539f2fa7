#!/usr/bin/env bash
# Runs the fuzz targets for long under libFuzzer, one after the other at low
# priority, and prints the executions and the coverage each reached.
#
#   scripts/fuzz-long.sh [--seconds S] [--runs N] [target...]
#
# Each target stops after S seconds (default 3600) or N executions (default
# 10 million), whichever comes first. The corpus grows in build/fuzz/long/
# (kept between runs, seeded from fuzz/corpus/); the input of a finding lands
# in build/fuzz/findings/. Exits non-zero when any target found a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=3600
runs=10000000
targets=()
while [ $# -gt 0 ]; do
    case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) targets+=("$1"); shift ;;
    esac
done
[ -f build/fuzz/build.ninja ] || cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
if [ ${#targets[@]} -eq 0 ]; then
    for source in fuzz/fuzz_*.cpp; do
        name=$(basename "$source" .cpp)
        targets+=("${name#fuzz_}")
    done
fi
mkdir -p build/fuzz/findings
status=0
printf '%-16s %14s %8s %8s %8s  %s\n' target executions exec/s cov features result
for name in "${targets[@]}"; do
    work=build/fuzz/long/$name
    log=build/fuzz/long/$name.log
    mkdir -p "$work"
    args=(-max_total_time="$seconds" -runs="$runs" -timeout=10 -rss_limit_mb=2048
          -max_len=4096 -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$name-")
    [ -f "fuzz/dict/$name.dict" ] && args+=(-dict="fuzz/dict/$name.dict")
    args+=("$work")
    [ -d "fuzz/corpus/$name" ] && args+=("fuzz/corpus/$name")
    result=ok
    nice -n 19 "build/fuzz/fuzz/fuzz_$name" "${args[@]}" >"$log" 2>&1 || { result="FAULT (see $log)"; status=1; }
    executions=$(sed -n 's/^stat::number_of_executed_units: //p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: //p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    printf '%-16s %14s %8s %8s %8s  %s\n' "$name" "${executions:--}" "${rate:--}" "${cov:--}" \
        "${ft:--}" "$result"
done
exit $status
