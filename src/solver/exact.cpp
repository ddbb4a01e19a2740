// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solver/exact.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

namespace solver::exact {

namespace {

Int gcd(const Int &a, const Int &b)
{
    // The numbers of a school problem mostly fit in 64 bits, where the processor's own
    // division is many times quicker.
    static const Int small = std::numeric_limits<qint64>::max();
    if (abs(a) <= small && abs(b) <= small)
        return Int(std::gcd(a.convert_to<qint64>(), b.convert_to<qint64>()));
    return boost::multiprecision::gcd(a, b);
}

quint64 radicandOf(const Int &value)
{
    if (value < 0 || value > Int(kRadicandLimit))
        throw OutOfRange();
    return value.convert_to<quint64>();
}

quint64 isqrt(quint64 n)
{
    auto root = quint64(std::sqrt(double(n)));
    while (root * root > n)
        --root;
    while ((root + 1) * (root + 1) <= n)
        ++root;
    return root;
}

// The primes up to a million: by the cube root, enough for any radicand in range.
const std::vector<quint32> &smallPrimes()
{
    static const std::vector<quint32> primes = [] {
        constexpr quint32 kLimit = 1'000'000;
        std::vector<bool> composite(kLimit + 1);
        std::vector<quint32> list;
        for (quint32 p = 2; p <= kLimit; ++p) {
            if (composite[p])
                continue;
            list.push_back(p);
            for (quint64 m = quint64(p) * p; m <= kLimit; m += p)
                composite[std::size_t(m)] = true;
        }
        return list;
    }();
    return primes;
}

// n = outside² · inside with inside square-free. Trial division needs to go only up to
// the cube root of what is left: a rest without a prime factor that small has at most
// two prime factors, so it is square-free unless it is a square.
void splitSquare(quint64 n, quint64 &outside, quint64 &inside)
{
    outside = 1;
    inside = 1;
    for (const quint32 p : smallPrimes()) {
        if (quint64(p) * p * p > n)
            break;
        // Dividing 32-bit numbers is several times quicker.
        if (n <= 0xffffffffu ? quint32(n) % p != 0 : n % p != 0)
            continue;
        bool odd = false;
        while (n % p == 0) {
            n /= p;
            odd = !odd;
            if (!odd)
                outside *= p;
        }
        if (odd)
            inside *= p;
    }
    const quint64 root = isqrt(n);
    if (root * root == n)
        outside *= root;
    else
        inside *= n;
}

} // namespace

Value::Value(Int integer)
{
    add(integer, 1);
}

Value Value::fraction(Int numerator, Int denominator)
{
    if (denominator == 0)
        throw OutOfRange();
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    Value result(numerator);
    result.m_denominator = denominator;
    result.normalise();
    return result;
}

Value Value::fromDouble(double value)
{
    if (!std::isfinite(value))
        throw OutOfRange();
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, value);
    Int mantissa = 0;
    int exponent = 0;
    bool negative = false;
    const char *p = text;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    for (bool fraction = false; p != written.ptr && *p != 'e'; ++p) {
        if (*p == '.') {
            fraction = true;
            continue;
        }
        mantissa = mantissa * 10 + (*p - '0');
        exponent -= fraction ? 1 : 0;
    }
    if (p != written.ptr) {
        int scale = 0;
        std::from_chars(p + (p[1] == '+' ? 2 : 1), written.ptr, scale);
        exponent += scale;
    }
    // Int holds 38 digits; a decimal beyond them is no school problem's.
    if (exponent > 38 || exponent < -38)
        throw OutOfRange();
    Int power = 1;
    for (int i = 0; i < std::abs(exponent); ++i)
        power *= 10;
    if (negative)
        mantissa = -mantissa;
    return exponent >= 0 ? Value(mantissa * power) : fraction(mantissa, power);
}

Value Value::surd(Int coefficient, quint64 radicand)
{
    Value result;
    result.add(coefficient, radicand);
    return result;
}

int Value::sign() const
{
    return m_count == 0 ? 0 : (m_terms[0].coefficient < 0 ? -1 : 1);
}

void Value::add(const Int &coefficient, quint64 radicand)
{
    if (coefficient == 0)
        return;
    int at = 0;
    while (at < m_count && m_terms[std::size_t(at)].radicand < radicand)
        ++at;
    if (at < m_count && m_terms[std::size_t(at)].radicand == radicand) {
        Int &sum = m_terms[std::size_t(at)].coefficient;
        sum += coefficient;
        if (sum == 0) {
            std::move(m_terms.begin() + at + 1, m_terms.begin() + m_count, m_terms.begin() + at);
            --m_count;
        }
        return;
    }
    if (m_count == kMaxTerms)
        throw OutOfRange();
    std::move_backward(m_terms.begin() + at, m_terms.begin() + m_count,
                       m_terms.begin() + m_count + 1);
    m_terms[std::size_t(at)] = Term{coefficient, radicand};
    ++m_count;
}

