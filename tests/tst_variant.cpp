// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the calculator's working values: their arithmetic, comparison and
// conversions, the checked 16-bit helpers, the square root and the error texts.

#include "runtime/errors.h"
#include "runtime/variant.h"

#include <QLocale>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <bit>
#include <charconv>
#include <limits>

using runtime::ErrorCode;
using runtime::RuntimeError;
using runtime::Variant;

Q_DECLARE_METATYPE(runtime::Variant)
Q_DECLARE_METATYPE(runtime::ErrorCode)

namespace {

constexpr double kMaxDouble = std::numeric_limits<double>::max();

Variant integer(int value)
{
    return Variant(static_cast<qint16>(value));
}

Variant real(double value)
{
    return Variant(value);
}

Variant text(const char *value)
{
    return Variant(QString::fromUtf8(value));
}

// The kind and the exact value, so that a failure shows both and -0 differs from 0.
QString describe(const Variant &value)
{
    switch (value.kind()) {
    case Variant::Kind::Empty: return QStringLiteral("Empty");
    case Variant::Kind::String: return QStringLiteral("String ") + value.text();
    case Variant::Kind::Integer: return QStringLiteral("Integer %1").arg(value.toInt16());
    case Variant::Kind::Double: break;
    }
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value.toDouble()).ptr;
    return QStringLiteral("Double ") + QString::fromLatin1(buffer, end - buffer);
}

Variant apply(const QString &op, const Variant &left, const Variant &right)
{
    if (op == u"+")
        return left + right;
    if (op == u"-")
        return left - right;
    if (op == u"*")
        return left * right;
    return left / right;
}

// The number of the error the call raised, 0 when it raised none.
template <typename Call>
int raisedNumber(Call &&call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

const ErrorCode kAllCodes[] = {
    ErrorCode::InvalidArgument, ErrorCode::Overflow, ErrorCode::DivisionByZero,
    ErrorCode::TypeMismatch, ErrorCode::FloatingPoint, ErrorCode::ControlFailure,
    ErrorCode::SideUnderflow, ErrorCode::SideLongerThanDiagonal, ErrorCode::GivenValueZero,
    ErrorCode::SideLongerThanHalfPerimeter, ErrorCode::DiagonalLongerThanHalfPerimeter,
    ErrorCode::DiagonalTooShortForPerimeter, ErrorCode::AreaTooLargeForDiagonal,
    ErrorCode::AreaTooLargeForPerimeter, ErrorCode::NoSidesForSumAndProduct,
    ErrorCode::NoNumberGiven,
};

} // namespace

class TestVariant : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void arithmetic_data();
    void arithmetic();
    void arithmeticErrors_data();
    void arithmeticErrors();
    void absoluteValue_data();
    void absoluteValue();
    void equality_data();
    void equality();
    void toInt16_data();
    void toInt16();
    void toDouble_data();
    void toDouble();
    void checkedInt16_data();
    void checkedInt16();
    void squareRoot_data();
    void squareRoot();
    void errorNumbers_data();
    void errorNumbers();
    void errorMessages();

private:
    QLocale m_savedLocale;
};

void TestVariant::initTestCase()
{
    m_savedLocale = QLocale();
    QLocale::setDefault(QLocale::c()); // strings in arithmetic are read with it
}

void TestVariant::cleanupTestCase()
{
    QLocale::setDefault(m_savedLocale);
}

