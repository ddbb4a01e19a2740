// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "solver/exact.h"
#include "solver/working.h"

#include <QString>

#include <optional>

// The pieces the working's lines are made of: exact numbers as school writes them and
// a line of successive equal forms.
namespace solver::working {

// A leading minus of the locale as school writes it, "−".
QString schoolMinus(QString text);

// The spaces of a formula as no-break spaces.
QString glued(QString text);

// An exact value as text: "3", "1,125", "10/3", "3√3", "3√3 : 2", "(15 − √5) : 4".
struct Form
{
    QString text;
    bool plain = false;         // a finite decimal, not negative
    bool finiteDecimal = false; // exact in decimals: no "≈" needed after it
    bool compound = false;      // a sum or a quotient: takes no unit after it
};
Form form(const exact::Value &value);

enum class Operand : quint8 { Factor, Radicand };

// The value where it is operated on, in parentheses unless it is a plain number (or,
// as a factor, a single root such as 3√3).
QString operand(const exact::Value &value, Operand as = Operand::Factor);

// "3²", "(3√3)²".
QString squared(const exact::Value &value);

// A formula followed by its forms, each after "=", and the value after the last: exact
// with its unit, then "≈" and its two decimals unless it is a finite decimal. Inside
// the formula and each form the spaces are no-break ones; the spaces around "=" and
// "≈", between the steps, and before a unit are ordinary ones.
class Line
{
public:
    Line(const QString &formula, LengthUnit unit);

    // A form equal to the one before; an empty one or a repeat is left out.
    Line &is(const QString &form);
    // The value: power 1 for a length, 2 for an area, 0 for a plain number.
    Line &value(const std::optional<exact::Value> &exact, double computed, int power);
    // A given value beyond the exact range, as typed: the shortest text of its double.
    Line &typed(double given, int power);

    QString text() const { return m_text; }

private:
    QString unit(int power) const;

    QString m_text;
    QString m_last;
    LengthUnit m_unit;
};

} // namespace solver::working
