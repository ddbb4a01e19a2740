// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/variant.h"

#include "runtime/numbertext.h"

#include <limits>

namespace runtime {

namespace {

bool fitsInt16(qint32 value)
{
    return value >= std::numeric_limits<qint16>::min()
        && value <= std::numeric_limits<qint16>::max();
}

} // namespace

qint16 Variant::toInt16() const
{
    if (m_kind == Kind::Integer)
        return m_integer;
    const double value = toDouble();
    // Half to even, as the conversion to an integer always rounded.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<qint16>::min() && rounded <= std::numeric_limits<qint16>::max()))
        raise(ErrorCode::Overflow);
    return static_cast<qint16>(rounded);
}

Variant Variant::integerOrWider(qint32 exact) noexcept
{
    // A result outside 16 bits keeps its exact value in a double rather than wrapping.
    if (fitsInt16(exact))
        return Variant(static_cast<qint16>(exact));
    return Variant(static_cast<double>(exact));
}

Variant Variant::arithmetic(Op op, const Variant &left, const Variant &right)
{
    if (op == Op::Add && left.isString() && right.isString())
        return Variant(left.m_text + right.m_text);

    if (left.isIntegral() && right.isIntegral()) {
        const qint32 l = left.m_kind == Kind::Integer ? left.m_integer : 0;
        const qint32 r = right.m_kind == Kind::Integer ? right.m_integer : 0;
        switch (op) {
        case Op::Add: return integerOrWider(l + r);
        case Op::Sub: return integerOrWider(l - r);
        case Op::Mul: return integerOrWider(l * r);
        }
    }

    const double l = left.toDouble();
    const double r = right.toDouble();
    switch (op) {
    case Op::Add: return Variant(checkedDouble(l + r));
    case Op::Sub: return Variant(checkedDouble(l - r));
    case Op::Mul: return Variant(checkedDouble(l * r));
    }
    Q_UNREACHABLE();
    return Variant();
}

double Variant::stringToDouble(const QString &text)
{
    double value = 0.0;
    if (!parseWholeNumber(text, &value))
        raise(ErrorCode::TypeMismatch);
    return value;
}

bool Variant::equals(const Variant &left, const Variant &right)
{
    if (left.isString() && right.isString())
        return left.m_text == right.m_text;
    if (left.isIntegral() && right.isIntegral())
        return left.m_integer == right.m_integer; // Empty keeps 0 there
    return left.toDouble() == right.toDouble();
}

int compare(const Variant &left, const Variant &right)
{
    const double l = left.toDouble();
    const double r = right.toDouble();
    return l < r ? -1 : (l > r ? 1 : 0);
}

Variant abs(const Variant &value)
{
    switch (value.kind()) {
    case Variant::Kind::Empty:
        return Variant(qint16(0));
    case Variant::Kind::Integer:
        if (value.toInt16() == std::numeric_limits<qint16>::min())
            return Variant(32768.0);
        return Variant(static_cast<qint16>(value.toInt16() < 0 ? -value.toInt16() : value.toInt16()));
    case Variant::Kind::Double:
    case Variant::Kind::String:
        break;
    }
    return Variant(std::fabs(value.toDouble()));
}

qint16 checkedAdd(qint16 left, qint16 right)
{
    const qint32 sum = qint32(left) + qint32(right);
    if (!fitsInt16(sum))
        raise(ErrorCode::Overflow);
    return static_cast<qint16>(sum);
}

qint16 checkedMultiply(qint16 left, qint16 right)
{
    const qint32 product = qint32(left) * qint32(right);
    if (!fitsInt16(product))
        raise(ErrorCode::Overflow);
    return static_cast<qint16>(product);
}

} // namespace runtime
