// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The solver of each variant beside the same formulas in plain doubles.
//
// Every variant solves the 3-4-5 rectangle: its two given cells are read from texts
// that hold "3", "4", "5", "14" and "12" in the columns a, b, d, P and S.
#include "benchinputs.h"
#include "plainfloors.h"

#include "solver/rectangle.h"

#include <benchmark/benchmark.h>

namespace {

// Every row holds the rectangle's texts in its columns.
class RectangleCells final : public solver::CellTexts
{
public:
    QString text(qint16 cell) const override { return bench::kRectangleTexts()[cell % solver::kColumnCount]; }
};

void Solver(benchmark::State &state)
{
    const int variant = int(state.range(0));
    const RectangleCells cells;
    const runtime::Variant selected{qint16(variant)};
    solver::FormValues form;
    solver::WorkingValues out;
    for (auto _ : state) {
        solver::SolveVariant(selected, cells, form, out);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    if (out.a.toDouble() != 3.0 || out.b.toDouble() != 4.0 || out.d.toDouble() != 5.0
        || out.P.toDouble() != 14.0 || out.S.toDouble() != 12.0)
        state.SkipWithError("the solver did not give the 3-4-5 rectangle");
}

// The formulas alone: the two given values are already doubles.
void FloorFormulas(benchmark::State &state)
{
    const int variant = int(state.range(0));
    const auto &given = solver::kGivenColumns[variant];
    double x = bench::kRectangleValues[given[0]];
    double y = bench::kRectangleValues[given[1]];
    floors::Rectangle r;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        r = floors::solve(variant, x, y);
        benchmark::DoNotOptimize(r);
    }
    if (!r.valid || r.a != 3.0 || r.b != 4.0 || r.d != 5.0 || r.P != 14.0 || r.S != 12.0)
        state.SkipWithError("the formulas did not give the 3-4-5 rectangle");
}

// The same work as the solver: the two given texts read with a plain parser, then
// the formulas.
void FloorParseFormulas(benchmark::State &state)
{
    const int variant = int(state.range(0));
    const auto &given = solver::kGivenColumns[variant];
    const auto &texts = bench::kRectangleTexts();
    floors::Rectangle r;
    for (auto _ : state) {
        benchmark::ClobberMemory(); // the texts are read anew each time
        r = floors::solve(variant, floors::read(texts[given[0]]), floors::read(texts[given[1]]));
        benchmark::DoNotOptimize(r);
    }
    if (!r.valid || r.a != 3.0 || r.b != 4.0 || r.d != 5.0 || r.P != 14.0 || r.S != 12.0)
        state.SkipWithError("the formulas did not give the 3-4-5 rectangle");
}

} // namespace

BENCHMARK(Solver)->DenseRange(0, solver::kVariantCount - 1);
BENCHMARK(FloorFormulas)->DenseRange(0, solver::kVariantCount - 1);
BENCHMARK(FloorParseFormulas)->DenseRange(0, solver::kVariantCount - 1);
