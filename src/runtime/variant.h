// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/errors.h"

#include <QString>
#include <QtGlobal>

#include <cmath>

namespace runtime {

// The tagged value in which the calculator keeps its working numbers.
//
// Arithmetic follows the rules the results were defined with: the left and right
// operands are used exactly as written, Empty counts as the integer 0, integer +, -
// and * give exact integers, a double operand gives a double, and / always gives a
// double. No NaN or infinity ever comes out: a result beyond the largest double
// raises Overflow and a zero divisor raises DivisionByZero.
class Variant
{
public:
    enum class Kind : quint8 { Empty, Integer, Double, String };

    Variant() noexcept = default;
    explicit Variant(qint16 value) noexcept : m_kind(Kind::Integer), m_integer(value) {}
    explicit Variant(double value) noexcept : m_kind(Kind::Double), m_double(value) {}
    explicit Variant(const QString &text) : m_kind(Kind::String), m_text(text) {}

    Kind kind() const noexcept { return m_kind; }
    bool isEmpty() const noexcept { return m_kind == Kind::Empty; }
    bool isInteger() const noexcept { return m_kind == Kind::Integer; }
    bool isDouble() const noexcept { return m_kind == Kind::Double; }
    bool isString() const noexcept { return m_kind == Kind::String; }

    // Numeric value; a string must hold a number in full (TypeMismatch otherwise).
    double toDouble() const
    {
        switch (m_kind) {
        case Kind::Empty: return 0.0;
        case Kind::Integer: return m_integer;
        case Kind::Double: return m_double;
        case Kind::String: break;
        }
        return stringToDouble(m_text);
    }

    // Rounds half to even; outside -32768..32767 raises Overflow.
    qint16 toInt16() const;

    QString text() const { return m_text; }

    friend Variant operator+(const Variant &left, const Variant &right);
    friend Variant operator-(const Variant &left, const Variant &right);
    friend Variant operator*(const Variant &left, const Variant &right);
    friend Variant operator/(const Variant &left, const Variant &right);

    // The equality test: numbers compare by value whatever their kind.
    friend bool operator==(const Variant &left, const Variant &right)
    {
        if (left.m_kind == Kind::Integer && right.m_kind == Kind::Integer)
            return left.m_integer == right.m_integer;
        return equals(left, right);
    }
    // Three-way numeric comparison for counting loops: <0, 0, >0.
    friend int compare(const Variant &left, const Variant &right);

private:
    enum class Op : quint8 { Add, Sub, Mul };
    static Variant integerOrWider(qint32 exact) noexcept;
    static Variant arithmetic(Op op, const Variant &left, const Variant &right);
    static double stringToDouble(const QString &text);
    static bool equals(const Variant &left, const Variant &right);
    bool isIntegral() const noexcept { return m_kind == Kind::Empty || m_kind == Kind::Integer; }

    Kind m_kind = Kind::Empty;
    qint16 m_integer = 0;
    double m_double = 0.0;
    QString m_text;
};

// A finite double or Overflow.
inline double checkedDouble(double value)
{
    if (!std::isfinite(value)) [[unlikely]]
        raise(ErrorCode::Overflow);
    return value;
}

inline Variant operator+(const Variant &left, const Variant &right)
{
    if (left.m_kind == Variant::Kind::Double && right.m_kind == Variant::Kind::Double)
        return Variant(checkedDouble(left.m_double + right.m_double));
    return Variant::arithmetic(Variant::Op::Add, left, right);
}

inline Variant operator-(const Variant &left, const Variant &right)
{
    if (left.m_kind == Variant::Kind::Double && right.m_kind == Variant::Kind::Double)
        return Variant(checkedDouble(left.m_double - right.m_double));
    return Variant::arithmetic(Variant::Op::Sub, left, right);
}

inline Variant operator*(const Variant &left, const Variant &right)
{
    if (left.m_kind == Variant::Kind::Double && right.m_kind == Variant::Kind::Double)
        return Variant(checkedDouble(left.m_double * right.m_double));
    return Variant::arithmetic(Variant::Op::Mul, left, right);
}

inline Variant operator/(const Variant &left, const Variant &right)
{
    const double divisor = right.toDouble();
    const double dividend = left.toDouble();
    if (divisor == 0.0) [[unlikely]]
        raise(ErrorCode::DivisionByZero);
    return Variant(checkedDouble(dividend / divisor));
}

// Absolute value, of the same kind (an integer -32768 widens to a double).
Variant abs(const Variant &value);

// Correctly rounded square root; a negative argument raises InvalidArgument.
inline double squareRoot(double value)
{
    if (!(value >= 0.0)) [[unlikely]]
        raise(ErrorCode::InvalidArgument);
    return std::sqrt(value);
}

// 16-bit integer arithmetic outside a Variant: any result out of range raises Overflow.
qint16 checkedAdd(qint16 left, qint16 right);
qint16 checkedMultiply(qint16 left, qint16 right);

} // namespace runtime
