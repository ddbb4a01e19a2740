// Tests of the rectangle solver: the ten variants with exact results, the values that
// describe no rectangle, overflow, the values the form keeps between calculations, and
// a property check against thousands of random rectangles.

#include "runtime/errors.h"
#include "runtime/numbertext.h"
#include "runtime/variant.h"
#include "solver/rectangle.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QString>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

using runtime::ErrorCode;
using runtime::RuntimeError;
using runtime::Variant;
using solver::FormValues;
using solver::SolveVariant;
using solver::WorkingValues;

Q_DECLARE_METATYPE(runtime::ErrorCode)

namespace {

enum Col { ColA = 0, ColB = 1, ColD = 2, ColP = 3, ColS = 4 };

// The two given columns of each variant, written out here independently of the
// solver's own table.
constexpr int kGiven[10][2] = {
    {ColA, ColB}, {ColA, ColD}, {ColA, ColP}, {ColA, ColS}, {ColB, ColD},
    {ColB, ColP}, {ColB, ColS}, {ColD, ColP}, {ColD, ColS}, {ColP, ColS},
};

// Text in every cell that is not given, so that reading a wrong cell shows.
const QString kStrayText = QStringLiteral("7777");

class Grid final : public solver::CellTexts
{
public:
    Grid(int variant, const QString &first, const QString &second)
    {
        m_cells.fill(kStrayText);
        m_cells.at(std::size_t(variant * 5 + kGiven[variant][0])) = first;
        m_cells.at(std::size_t(variant * 5 + kGiven[variant][1])) = second;
    }

    QString text(qint16 cell) const override { return m_cells.at(std::size_t(cell)); }

private:
    std::array<QString, 50> m_cells;
};

const Variant &column(const WorkingValues &out, int col)
{
    switch (col) {
    case ColA: return out.a;
    case ColB: return out.b;
    case ColD: return out.d;
    case ColP: return out.P;
    default: return out.S;
    }
}

const char *const kNames[5] = {"a", "b", "d", "P", "S"};

int columnOfLetter(QChar letter)
{
    return QStringLiteral("abdPS").indexOf(letter);
}

Variant sentinel()
{
    return Variant(QStringLiteral("unset"));
}

bool isSentinel(const Variant &value)
{
    return value.isString() && value.text() == QStringLiteral("unset");
}

WorkingValues sentinelResults()
{
    return WorkingValues{sentinel(), sentinel(), sentinel(), sentinel(), sentinel()};
}

// Solves and returns the error code raised, if any.
std::optional<ErrorCode> solve(int variant, const QString &first, const QString &second,
                               FormValues &form, WorkingValues &out)
{
    const Grid grid(variant, first, second);
    try {
        SolveVariant(Variant(qint16(variant)), grid, form, out);
    } catch (const RuntimeError &error) {
        return error.code();
    }
    return std::nullopt;
}

QByteArray describe(double value)
{
    return runtime::plainText(value).toLatin1();
}

// True when every result is exactly the double expected; otherwise says which is not.
bool exactly(const WorkingValues &out, const std::array<double, 5> &expected, QByteArray *why)
{
    for (int col = 0; col < 5; ++col) {
        const Variant &value = column(out, col);
        if (value.isString() || value.isEmpty()) {
            *why = QByteArray(kNames[col]) + " was not computed";
            return false;
        }
        if (value.toDouble() != expected[std::size_t(col)]) {
            *why = QByteArray(kNames[col]) + " is " + describe(value.toDouble()) + ", expected "
                + describe(expected[std::size_t(col)]);
            return false;
        }
    }
    return true;
}

} // namespace

class TstSolver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void threeFourFive_data();
    void threeFourFive();

    void exactResults_data();
    void exactResults();

    void noRectangleOrOverflow_data();
    void noRectangleOrOverflow();

    void formKeepsSidesAfterFloatingPointCheck();

    void allZeroInputs_data();
    void allZeroInputs();

    void randomRectangles_data();
    void randomRectangles();

private:
    static void addResultColumns();
    static void verifyExactRow();
};

void TstSolver::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TstSolver::addResultColumns()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("d");
    QTest::addColumn<double>("P");
    QTest::addColumn<double>("S");
}