void TestVariant::arithmetic_data()
{
    QTest::addColumn<Variant>("left");
    QTest::addColumn<QString>("op");
    QTest::addColumn<Variant>("right");
    QTest::addColumn<Variant>("expected");

    const Variant empty;
    QTest::newRow("int + int") << integer(2) << "+" << integer(3) << integer(5);
    QTest::newRow("int - int keeps order") << integer(7) << "-" << integer(10) << integer(-3);
    QTest::newRow("int * int") << integer(181) << "*" << integer(181) << integer(32761);
    QTest::newRow("int + int past max widens") << integer(32767) << "+" << integer(1) << real(32768.0);
    QTest::newRow("int - int past min widens") << integer(-32768) << "-" << integer(1) << real(-32769.0);
    QTest::newRow("int * int past max widens") << integer(200) << "*" << integer(-200) << real(-40000.0);
    QTest::newRow("min * -1 widens") << integer(-32768) << "*" << integer(-1) << real(32768.0);
    QTest::newRow("min * min exact") << integer(-32768) << "*" << integer(-32768) << real(1073741824.0);
    QTest::newRow("int - int reaching min") << integer(-32767) << "-" << integer(1) << integer(-32768);
    QTest::newRow("empty + empty") << empty << "+" << empty << integer(0);
    QTest::newRow("empty - int") << empty << "-" << integer(5) << integer(-5);
    QTest::newRow("int - empty") << integer(5) << "-" << empty << integer(5);
    QTest::newRow("empty * double") << empty << "*" << real(2.5) << real(0.0);
    QTest::newRow("double + empty") << real(-2.5) << "+" << empty << real(-2.5);
    QTest::newRow("int / int gives double") << integer(6) << "/" << integer(3) << real(2.0);
    QTest::newRow("int / int keeps order") << integer(2) << "/" << integer(8) << real(0.25);
    QTest::newRow("int / int inexact") << integer(1) << "/" << integer(3) << real(1.0 / 3.0);
    QTest::newRow("empty / int") << empty << "/" << integer(4) << real(0.0);
    QTest::newRow("0.1 + 0.2") << real(0.1) << "+" << real(0.2) << real(0.30000000000000004);
    QTest::newRow("1 - 0.9") << real(1.0) << "-" << real(0.9) << real(0.09999999999999998);
    QTest::newRow("int + double") << integer(1) << "+" << real(0.5) << real(1.5);
    QTest::newRow("double + int") << real(0.5) << "+" << integer(1) << real(1.5);
    QTest::newRow("int - double keeps order") << integer(3) << "-" << real(10.0) << real(-7.0);
    QTest::newRow("double * int stays double") << real(1.5) << "*" << integer(2) << real(3.0);
    QTest::newRow("double / double") << real(1.0) << "/" << real(10.0) << real(0.1);
    QTest::newRow("double product underflows to 0") << real(1e-300) << "*" << real(1e-300) << real(0.0);
    QTest::newRow("max + 1 rounds back to max") << real(kMaxDouble) << "+" << real(1.0) << real(kMaxDouble);
    QTest::newRow("max * 1") << real(kMaxDouble) << "*" << integer(1) << real(kMaxDouble);
    QTest::newRow("max / 1") << real(kMaxDouble) << "/" << integer(1) << real(kMaxDouble);
    QTest::newRow("string * int") << text(" 12 ") << "*" << integer(2) << real(24.0);
    QTest::newRow("int - string") << integer(1) << "-" << text("2.5") << real(-1.5);
    QTest::newRow("string / int") << text("1e3") << "/" << integer(8) << real(125.0);
}

void TestVariant::arithmetic()
{
    QFETCH(Variant, left);
    QFETCH(QString, op);
    QFETCH(Variant, right);
    QFETCH(Variant, expected);

    QCOMPARE(describe(apply(op, left, right)), describe(expected));
}

void TestVariant::arithmeticErrors_data()
{
    QTest::addColumn<Variant>("left");
    QTest::addColumn<QString>("op");
    QTest::addColumn<Variant>("right");
    QTest::addColumn<ErrorCode>("expected");

    const Variant empty;
    QTest::newRow("sum past max") << real(kMaxDouble) << "+" << real(kMaxDouble) << ErrorCode::Overflow;
    QTest::newRow("difference past -max") << real(-1e308) << "-" << real(1e308) << ErrorCode::Overflow;
    QTest::newRow("product past max") << real(1e200) << "*" << real(-1e200) << ErrorCode::Overflow;
    QTest::newRow("int * double past max") << integer(32767) << "*" << real(1e305) << ErrorCode::Overflow;
    QTest::newRow("quotient past max") << real(1e308) << "/" << real(0.1) << ErrorCode::Overflow;
    QTest::newRow("quotient by tiny") << integer(1) << "/" << real(5e-324) << ErrorCode::Overflow;
    QTest::newRow("int / 0") << integer(1) << "/" << integer(0) << ErrorCode::DivisionByZero;
    QTest::newRow("double / empty") << real(2.5) << "/" << empty << ErrorCode::DivisionByZero;
    QTest::newRow("double / -0") << real(-2.5) << "/" << real(-0.0) << ErrorCode::DivisionByZero;
    QTest::newRow("0 / 0") << empty << "/" << real(0.0) << ErrorCode::DivisionByZero;
    QTest::newRow("text + int") << text("abc") << "+" << integer(1) << ErrorCode::TypeMismatch;
    QTest::newRow("number then junk") << text("12abc") << "*" << integer(1) << ErrorCode::TypeMismatch;
    QTest::newRow("empty text") << integer(1) << "-" << text("") << ErrorCode::TypeMismatch;
    QTest::newRow("blank text") << real(1.0) << "+" << text("   ") << ErrorCode::TypeMismatch;
    QTest::newRow("exponent without digits") << integer(1) << "+" << text("1e+") << ErrorCode::TypeMismatch;
    QTest::newRow("two numbers") << integer(1) << "/" << text("1 2") << ErrorCode::TypeMismatch;
}

void TestVariant::arithmeticErrors()
{
    QFETCH(Variant, left);
    QFETCH(QString, op);
    QFETCH(Variant, right);
    QFETCH(ErrorCode, expected);

    QCOMPARE(raisedNumber([&] { apply(op, left, right); }), static_cast<int>(expected));
}

