// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <boost/multiprecision/cpp_int.hpp>

#include <QtGlobal>

#include <array>
#include <stdexcept>

// Exact numbers of school geometry: rationals and sums of rational multiples of square
// roots, kept beside the doubles the solver computes so that the working can say "="
// only where it is true.
namespace solver::exact {

// 128 bits, and an overflow throws std::overflow_error instead of wrapping.
using Int = boost::multiprecision::checked_int128_t;

// Thrown where a number leaves the range in which exact forms are kept: a radicand
// or a decimal too large to be a school problem's. Arithmetic overflow of Int throws
// std::overflow_error too, so callers catch that one type.
class OutOfRange : public std::overflow_error
{
public:
    OutOfRange() : std::overflow_error("out of the exact range") {}
};

// A radicand, after scaling to integers, stays at most this, so that taking out its
// square factors stays quick.
inline constexpr quint64 kRadicandLimit = 1'000'000'000'000'000'000ull;

// (n₁√m₁ + n₂√m₂ + …) : den, with integers nᵢ ≠ 0, square-free radicands m₁ < m₂ < …
// (m = 1 is the rational part), den > 0 and no factor common to den and every nᵢ.
// Two equal numbers have the same form.
class Value
{
public:
    struct Term
    {
        Int coefficient;
        quint64 radicand = 1;
    };
    static constexpr int kMaxTerms = 3;

    Value() = default;
    Value(Int integer);

    // The double's shortest decimal, the text that reads back as the same double:
    // what the pupil typed.
    static Value fromDouble(double value);
    static Value fraction(Int numerator, Int denominator);
    // coefficient · √radicand for a square-free radicand.
    static Value surd(Int coefficient, quint64 radicand);

    int termCount() const { return m_count; }
    const Term &term(int i) const { return m_terms[std::size_t(i)]; }
    const Int &denominator() const { return m_denominator; }

    bool isZero() const { return m_count == 0; }
    bool isRational() const { return m_count == 0 || (m_count == 1 && m_terms[0].radicand == 1); }
    // The numerator of a rational value.
    Int numerator() const { return m_count ? m_terms[0].coefficient : Int(0); }
    // -1, 0 or 1; for rational values only.
    int sign() const;

    Value operator+(const Value &other) const;
    Value operator-(const Value &other) const;
    Value operator*(const Value &other) const;
    // Division by a nonzero rational value.
    Value operator/(const Value &divisor) const;
    bool operator==(const Value &other) const;

    // The value in long double, and a bound on how far that is from the exact value.
    long double approximate(long double *error) const;

private:
    void add(const Int &coefficient, quint64 radicand);
    void normalise();

    std::array<Term, kMaxTerms> m_terms{};
    int m_count = 0;
    Int m_denominator = 1;
};

// How many decimals a rational value takes written out in full ("1,125": 3), or -1
// when it is no finite decimal (its denominator has a prime factor other than 2 and 5).
int decimalPlaces(const Value &value);

// √x of a rational x ≥ 0 with the square factors taken out: √(27/4) = 3√3 : 2.
Value squareRoot(const Value &rational);

// True when the exact value lies within bound of the double.
bool agrees(const Value &exact, double computed, double bound);

// True when the exact rational lies within bound of root².
bool squareAgrees(const Value &radicand, double root, double bound);

} // namespace solver::exact