void TstSolver::threeFourFive_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    addResultColumns();

    const QString texts[2][5] = {
        {QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("14"),
         QStringLiteral("12")},
        {QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("14"),
         QStringLiteral("12")},
    };
    for (int turned = 0; turned < 2; ++turned) {
        for (int variant = 0; variant < 10; ++variant) {
            // Variants 7, 8 and 9 find both sides from d, P and S, which do not change when
            // the rectangle is turned, and give the smaller side first.
            const bool sorted = variant >= 7;
            if (turned == 1 && sorted)
                continue;
            const double a = (turned == 1 && !sorted) ? 4.0 : 3.0;
            const double b = (turned == 1 && !sorted) ? 3.0 : 4.0;
            const QByteArray name = QByteArray("variant ") + QByteArray::number(variant)
                + (turned == 1 ? " a=4 b=3" : " a=3 b=4");
            QTest::newRow(name.constData())
                << variant << texts[turned][kGiven[variant][0]]
                << texts[turned][kGiven[variant][1]] << a << b << 5.0 << 14.0 << 12.0;
        }
    }
}

// Solves the current data row and compares all five results exactly.
void TstSolver::verifyExactRow()
{
    QFETCH(int, variant);
    QFETCH(QString, first);
    QFETCH(QString, second);

    FormValues form;
    WorkingValues out = sentinelResults();
    const auto error = solve(variant, first, second, form, out);
    QVERIFY2(!error,
             QByteArray("raised error ") + QByteArray::number(int(error.value_or(ErrorCode{}))));
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, d);
    QFETCH(double, P);
    QFETCH(double, S);
    QByteArray why;
    QVERIFY2(exactly(out, {a, b, d, P, S}, &why), why.constData());
}

void TstSolver::threeFourFive()
{
    verifyExactRow();
}

void TstSolver::exactResults_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    addResultColumns();

    // Close to the square of side 2, on the side where a rectangle still exists.
    QTest::newRow("r7 near square d=2.83 P=8")
        << 7 << QStringLiteral("2.83") << QStringLiteral("8") << 1.9332916796793662
        << 2.066708320320634 << 2.83 << 8.0 << 3.9955499999999997;
    QTest::newRow("r8 near square d=2.83 S=4")
        << 8 << QStringLiteral("2.83") << QStringLiteral("4") << 1.9533862670076971
        << 2.047726078328285 << 2.83 << 8.002224690671964 << 4.0;

    // Squares.
    QTest::newRow("r9 square P=8 S=4") << 9 << QStringLiteral("8") << QStringLiteral("4")
                                       << 2.0 << 2.0 << 2.8284271247461903 << 8.0 << 4.0;
    QTest::newRow("r8 square d=2.8284271247461903 S=4")
        << 8 << QStringLiteral("2.8284271247461903") << QStringLiteral("4") << 2.0 << 2.0
        << 2.8284271247461903 << 8.0 << 4.0;

    // A square's values typed in decimals, a rounding error away from the square: the
    // discriminant lands just below zero and the square is still solved.
    QTest::newRow("r9 square typed P=0.84 S=0.0441")
        << 9 << QStringLiteral("0.84") << QStringLiteral("0.0441") << 0.21 << 0.21
        << 0.29698484809834996 << 0.84 << 0.0441;
    QTest::newRow("r9 S one unit above the square's") << 9 << QStringLiteral("8")
        << QStringLiteral("4.000000000000001") << 2.0 << 2.0 << 2.8284271247461903 << 8.0
        << 4.000000000000001;
    QTest::newRow("r7 d one unit below the square's") << 7 << QStringLiteral("2.82842712474619")
        << QStringLiteral("8") << 2.0 << 2.0 << 2.8284271247461898 << 8.0 << 4.0;
    QTest::newRow("r8 d one unit below the square's") << 8 << QStringLiteral("2.82842712474619")
        << QStringLiteral("4") << 1.9999999999999998 << 1.9999999999999998 << 2.8284271247461898
        << 7.9999999999999991 << 4.0;

    // Degenerate rectangles with a zero side.
    QTest::newRow("r7 d=P/2 d=4 P=8") << 7 << QStringLiteral("4") << QStringLiteral("8") << 0.0
                                      << 4.0 << 4.0 << 8.0 << 0.0;
    QTest::newRow("r1 a=d=5") << 1 << QStringLiteral("5") << QStringLiteral("5") << 5.0 << 0.0
                              << 5.0 << 10.0 << 0.0;
    QTest::newRow("r4 b=d=5") << 4 << QStringLiteral("5") << QStringLiteral("5") << 0.0 << 5.0
                              << 5.0 << 10.0 << 0.0;
    QTest::newRow("r2 a=P/2 a=4 P=8") << 2 << QStringLiteral("4") << QStringLiteral("8") << 4.0
                                      << 0.0 << 4.0 << 8.0 << 0.0;
    QTest::newRow("r5 b=P/2 b=4 P=8") << 5 << QStringLiteral("4") << QStringLiteral("8") << 0.0
                                      << 4.0 << 4.0 << 8.0 << 0.0;
    QTest::newRow("r9 S=0 P=8") << 9 << QStringLiteral("8") << QStringLiteral("0") << 0.0 << 4.0
                                << 4.0 << 8.0 << 0.0;

    // Decimal inputs, where each operation's rounding shows in the last digit: the other
    // side is the quotient S/side, not S times the reciprocal of the side.
    QTest::newRow("r3 a=0.1 S=0.3")
        << 3 << QStringLiteral("0.1") << QStringLiteral("0.3") << 0.1 << 2.9999999999999996
        << 3.0016662039607267 << 6.199999999999999 << 0.3;
    QTest::newRow("r6 b=0.1 S=0.3") << 6 << QStringLiteral("0.1") << QStringLiteral("0.3")
                                    << 2.9999999999999996 << 0.1 << 3.0016662039607267
                                    << 6.199999999999999 << 0.3;
    QTest::newRow("r2 a=0.1 P=0.7") << 2 << QStringLiteral("0.1") << QStringLiteral("0.7") << 0.1
                                    << 0.24999999999999997 << 0.2692582403567252 << 0.7
                                    << 0.024999999999999998;
    QTest::newRow("r1 a=0.1 d=0.3") << 1 << QStringLiteral("0.1") << QStringLiteral("0.3") << 0.1
                                    << 0.282842712474619 << 0.3 << 0.765685424949238
                                    << 0.0282842712474619;
}

