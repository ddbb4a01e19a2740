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

// An exact value as text: "3", "1,125", "10/3", "3√3", "3√3/2", "(15 − √5)/4". A
// value that is a quotient is a fraction with "/"; ":" is left to the steps of a
// division, "10 : 3 = 10/3".
struct Form
{
    QString text;
    bool plain = false;         // a finite decimal, not negative
    bool finiteDecimal = false; // exact in decimals: no "≈" needed after it
    bool compound = false;      // a sum or a quotient: a factor only in brackets
    bool sum = false;           // a sum with no denominator: a unit after it takes brackets
};
Form form(const exact::Value &value);

// The value's two decimals as the grid shows them, with the locale's minus: rounded
// from the double the solver computed, save where the exact value lies halfway between
// two hundredths, which rounds away from zero as at school (2,525 gives "2,53", where
// the double nearest to 2,525, just below it, gives "2,52").
QString twoDecimals(const std::optional<exact::Value> &exact, double computed);

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
    // The value: power 1 for a length, 2 for an area, 0 for a plain number. A unit
    // follows the exact form, a sum in brackets: "(6 + 6√3) см ≈ 16,39 см".
    Line &value(const std::optional<exact::Value> &exact, double computed, int power);
    // Only "≈" and the two decimals, and nothing where the exact value is a finite
    // decimal: after a form that already is the value, such as "(5 − √5) : 2".
    Line &approximately(const std::optional<exact::Value> &exact, double computed, int power);
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