void Value::normalise()
{
    if (m_count == 0)
        m_denominator = 1;
    if (m_denominator == 1)
        return;
    Int common = m_denominator;
    for (int i = 0; i < m_count && common != 1; ++i)
        common = gcd(common, m_terms[std::size_t(i)].coefficient);
    if (common == 1)
        return;
    m_denominator /= common;
    for (int i = 0; i < m_count; ++i)
        m_terms[std::size_t(i)].coefficient /= common;
}

Value Value::operator+(const Value &other) const
{
    const Int common = gcd(m_denominator, other.m_denominator);
    const Int mine = other.m_denominator / common;
    const Int theirs = m_denominator / common;
    Value result;
    result.m_denominator = m_denominator * mine;
    for (int i = 0; i < m_count; ++i)
        result.add(term(i).coefficient * mine, term(i).radicand);
    for (int i = 0; i < other.m_count; ++i)
        result.add(other.term(i).coefficient * theirs, other.term(i).radicand);
    result.normalise();
    return result;
}

Value Value::operator-(const Value &other) const
{
    Value negated = other;
    for (int i = 0; i < negated.m_count; ++i)
        negated.m_terms[std::size_t(i)].coefficient = -negated.m_terms[std::size_t(i)].coefficient;
    return *this + negated;
}

// √m · √n = g√((m : g)(n : g)) with g = gcd(m, n); the product of the two cofactors
// is square-free because m and n are.
Value Value::operator*(const Value &other) const
{
    Value result;
    result.m_denominator = m_denominator * other.m_denominator;
    for (int i = 0; i < m_count; ++i) {
        for (int j = 0; j < other.m_count; ++j) {
            const quint64 m = term(i).radicand;
            const quint64 n = other.term(j).radicand;
            const quint64 g = std::gcd(m, n);
            const quint64 radicand = radicandOf(Int(m / g) * Int(n / g));
            result.add(term(i).coefficient * other.term(j).coefficient * Int(g), radicand);
        }
    }
    result.normalise();
    return result;
}

Value Value::operator/(const Value &divisor) const
{
    if (!divisor.isRational() || divisor.isZero())
        throw OutOfRange();
    Value result = *this * Value(divisor.m_denominator);
    Int numerator = divisor.numerator();
    if (numerator < 0) {
        numerator = -numerator;
        result = result * Value(-1);
    }
    result.m_denominator *= numerator;
    result.normalise();
    return result;
}

bool Value::operator==(const Value &other) const
{
    if (m_count != other.m_count || m_denominator != other.m_denominator)
        return false;
    for (int i = 0; i < m_count; ++i) {
        if (term(i).coefficient != other.term(i).coefficient
            || term(i).radicand != other.term(i).radicand)
            return false;
    }
    return true;
}

long double Value::approximate(long double *error) const
{
    // Each term is off by a few units of long double's precision, the sum and the
    // division add one each.
    long double sum = 0.0L;
    long double size = 0.0L;
    for (int i = 0; i < m_count; ++i) {
        const long double t = term(i).coefficient.convert_to<long double>()
            * std::sqrt(static_cast<long double>(term(i).radicand));
        sum += t;
        size += std::fabs(t);
    }
    const long double denominator = m_denominator.convert_to<long double>();
    *error = 16 * LDBL_EPSILON * size / denominator;
    return sum / denominator;
}

int decimalPlaces(const Value &value)
{
    if (!value.isRational())
        return -1;
    Int rest = value.denominator();
    int twos = 0;
    int fives = 0;
    while (rest % 2 == 0) {
        rest /= 2;
        ++twos;
    }
    while (rest % 5 == 0) {
        rest /= 5;
        ++fives;
    }
    return rest == 1 ? std::max(twos, fives) : -1;
}

Value squareRoot(const Value &rational)
{
    if (!rational.isRational() || rational.sign() < 0)
        throw OutOfRange();
    if (rational.isZero())
        return rational;
    const quint64 numerator = radicandOf(rational.numerator());
    const quint64 denominator = radicandOf(rational.denominator());
    quint64 n1 = 1, n2 = 1, d1 = 1, d2 = 1;
    splitSquare(numerator, n1, n2);
    splitSquare(denominator, d1, d2);
    // √(n1² n2 : (d1² d2)) = n1 √(n2 d2) : (d1 d2)
    const quint64 radicand = radicandOf(Int(n2) * Int(d2));
    return Value::surd(Int(n1), radicand) / Value(Int(d1) * Int(d2));
}

bool agrees(const Value &exact, double computed, double bound)
{
    if (!std::isfinite(computed))
        return false;
    long double error = 0.0L;
    const long double value = exact.approximate(&error);
    return std::fabs(value - computed) <= bound + error;
}

bool squareAgrees(const Value &radicand, double root, double bound)
{
    if (!std::isfinite(root) || root < 0.0)
        return false;
    long double error = 0.0L;
    const long double value = radicand.approximate(&error);
    const long double square = static_cast<long double>(root) * root;
    return std::fabs(value - square) <= bound + error + 2 * LDBL_EPSILON * square;
}

} // namespace solver::exact