void TstSolver::exactResults()
{
    verifyExactRow();
}

void TstSolver::noRectangleOrOverflow_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<ErrorCode>("error");
    // The results that must keep what they held: those the failing step or a later one
    // would compute.
    QTest::addColumn<QString>("untouched");

    const auto row = [](const char *name, int variant, const char *first, const char *second,
                        ErrorCode error, const char *untouched) {
        QTest::newRow(name) << variant << QString::fromLatin1(first)
                            << QString::fromLatin1(second) << error
                            << QString::fromLatin1(untouched);
    };

    // Values that describe no rectangle.
    row("r1 a>d", 1, "6", "5", ErrorCode::SideLongerThanDiagonal, "bPS");
    row("r1 a one unit above d", 1, "5.000000000000001", "5", ErrorCode::SideLongerThanDiagonal,
        "bPS");
    row("r4 b>d", 4, "6", "5", ErrorCode::SideLongerThanDiagonal, "aPS");
    row("r3 a=0", 3, "0", "12", ErrorCode::SideZeroWithArea, "bdP");
    row("r6 b=0", 6, "0", "12", ErrorCode::SideZeroWithArea, "adP");
    row("r2 a>P/2", 2, "5", "8", ErrorCode::SideLongerThanHalfPerimeter, "bdS");
    row("r2 a one unit above P/2", 2, "4.000000000000001", "8",
        ErrorCode::SideLongerThanHalfPerimeter, "bdS");
    row("r5 b>P/2", 5, "5", "8", ErrorCode::SideLongerThanHalfPerimeter, "adS");
    row("r7 d>P/2", 7, "5", "8", ErrorCode::DiagonalLongerThanHalfPerimeter, "abS");
    row("r7 d too short d=2.82 P=8", 7, "2.82", "8", ErrorCode::DiagonalTooShortForPerimeter,
        "abS");
    row("r8 S>d*d/2 d=2.82 S=4", 8, "2.82", "4", ErrorCode::AreaTooLargeForDiagonal, "abP");
    row("r9 S>P*P/16", 9, "14", "13", ErrorCode::AreaTooLargeForPerimeter, "abd");
    // Past the rounding of a square's values by more than a few units in the last place.
    row("r9 S a few units above the square's", 9, "8", "4.00000000000002",
        ErrorCode::AreaTooLargeForPerimeter, "abd");

    // Results beyond the largest double.
    row("r0 text beyond the largest double", 0, "1e309", "1", ErrorCode::Overflow, "dPS");
    row("r0 a=1e200 squared", 0, "1e200", "1", ErrorCode::Overflow, "dPS");
    row("r0 b=1.4e154 squared", 0, "1", "1.4e154", ErrorCode::Overflow, "dPS");
    row("r0 sum of squares", 0, "1.2e154", "1.2e154", ErrorCode::Overflow, "dPS");
    row("r1 d=1.5e154 squared", 1, "1", "1.5e154", ErrorCode::Overflow, "bPS");
    row("r2 sides of 1e200", 2, "1e200", "4e200", ErrorCode::Overflow, "dS");
    row("r3 quotient beyond the largest double", 3, "1e-200", "1e200", ErrorCode::Overflow,
        "bdP");
    row("r3 a=1e200 squared", 3, "1e200", "1", ErrorCode::Overflow, "dP");
    row("r4 d=1.5e154 squared", 4, "1", "1.5e154", ErrorCode::Overflow, "aPS");
    row("r5 sides of 1e200", 5, "1e200", "4e200", ErrorCode::Overflow, "dS");
    row("r6 quotient beyond the largest double", 6, "1e-200", "1e200", ErrorCode::Overflow,
        "adP");
    row("r6 b=1e200 squared", 6, "1e200", "1", ErrorCode::Overflow, "dP");
    row("r7 P=1e200 squared", 7, "1", "1e200", ErrorCode::Overflow, "abS");
    row("r7 P=1.7e308", 7, "1", "1.7e308", ErrorCode::Overflow, "abS");
    row("r7 d=1.5e154 squared", 7, "1.5e154", "1e154", ErrorCode::Overflow, "abS");
    row("r8 d=1e200 squared", 8, "1e200", "1", ErrorCode::Overflow, "abP");
    row("r8 twice the area", 8, "1", "1e308", ErrorCode::Overflow, "abP");
    row("r8 four times the area", 8, "1", "5e307", ErrorCode::FloatingPoint, "abP");
    row("r9 half perimeter squared", 9, "1e200", "1", ErrorCode::Overflow, "abd");
    row("r9 four times the area", 9, "10", "5e307", ErrorCode::FloatingPoint, "abd");
    row("r9 area at the largest double", 9, "10", "1.7976931348623157e308",
        ErrorCode::FloatingPoint, "abd");
}

