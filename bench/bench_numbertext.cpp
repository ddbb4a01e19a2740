// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The number reader and the two number texts beside plain conversions.
#include "plainfloors.h"

#include "runtime/numbertext.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

// A short whole number as typed into a cell, and a longer one with decimals.
const std::array<QString, 2> &readInputs()
{
    static const std::array<QString, 2> texts{QStringLiteral("14"), QStringLiteral("1234.5678")};
    return texts;
}

constexpr std::array<double, 2> kWriteInputs{14.0, 1234.5678};

void ReadNumber(benchmark::State &state)
{
    const QString &text = readInputs()[state.range(0)];
    double value = 0.0;
    for (auto _ : state) {
        benchmark::ClobberMemory();
        value = runtime::readNumber(text);
        benchmark::DoNotOptimize(value);
    }
    if (value != floors::read(text))
        state.SkipWithError("readNumber read another value");
}

void FloorFromChars(benchmark::State &state)
{
    const QString &text = readInputs()[state.range(0)];
    double value = 0.0;
    for (auto _ : state) {
        benchmark::ClobberMemory();
        value = floors::read(text);
        benchmark::DoNotOptimize(value);
    }
}

// One number written as text, again and again.
template <typename Write>
void measureWrite(benchmark::State &state, Write write)
{
    double value = kWriteInputs[state.range(0)];
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        QString text = write(value);
        benchmark::DoNotOptimize(text);
    }
}

void PlainText(benchmark::State &state)
{
    measureWrite(state, runtime::plainText);
}

void FloorToChars(benchmark::State &state)
{
    measureWrite(state, floors::shortest);
}

void TwoDecimalText(benchmark::State &state)
{
    measureWrite(state, runtime::twoDecimalText);
}

void FloorNumber(benchmark::State &state)
{
    measureWrite(state, [](double value) { return QString::number(value, 'f', 2); });
}

} // namespace

BENCHMARK(ReadNumber)->DenseRange(0, 1);
BENCHMARK(FloorFromChars)->DenseRange(0, 1);
BENCHMARK(PlainText)->DenseRange(0, 1);
BENCHMARK(FloorToChars)->DenseRange(0, 1);
BENCHMARK(TwoDecimalText)->DenseRange(0, 1);
BENCHMARK(FloorNumber)->DenseRange(0, 1);
