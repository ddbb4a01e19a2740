// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "solver/exact.h"
#include "solver/steps.h"
#include "solver/working.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Problems for the pupil to solve: a rectangle given by the two quantities of one of
// the ten variants, made from a number so that the same number and settings give the
// same problem on every platform, and solved by the solver itself.
namespace practice {

enum class Level : quint8 {
    Whole = 1,   // "Ниво 1 — цели числа": every given value and every answer whole
    Decimal = 2, // "Ниво 2 — десетични": givens with one or two decimals, answers to hundredths
    Roots = 3,   // "Ниво 3 — корени": at least one answer irrational, exact or to hundredths
};
inline constexpr int kLevelCount = 3;

// "Ниво 1 — цели числа", "Ниво 2 — десетични", "Ниво 3 — корени".
QString levelName(Level level);

struct Settings
{
    QList<Level> levels{Level::Whole}; // a problem takes one of them; empty: all three
    QList<int> variants;               // the variants 1 to 10 to choose from; empty: all ten
    // "и задачи без решение": about one in six has none, from the chosen variants that
    // can have none (two sides, or a side and the area, always have a rectangle).
    bool withoutRectangle = false;
    solver::LengthUnit unit = solver::LengthUnit::Centimetre;

    bool operator==(const Settings &) const = default;
};

// Problem numbers run from 1 to this; "Задача № 4821".
inline constexpr quint32 kMaxNumber = 99999;

// One problem and its solution. Cheap to copy.
class Problem
{
public:
    Problem() = default;

    // The problem of a variant (1 to 10) with these given values, solved: for a
    // problem set by hand, and for tests. Its number is 0.
    static Problem withGivens(int variant, double first, double second, Level level,
                              solver::LengthUnit unit = solver::LengthUnit::Centimetre);

    quint32 number() const { return m_number; }
    QString title() const; // "Задача № 4821"
    Level level() const { return m_level; }
    int variant() const { return m_variant; } // 1 to 10
    solver::LengthUnit unit() const { return m_unit; }
    bool hasRectangle() const { return !m_steps.failed; }

    // The two given values, in the variant's columns (solver::kGivenColumns).
    const std::array<double, 2> &givens() const { return m_givens; }
    // The columns asked for (0 to 4: a, b, d, P, S), in the grid's order. A problem
    // without a rectangle asks for them too: the pupil is to find that there is none.
    QList<int> unknowns() const;

    // As a textbook states it, in the default locale's decimals: "Правоъгълник има
    // страна a = 3 см и диагонал d = 6 см. Намерете b, P и S." Without a unit, none.
    // Within each "a = 3 см" the spaces are no-break ones.
    QString statement() const;

    // "b =" and the unit after the field: "см", "см²" for S, empty without a unit.
    static QString letter(int column); // "a", "b", "d", "P", "S"
    QString unitAfter(int column) const;

    // The value of a column: exact where the working knows it, and its double.
    const std::optional<solver::exact::Value> &exact(int column) const
    {
        return m_exact[std::size_t(column)];
    }
    double value(int column) const { return m_values[std::size_t(column)]; }

    // The answer as the key and the working write it: "b = 3√3 см ≈ 5,20 см",
    // "P = 14 см". Empty when there is no rectangle.
    QString answer(int column) const;
    // The formula for a column with the given numbers put in, as the working writes
    // it: "b = √(d² − a²) = √(6² − 3²)"; the formula alone where it needs another
    // answer ("S = a · b"); for sides from the quadratic, its equation. Without a
    // rectangle, whatever column: the condition to check, "трябва страна < d".
    QString hint(int column) const;
    // Without a rectangle: the condition that fails with the problem's numbers and
    // why, in the words of the refusals: "a = 7 см ≥ d = 5 см. Няма правоъгълник с
    // тези стойности: страната трябва да е по-къса от диагонала (трябва страна < d)."
    QString reason() const;
    // The condition alone, "a = 7 см ≥ d = 5 см"; empty when there is a rectangle.
    QString failedCondition() const;
    // The whole working, as "Решение" shows it.
    QStringList working() const;
    const solver::Steps &steps() const { return m_steps; }

    // The same variant and given values (whatever the number).
    bool sameAs(const Problem &other) const
    {
        return m_variant == other.m_variant && m_givens == other.m_givens;
    }

private:
    friend class ProblemMaker;

    quint32 m_number = 0;
    Level m_level = Level::Whole;
    int m_variant = 1;
    solver::LengthUnit m_unit = solver::LengthUnit::Centimetre;
    std::array<double, 2> m_givens{};
    solver::Steps m_steps;
    std::array<std::optional<solver::exact::Value>, 5> m_exact{};
    std::array<double, 5> m_values{};
};

// The problem with this number (1 to kMaxNumber) for these settings. The level,
// the variant, whether it has a rectangle and the numbers all follow from the number
// alone, through integer arithmetic, so every platform makes the same problem.
Problem makeProblem(quint32 number, const Settings &settings);

// A run of problems from one seed: numbers drawn from the seed, never the same
// problem twice in a row (nor, within kMemory problems, at all).
class Generator
{
public:
    static constexpr int kMemory = 8;

    explicit Generator(const Settings &settings, quint64 seed);

    Problem next();
    const Settings &settings() const { return m_settings; }

private:
    Settings m_settings;
    quint64 m_state;
    QList<Problem> m_recent;
};

} // namespace practice
