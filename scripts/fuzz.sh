#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer targets (the fuzz preset: clang with coverage, address and
# undefined-behaviour sanitizers) and runs each for a bounded time, starting from a
# copy of its checked-in corpus in fuzz/corpus/<name>/. The copy, the new inputs and
# any crash, leak or timeout input are left in build/fuzz/runs/<name>/; a failing
# input belongs in fuzz/corpus/<name>/ once the fault it shows is fixed.
# Usage: scripts/fuzz.sh [seconds per fuzzer, default 60] [name ...]
#   names: numbertext, calculate (default: both)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
names=("$@")
[ ${#names[@]} -gt 0 ] || names=(numbertext calculate)

scripts/deps.sh clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
export LSAN_OPTIONS="suppressions=$PWD/cmake/lsan.supp:print_suppressions=0"
status=0
for name in "${names[@]}"; do
    run=build/fuzz/runs/$name
    rm -rf "$run"
    mkdir -p "$run/corpus"
    cp fuzz/corpus/"$name"/* "$run/corpus/"
    seeds=$(ls "$run/corpus" | wc -l)
    options=()
    # As in fuzz/CMakeLists.txt: leaks are checked once at exit, not per input.
    [ "$name" = calculate ] && options=(-detect_leaks=0)
    result=passed
    start=$(date +%s)
    if ! "build/fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 "${options[@]}" \
            -artifact_prefix="$run/" "$run/corpus" >"$run/log" 2>&1; then
        result=FAILED
        status=1
    fi
    elapsed=$(( $(date +%s) - start ))
    stat() { sed -n "s/^stat::$1: *//p" "$run/log" | tail -1; }
    echo "fuzz_$name: $result: $(stat number_of_executed_units) executions in ${elapsed} s" \
         "($(stat average_exec_per_sec)/s), corpus $seeds -> $(ls "$run/corpus" | wc -l) inputs," \
         "peak $(stat peak_rss_mb) MB"
    if [ "$result" = FAILED ]; then
        grep -E "^fuzz_$name: |ERROR|SUMMARY|runtime error|Test unit written" "$run/log" | head -20 || true
        echo "full log: $run/log"
    fi
done
exit $status
