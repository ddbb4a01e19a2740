#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the benchmarks (preset "bench", a Release build) and runs them all:
#  - the solver, the number texts and the calculate command beside their floors
#    (Google Benchmark, repetitions interleaved at random, medians);
#  - start-up time to the first paint and peak memory beside the floor, a bare Qt
#    program with a window of the same size and one QLineEdit, and beside that window
#    started through the calculator's own setup; the three alternate, offscreen and
#    under Xvfb.
# Prints one markdown table of figures and ratios; the raw results stay in
# build/bench/results/. Measure on a quiet machine: the load is printed with the table.
#
# Usage: scripts/bench.sh [--runs N] [--repetitions N] [--no-xvfb] [--wait-quiet S]
#   --runs N         start-up runs of each program, per platform (default 21)
#   --repetitions N  repetitions of each micro-benchmark (default 20)
#   --no-xvfb        measure the start-up offscreen only
#   --wait-quiet S   first wait up to S seconds for the 1-minute load to fall below 0.5
set -euo pipefail
cd "$(dirname "$0")/.."

runs=21
repetitions=20
xvfb=1
wait_quiet=0
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs=$2; shift 2 ;;
        --repetitions) repetitions=$2; shift 2 ;;
        --no-xvfb) xvfb=0; shift ;;
        --wait-quiet) wait_quiet=$2; shift 2 ;;
        *) echo "usage: scripts/bench.sh [--runs N] [--repetitions N] [--no-xvfb] [--wait-quiet S]" >&2; exit 2 ;;
    esac
done

scripts/deps.sh libbenchmark-dev

build=build/bench
results=$build/results
mkdir -p "$results"
cmake --preset bench >"$results/configure.log" 2>&1 || { cat "$results/configure.log" >&2; exit 1; }
cmake --build "$build" --target quadrelon quadrelon_barewindow quadrelon_qtfloor quadrelon_bench quadrelon_startbench \
    >"$results/build.log" 2>&1 || { cat "$results/build.log" >&2; exit 1; }

load() { cut -d' ' -f1-3 /proc/loadavg; }
busy() { awk -v l="$(cut -d' ' -f1 /proc/loadavg)" 'BEGIN { exit !(l > 0.5) }'; }
deadline=$((SECONDS + wait_quiet))
while busy && [ "$SECONDS" -lt "$deadline" ]; do
    sleep 10
done
load_before=$(load)
if busy; then
    echo "warning: the machine is busy (load $load_before); the figures may be off" >&2
fi

export LC_ALL=C.UTF-8
program=$build/src/quadrelon
bare=$build/bench/quadrelon_barewindow
floor=$build/bench/quadrelon_qtfloor
driver=$build/bench/quadrelon_startbench

echo "micro-benchmarks ($repetitions repetitions each)..." >&2
QT_QPA_PLATFORM=offscreen "$build/bench/quadrelon_bench" \
    --benchmark_repetitions="$repetitions" \
    --benchmark_enable_random_interleaving=true \
    --benchmark_min_time=0.03 \
    --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/micro.json" --benchmark_out_format=json >"$results/micro.txt"

echo "start-up, offscreen ($runs runs each)..." >&2
QT_QPA_PLATFORM=offscreen "$driver" --runs "$runs" "quadrelon=$program" "bare=$bare" "floor=$floor" \
    >"$results/startup-offscreen.json"
startup=("$results/startup-offscreen.json")

if [ "$xvfb" = 1 ]; then
    echo "start-up, Xvfb ($runs runs each)..." >&2
    env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        "$driver" --runs "$runs" "quadrelon=$program" "bare=$bare" "floor=$floor" >"$results/startup-xvfb.json"
    startup+=("$results/startup-xvfb.json")
fi

load_after=$(load)
commit=$(git rev-parse --short HEAD 2>/dev/null || echo '?')
if git rev-parse --git-dir >/dev/null 2>&1 && ! git diff --quiet HEAD -- src bench; then
    commit="$commit with uncommitted changes in src/ or bench/"
fi
{
    echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') at commit $commit" \
        "on $(nproc) cores; load before $load_before, after $load_after."
    echo
    python3 bench/table.py "$results/micro.json" "${startup[@]}"
} | tee "$results/table.md"