void TestVariant::absoluteValue_data()
{
    QTest::addColumn<Variant>("value");
    QTest::addColumn<Variant>("expected");

    QTest::newRow("negative int") << integer(-5) << integer(5);
    QTest::newRow("positive int") << integer(32767) << integer(32767);
    QTest::newRow("min int widens") << integer(-32768) << real(32768.0);
    QTest::newRow("empty") << Variant() << integer(0);
    QTest::newRow("negative double") << real(-2.5) << real(2.5);
    QTest::newRow("negative zero") << real(-0.0) << real(0.0);
    QTest::newRow("-max") << real(-kMaxDouble) << real(kMaxDouble);
}

void TestVariant::absoluteValue()
{
    QFETCH(Variant, value);
    QFETCH(Variant, expected);

    QCOMPARE(describe(runtime::abs(value)), describe(expected));
}

void TestVariant::equality_data()
{
    QTest::addColumn<Variant>("left");
    QTest::addColumn<Variant>("right");
    QTest::addColumn<bool>("equal");

    QTest::newRow("empty, empty") << Variant() << Variant() << true;
    QTest::newRow("empty, int 0") << Variant() << integer(0) << true;
    QTest::newRow("empty, int 1") << Variant() << integer(1) << false;
    QTest::newRow("empty, double 0") << Variant() << real(0.0) << true;
    QTest::newRow("int, same int") << integer(-32768) << integer(-32768) << true;
    QTest::newRow("int, other int") << integer(1) << integer(2) << false;
    QTest::newRow("int, same double") << integer(32767) << real(32767.0) << true;
    QTest::newRow("int, near double") << integer(2) << real(2.0000000000000004) << false;
    QTest::newRow("int 0, -0") << integer(0) << real(-0.0) << true;
    QTest::newRow("0.1 + 0.2, 0.3") << real(0.1) + real(0.2) << real(0.3) << false;
    QTest::newRow("widened sum, double") << integer(32767) + integer(1) << real(32768.0) << true;
}

void TestVariant::equality()
{
    QFETCH(Variant, left);
    QFETCH(Variant, right);
    QFETCH(bool, equal);

    QCOMPARE(left == right, equal);
    QCOMPARE(right == left, equal);
}

void TestVariant::toInt16_data()
{
    QTest::addColumn<Variant>("value");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("overflows");

    QTest::newRow("int") << integer(-7) << -7 << false;
    QTest::newRow("empty") << Variant() << 0 << false;
    QTest::newRow("0.5 to even") << real(0.5) << 0 << false;
    QTest::newRow("1.5 to even") << real(1.5) << 2 << false;
    QTest::newRow("2.5 to even") << real(2.5) << 2 << false;
    QTest::newRow("-2.5 to even") << real(-2.5) << -2 << false;
    QTest::newRow("-3.5 to even") << real(-3.5) << -4 << false;
    QTest::newRow("just below half") << real(2.4999999999999996) << 2 << false;
    QTest::newRow("just above half") << real(2.5000000000000004) << 3 << false;
    QTest::newRow("string") << text(" 41.5 ") << 42 << false;
    QTest::newRow("near max") << real(32767.49) << 32767 << false;
    QTest::newRow("half above max") << real(32767.5) << 0 << true;
    QTest::newRow("half below min to even") << real(-32768.5) << -32768 << false;
    QTest::newRow("past half below min") << real(-32768.500000001) << 0 << true;
    QTest::newRow("large") << real(1e10) << 0 << true;
    QTest::newRow("-max") << real(-kMaxDouble) << 0 << true;
}

void TestVariant::toInt16()
{
    QFETCH(Variant, value);
    QFETCH(int, expected);
    QFETCH(bool, overflows);

    qint16 result = 0;
    const int raised = raisedNumber([&] { result = value.toInt16(); });
    QCOMPARE(raised, overflows ? static_cast<int>(ErrorCode::Overflow) : 0);
    QCOMPARE(int(result), expected);
}

void TestVariant::toDouble_data()
{
    QTest::addColumn<Variant>("value");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("error");

    QTest::newRow("empty") << Variant() << 0.0 << 0;
    QTest::newRow("min int") << integer(-32768) << -32768.0 << 0;
    QTest::newRow("double") << real(0.30000000000000004) << 0.30000000000000004 << 0;
    QTest::newRow("string") << text("-1e3") << -1000.0 << 0;
    QTest::newRow("string past max") << text("1e309") << 0.0 << int(ErrorCode::Overflow);
    QTest::newRow("not a number") << text("x") << 0.0 << int(ErrorCode::TypeMismatch);
}