void TstSolver::noRectangleOrOverflow()
{
    QFETCH(int, variant);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(ErrorCode, error);
    QFETCH(QString, untouched);

    FormValues form;
    form.SideOne = sentinel();
    form.SideTwo = sentinel();
    WorkingValues out = sentinelResults();
    const auto raised = solve(variant, first, second, form, out);
    QVERIFY2(raised, "no error raised");
    QCOMPARE(int(*raised), int(error));

    for (const QChar letter : untouched) {
        QVERIFY2(isSentinel(column(out, columnOfLetter(letter))),
                 QByteArray("result ") + QString(letter).toLatin1() + " was written");
    }
    QVERIFY2(isSentinel(form.SideOne), "SideOne was written");
    QVERIFY2(isSentinel(form.SideTwo), "SideTwo was written");
}

void TstSolver::formKeepsSidesAfterFloatingPointCheck()
{
    FormValues form;
    WorkingValues out;
    QVERIFY(!solve(9, QStringLiteral("14"), QStringLiteral("12"), form, out));
    QVERIFY(form.SideOne.toDouble() == 3.0);
    QVERIFY(form.SideTwo.toDouble() == 4.0);

    out = sentinelResults();
    const auto raised = solve(9, QStringLiteral("10"), QStringLiteral("5e307"), form, out);
    QVERIFY(raised);
    QCOMPARE(int(*raised), int(ErrorCode::FloatingPoint));
    // The sides of the previous calculation stay; the sum and product are the new ones.
    QVERIFY(form.SideOne.toDouble() == 3.0);
    QVERIFY(form.SideTwo.toDouble() == 4.0);
    QVERIFY(form.HalfPerimeter.toDouble() == 5.0);
    QVERIFY(form.AreaValue == 5e307);
    QVERIFY(isSentinel(out.a));
    QVERIFY(isSentinel(out.b));
    QVERIFY(isSentinel(out.d));
}

