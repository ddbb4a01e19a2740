#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Turns the benchmark results of scripts/bench.sh into one markdown table.

Usage: table.py MICRO_JSON STARTUP_OFFSCREEN_JSON [STARTUP_XVFB_JSON]

Every ratio is a ratio of medians measured in the same run: the micro-benchmarks'
repetitions are interleaved at random, and the start-up runs alternate the programs.
For the start-up the note also gives the median of the run-by-run ratios, which a
disturbance of part of the runs moves less.
"""
import json
import sys

GOALS = {"startup": 1.28, "memory": 1.12, "calculate": 3.0, "solver": 5.0}


def medians(path):
    """name -> median time in ns, from Google Benchmark's JSON output."""
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    out = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        name = b["run_name"]
        manual = name.endswith("/manual_time")
        key = name[: -len("/manual_time")] if manual else name
        # Manual timings are wall-clock by nature; the others use CPU time, which
        # other processes on the machine disturb less.
        value = b["real_time"] if manual else b["cpu_time"]
        scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
        out[key] = value * scale
    return out, data.get("context", {})


def fmt_ns(ns):
    if ns >= 1e6:
        return f"{ns / 1e6:.2f} ms"
    if ns >= 1e3:
        return f"{ns / 1e3:.2f} µs"
    return f"{ns:.1f} ns"


def row(measure, ours, floor, ratio, goal, note=""):
    if goal is None:
        verdict, goal_text = "", "—"
    else:
        verdict = "yes" if ratio <= goal else "**no**"
        goal_text = f"≤ {goal:.2f}"
    return f"| {measure} | {ours} | {floor} | {ratio:.2f} | {goal_text} | {verdict} | {note} |"


def main():
    micro, context = medians(sys.argv[1])
    lines = [
        "| Measure | Quadrelon | Floor | Ratio | Goal | Met | Note |",
        "| --- | ---: | ---: | ---: | ---: | :---: | --- |",
    ]

    for path, label in zip(sys.argv[2:], ["offscreen", "Xvfb"]):
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
        # The calculator first, the floor last; between them, where measured, the
        # bare window started through the calculator's own setup.
        ours, bare = data["programs"][0], data["programs"][-1]
        setup = data["programs"][1] if len(data["programs"]) > 2 else None
        runs = data["runs"]
        lines.append(row(f"start-up to first paint, {label}", f"{ours['median_ms']:.1f} ms",
                         f"{bare['median_ms']:.1f} ms (Qt floor)", ours["ratio_ms"], GOALS["startup"],
                         f"to the first paint event; {runs} alternating runs; run by run: "
                         f"{ours['paired_ratio_ms']:.2f}"))
        lines.append(row(f"start-up to end of first paint, {label}", f"{ours['median_painted_ms']:.1f} ms",
                         f"{bare['median_painted_ms']:.1f} ms (Qt floor)", ours["ratio_painted_ms"], None,
                         f"the same runs, until that paint is finished; run by run: "
                         f"{ours['paired_ratio_painted_ms']:.2f}"))
        lines.append(row(f"processor time (user + system), {label}", f"{ours['median_cpu_ms']:.1f} ms",
                         f"{bare['median_cpu_ms']:.1f} ms (Qt floor)", ours["ratio_cpu_ms"], None,
                         f"the same runs, to the exit after the first paint; run by run: "
                         f"{ours['paired_ratio_cpu_ms']:.2f}"))
        lines.append(row(f"peak memory (max RSS), {label}", f"{ours['median_rss_kb'] / 1024:.1f} MiB",
                         f"{bare['median_rss_kb'] / 1024:.1f} MiB (Qt floor)", ours["ratio_rss"],
                         GOALS["memory"], f"the same runs; run by run: {ours['paired_ratio_rss']:.2f}"))
        if setup:
            lines.append(row(f"start-up to first paint, {label}, beside the setup window",
                             f"{ours['median_ms']:.1f} ms",
                             f"{setup['median_ms']:.1f} ms (bare window, our setup)",
                             ours["median_ms"] / setup["median_ms"], None,
                             f"the setup window itself: {setup['ratio_ms']:.2f} × the floor"))
            lines.append(row(f"peak memory (max RSS), {label}, beside the setup window",
                             f"{ours['median_rss_kb'] / 1024:.1f} MiB",
                             f"{setup['median_rss_kb'] / 1024:.1f} MiB (bare window, our setup)",
                             ours["median_rss_kb"] / setup["median_rss_kb"], None,
                             f"the setup window itself: {setup['ratio_rss']:.2f} × the floor"))

    floor_set_text = micro.get("FloorSetText")
    for v in range(10):
        ours = micro.get(f"Calculate/{v}")
        if ours is None or floor_set_text is None:
            continue
        lines.append(row(f"calculate, variant {v + 1}", fmt_ns(ours), f"{fmt_ns(floor_set_text)} (5 × setText)",
                         ours / floor_set_text, GOALS["calculate"]))

    for v in range(10):
        ours = micro.get(f"Solver/{v}")
        parse = micro.get(f"FloorParseFormulas/{v}")
        alone = micro.get(f"FloorFormulas/{v}")
        if ours is None or parse is None:
            continue
        note = f"formulas alone {fmt_ns(alone)}: × {ours / alone:.0f}" if alone else ""
        lines.append(row(f"solver, variant {v + 1}", fmt_ns(ours), f"{fmt_ns(parse)} (from_chars + formulas)",
                         ours / parse, GOALS["solver"], note))

    texts = [
        ("readNumber", "ReadNumber", "FloorFromChars", "std::from_chars", ['"14"', '"1234.5678"']),
        ("plainText", "PlainText", "FloorToChars", "std::to_chars", ["14", "1234.5678"]),
        ("twoDecimalText", "TwoDecimalText", "FloorNumber", "QString::number", ["14", "1234.5678"]),
    ]
    for label, ours_name, floor_name, floor_label, inputs in texts:
        for i, shown in enumerate(inputs):
            ours = micro.get(f"{ours_name}/{i}")
            floor = micro.get(f"{floor_name}/{i}")
            if ours is None or floor is None:
                continue
            lines.append(row(f"{label}({shown})", fmt_ns(ours), f"{fmt_ns(floor)} ({floor_label})",
                             ours / floor, None))

    print("\n".join(lines))


if __name__ == "__main__":
    main()