void TestVariant::toDouble()
{
    QFETCH(Variant, value);
    QFETCH(double, expected);
    QFETCH(int, error);

    double result = 0.0;
    QCOMPARE(raisedNumber([&] { result = value.toDouble(); }), error);
    QCOMPARE(std::bit_cast<quint64>(result), std::bit_cast<quint64>(expected));
}

void TestVariant::checkedInt16_data()
{
    QTest::addColumn<bool>("multiply");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("overflows");

    QTest::newRow("sum") << false << -32768 << 32767 << -1 << false;
    QTest::newRow("sum reaching max") << false << 16383 << 16384 << 32767 << false;
    QTest::newRow("sum past max") << false << 32767 << 1 << 0 << true;
    QTest::newRow("sum past min") << false << -32768 << -1 << 0 << true;
    QTest::newRow("sum of zeros") << false << 0 << 0 << 0 << false;
    QTest::newRow("product reaching min") << true << -256 << 128 << -32768 << false;
    QTest::newRow("product past max") << true << 256 << 128 << 0 << true;
    QTest::newRow("product past min") << true << -256 << 129 << 0 << true;
    QTest::newRow("min times -1") << true << -32768 << -1 << 0 << true;
    QTest::newRow("square") << true << 181 << 181 << 32761 << false;
    QTest::newRow("square past max") << true << 182 << 182 << 0 << true;
    QTest::newRow("zero times min") << true << 0 << -32768 << 0 << false;
}

void TestVariant::checkedInt16()
{
    QFETCH(bool, multiply);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, expected);
    QFETCH(bool, overflows);

    const auto l = static_cast<qint16>(left);
    const auto r = static_cast<qint16>(right);
    qint16 result = 0;
    const int raised = raisedNumber([&] {
        result = multiply ? runtime::checkedMultiply(l, r) : runtime::checkedAdd(l, r);
    });
    QCOMPARE(raised, overflows ? static_cast<int>(ErrorCode::Overflow) : 0);
    QCOMPARE(int(result), expected);
}

void TestVariant::squareRoot_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("invalid");

    QTest::newRow("zero") << 0.0 << 0.0 << false;
    QTest::newRow("quarter") << 0.25 << 0.5 << false;
    QTest::newRow("two") << 2.0 << 1.4142135623730951 << false;
    QTest::newRow("max") << kMaxDouble << 1.3407807929942596e154 << false;
    QTest::newRow("minus one") << -1.0 << 0.0 << true;
    QTest::newRow("smallest negative") << -5e-324 << 0.0 << true;
    QTest::newRow("-max") << -kMaxDouble << 0.0 << true;
}

void TestVariant::squareRoot()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QFETCH(bool, invalid);

    double result = 0.0;
    const int raised = raisedNumber([&] { result = runtime::squareRoot(value); });
    QCOMPARE(raised, invalid ? static_cast<int>(ErrorCode::InvalidArgument) : 0);
    QCOMPARE(std::bit_cast<quint64>(result), std::bit_cast<quint64>(expected));
}

void TestVariant::errorNumbers_data()
{
    QTest::addColumn<ErrorCode>("code");
    QTest::addColumn<int>("number");

    // The numbers the user sees and may look up; they must not change.
    QTest::newRow("invalid argument") << ErrorCode::InvalidArgument << 5;
    QTest::newRow("overflow") << ErrorCode::Overflow << 6;
    QTest::newRow("division by zero") << ErrorCode::DivisionByZero << 11;
    QTest::newRow("type mismatch") << ErrorCode::TypeMismatch << 13;
    QTest::newRow("floating point") << ErrorCode::FloatingPoint << 16;
    QTest::newRow("control failure") << ErrorCode::ControlFailure << 440;
    QTest::newRow("side longer than diagonal") << ErrorCode::SideLongerThanDiagonal << 1001;
    QTest::newRow("no sides for sum and product") << ErrorCode::NoSidesForSumAndProduct << 1008;
}

void TestVariant::errorNumbers()
{
    QFETCH(ErrorCode, code);
    QFETCH(int, number);

    QCOMPARE(RuntimeError(code).number(), number);
    QCOMPARE(raisedNumber([&] { runtime::raise(code); }), number);
}

void TestVariant::errorMessages()
{
    QSet<QString> seen;
    for (const ErrorCode code : kAllCodes) {
        const QString message = runtime::errorMessage(code);
        const int number = static_cast<int>(code);
        QVERIFY2(!message.trimmed().isEmpty(), qPrintable(QString::number(number)));
        QVERIFY2(std::any_of(message.cbegin(), message.cend(),
                             [](QChar c) { return c.script() == QChar::Script_Cyrillic; }),
                 qPrintable(QString::number(number)));
        QVERIFY2(!seen.contains(message), qPrintable(QString::number(number)));
        seen.insert(message);
        QCOMPARE(RuntimeError(code).message(), message);
    }
}

QTEST_GUILESS_MAIN(TestVariant)
#include "tst_variant.moc"