void TstSolver::allZeroInputs_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<bool>("raises");

    for (int variant = 0; variant < 10; ++variant) {
        const QByteArray name = QByteArray("variant ") + QByteArray::number(variant);
        QTest::newRow(name.constData()) << variant << (variant == 3 || variant == 6);
    }
}

void TstSolver::allZeroInputs()
{
    QFETCH(int, variant);
    QFETCH(bool, raises);

    FormValues form;
    WorkingValues out = sentinelResults();
    const auto raised = solve(variant, QStringLiteral("0"), QStringLiteral("0"), form, out);
    if (raises) {
        QVERIFY(raised);
        QCOMPARE(int(*raised), int(ErrorCode::SideZeroWithArea));
        return;
    }
    QVERIFY2(!raised, "raised an error");
    for (int col = 0; col < 5; ++col) {
        const Variant &value = column(out, col);
        QVERIFY(!value.isString());
        QVERIFY2(value.toDouble() == 0.0, describe(value.toDouble()));
    }
}

void TstSolver::randomRectangles_data()
{
    QTest::addColumn<int>("variant");
    for (int variant = 0; variant < 10; ++variant) {
        const QByteArray name = QByteArray("variant ") + QByteArray::number(variant);
        QTest::newRow(name.constData()) << variant;
    }
}

// Rectangles with sides from 1e-6 to 1e9 and side ratios up to 1000: given the two true
// values of a variant, every result must come within a relative 1e-9 of the truth.
// Where the variant's problem is ill-conditioned the rectangle is left out rather than
// the bound widened:
// - a side from the diagonal and the other side, sqrt(d*d - s*s), loses about
//   (s/side)^2 units in the last place, so the given side is at most 100 times the other;
// - both sides from their sum and product (variants 7, 8 and 9) lose about
//   (a+b)/(b-a) units when the sides are nearly equal, so the longer side is at least
//   1.5 times the shorter one; these variants give the shorter side first.
void TstSolver::randomRectangles()
{
    QFETCH(int, variant);

    constexpr int kCount = 4000;
    constexpr double kTolerance = 1e-9;
    QRandomGenerator random(20240611u);
    int checked = 0;

    for (int i = 0; i < kCount; ++i) {
        const double a = std::pow(10.0, -6.0 + 12.0 * random.generateDouble());
        const double b = a * std::pow(10.0, -3.0 + 6.0 * random.generateDouble());
        const double small = std::min(a, b);
        const double large = std::max(a, b);

        if (variant == 1 && b < a / 100.0)
            continue;
        if (variant == 4 && a < b / 100.0)
            continue;
        const bool sorted = variant >= 7;
        if (sorted && large < 1.5 * small)
            continue;

        const double truth[5] = {sorted ? small : a, sorted ? large : b, std::hypot(a, b),
                                 2.0 * (a + b), a * b};
        const QString first = runtime::plainText(truth[kGiven[variant][0]]);
        const QString second = runtime::plainText(truth[kGiven[variant][1]]);

        FormValues form;
        WorkingValues out = sentinelResults();
        const auto raised = solve(variant, first, second, form, out);
        const QByteArray where = "a=" + describe(a) + " b=" + describe(b) + " given "
            + first.toLatin1() + ", " + second.toLatin1();
        QVERIFY2(!raised, "error " + QByteArray::number(int(raised.value_or(ErrorCode{})))
                              + " for " + where);
        for (int col = 0; col < 5; ++col) {
            const double actual = column(out, col).toDouble();
            const double relative = std::fabs(actual - truth[col]) / truth[col];
            QVERIFY2(relative <= kTolerance,
                     "column " + QByteArray::number(col) + " is " + describe(actual)
                         + ", expected " + describe(truth[col]) + " for " + where);
        }
        ++checked;
    }
    // The conditions above leave most rectangles in.
    QVERIFY2(checked > kCount * 3 / 4, QByteArray::number(checked));
}

QTEST_GUILESS_MAIN(TstSolver)
#include "tst_solver.moc"
