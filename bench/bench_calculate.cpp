// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculate command on the offscreen window beside its floor, five plain
// setText() writes of the results into the row's five cells.
#include "benchinputs.h"

#include "form/quadrelon.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

std::unique_ptr<Quadrelon> &window()
{
    static std::unique_ptr<Quadrelon> w;
    return w;
}

// The window, created and shown at the first use.
Quadrelon &form()
{
    if (!window()) {
        window() = std::make_unique<Quadrelon>();
        window()->show();
        QApplication::processEvents();
    }
    return *window();
}

double seconds(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double>(end - start).count();
}

// Selects the variant, puts the given texts into its row and times Calculate().
void Calculate(benchmark::State &state)
{
    const int variant = int(state.range(0));
    Quadrelon &f = form();
    f.Option1[variant]->setChecked(true);
    const auto &given = solver::kGivenColumns[variant];
    QLineEdit *first = f.Text2[variant * solver::kColumnCount + given[0]];
    QLineEdit *second = f.Text2[variant * solver::kColumnCount + given[1]];
    const QString &firstText = bench::kRectangleTexts()[given[0]];
    const QString &secondText = bench::kRectangleTexts()[given[1]];
    for (auto _ : state) {
        first->setText(firstText);
        second->setText(secondText);
        const auto start = Clock::now();
        f.Calculate();
        const auto end = Clock::now();
        state.SetIterationTime(seconds(start, end));
    }
    for (int c = 0; c < solver::kColumnCount; ++c) {
        if (f.Text2[variant * solver::kColumnCount + c]->text() != bench::kResultTexts()[c])
            state.SkipWithError("Calculate() did not write the 3-4-5 rectangle");
    }
}

// The cells first hold the row's plain texts, as Calculate() leaves them before it
// writes the results; the five writes of the results are timed.
void FloorSetText(benchmark::State &state)
{
    Quadrelon &f = form();
    std::array<QLineEdit *, solver::kColumnCount> cells{};
    for (int c = 0; c < solver::kColumnCount; ++c)
        cells[c] = f.Text2[c];
    for (auto _ : state) {
        for (int c = 0; c < solver::kColumnCount; ++c)
            cells[c]->setText(bench::kRectangleTexts()[c]);
        const auto start = Clock::now();
        for (int c = 0; c < solver::kColumnCount; ++c)
            cells[c]->setText(bench::kResultTexts()[c]);
        const auto end = Clock::now();
        state.SetIterationTime(seconds(start, end));
    }
}

} // namespace

namespace bench {

void closeWindow()
{
    window().reset();
}

} // namespace bench

BENCHMARK(Calculate)->DenseRange(0, solver::kVariantCount - 1)->UseManualTime();
BENCHMARK(FloorSetText)->UseManualTime();
