// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the working written from a solve's steps: the lines of each variant for
// the 3-4-5 rectangle, the reason for each kind of values that describe no rectangle,
// and numbers shown rounded, all in the Bulgarian locale.

#include "runtime/errors.h"
#include "solver/rectangle.h"
#include "solver/steps.h"
#include "solver/working.h"

#include <QLocale>
#include <QTest>

#include <array>

using namespace Qt::StringLiterals;

namespace {

class Row final : public solver::CellTexts
{
public:
    Row(int variant, const QString &first, const QString &second)
    {
        const auto &given = solver::kGivenColumns[std::size_t(variant)];
        m_cells.at(std::size_t(variant * 5 + given[0])) = first;
        m_cells.at(std::size_t(variant * 5 + given[1])) = second;
    }
    QString text(qint16 cell) const override { return m_cells.at(std::size_t(cell)); }

private:
    std::array<QString, 50> m_cells;
};

solver::Steps solve(int variant, const QString &first, const QString &second)
{
    solver::FormValues form;
    solver::WorkingValues out;
    solver::Steps steps;
    try {
        solver::SolveVariant(runtime::Variant(qint16(variant)), Row(variant, first, second), form,
                             out, &steps);
    } catch (const runtime::RuntimeError &) {
    }
    return steps;
}

} // namespace

class TstWorking : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria)); }

    void threeFourFive_data();
    void threeFourFive();

    void noRectangle_data();
    void noRectangle();

    void roundedNumbers();
};

void TstWorking::threeFourFive_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("steps");

    const QString values[5] = {u"3"_s, u"4"_s, u"5"_s, u"14"_s, u"12"_s};
    const auto row = [&values](int variant, const char16_t *steps) {
        const auto &given = solver::kGivenColumns[std::size_t(variant)];
        QTest::addRow("variant %d", variant)
            << variant << values[given[0]] + u' ' + values[given[1]] << QString::fromUtf16(steps);
    };
    const char16_t *const sumAndProduct =
        u"a и b са корените на уравнението x² − 7x + 12 = 0\n"
        u"D = (a + b)² − 4 · a · b = 7² − 4 · 12 = 49 − 48 = 1\n"
        u"a = x₁ = (a + b − √D) : 2 = (7 − √1) : 2 = (7 − 1) : 2 = 3\n"
        u"b = x₂ = a + b − x₁ = 7 − 3 = 4\n";
    const QString because = u"Тъй като (a + b)² = a² + b² + 2 · a · b = d² + 2 · a · b:\n"_s;
    row(0,
        u"По Питагоровата теорема: d = √(a² + b²) = √(3² + 4²) = √25 = 5\n"
        u"P = 2(a + b) = 2(3 + 4) = 2 · 7 = 14\n"
        u"S = a · b = 3 · 4 = 12"
    );
    row(1,
        u"По Питагоровата теорема: b = √(d² − a²) = √(5² − 3²) = √16 = 4\n"
        u"P = 2(a + b) = 2(3 + 4) = 2 · 7 = 14\n"
        u"S = a · b = 3 · 4 = 12"
    );
    row(2,
        u"b = P : 2 − a = 14 : 2 − 3 = 7 − 3 = 4\n"
        u"По Питагоровата теорема: d = √(a² + b²) = √(3² + 4²) = √25 = 5\n"
        u"S = a · b = 3 · 4 = 12"
    );
    row(3,
        u"b = S : a = 12 : 3 = 4\n"
        u"По Питагоровата теорема: d = √(a² + b²) = √(3² + 4²) = √25 = 5\n"
        u"P = 2(a + b) = 2(3 + 4) = 2 · 7 = 14"
    );
    row(4,
        u"По Питагоровата теорема: a = √(d² − b²) = √(5² − 4²) = √9 = 3\n"
        u"P = 2(a + b) = 2(3 + 4) = 2 · 7 = 14\n"
        u"S = a · b = 3 · 4 = 12"
    );
    row(5,
        u"a = P : 2 − b = 14 : 2 − 4 = 7 − 4 = 3\n"
        u"По Питагоровата теорема: d = √(a² + b²) = √(3² + 4²) = √25 = 5\n"
        u"S = a · b = 3 · 4 = 12"
    );
    row(6,
        u"a = S : b = 12 : 4 = 3\n"
        u"По Питагоровата теорема: d = √(a² + b²) = √(3² + 4²) = √25 = 5\n"
        u"P = 2(a + b) = 2(3 + 4) = 2 · 7 = 14"
    );
    QTest::addRow("variant 7")
        << 7 << u"5 14"_s
        << u"a + b = P : 2 = 14 : 2 = 7\n"_s + because
               + u"a · b = (P² : 4 − d²) : 2 = (14² : 4 − 5²) : 2 = (196 : 4 − 25) : 2 "
                 u"= (49 − 25) : 2 = 24 : 2 = 12\n"_s
               + QString::fromUtf16(sumAndProduct) + u"S = a · b = 3 · 4 = 12"_s;
    QTest::addRow("variant 8")
        << 8 << u"5 12"_s
        << because + u"a + b = √(d² + 2S) = √(5² + 2 · 12) = √(25 + 24) = √49 = 7\n"_s
               + u"a · b = S = 12\n"_s + QString::fromUtf16(sumAndProduct)
               + u"P = 2(a + b) = 2(3 + 4) = 2 · 7 = 14"_s;
    QTest::addRow("variant 9")
        << 9 << u"14 12"_s
        << u"a + b = P : 2 = 14 : 2 = 7\na · b = S = 12\n"_s + QString::fromUtf16(sumAndProduct)
               + u"По Питагоровата теорема: d = √(a² + b²) = √(3² + 4²) = √25 = 5"_s;
}

void TstWorking::threeFourFive()
{
    QFETCH(int, variant);
    QFETCH(QString, given);
    QFETCH(QString, steps);

    const QStringList values = given.split(u' ');
    const QStringList lines = solver::workingLines(solve(variant, values[0], values[1]));
    QVERIFY(lines.size() > 3);
    QCOMPARE(lines.first(), u"Вариант %1"_s.arg(variant + 1));
    const char16_t *letters[] = {u"a", u"b", u"d", u"P", u"S"};
    const auto &columns = solver::kGivenColumns[std::size_t(variant)];
    QCOMPARE(lines.at(1), u"Дадено: %1 = %2; %3 = %4"_s.arg(letters[columns[0]], values[0],
                                                              letters[columns[1]], values[1]));
    QCOMPARE(lines.mid(2, lines.size() - 3).join(u'\n'), steps);
    QCOMPARE(lines.last(), u"Отговор: a = 3; b = 4; d = 5; P = 14; S = 12"_s);
}

void TstWorking::noRectangle_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<runtime::ErrorCode>("error");
    QTest::addColumn<QString>("condition");

    using runtime::ErrorCode;
    QTest::newRow("side longer than the diagonal") << 1 << u"5"_s << u"4"_s
        << ErrorCode::SideLongerThanDiagonal << u"a = 5 ≥ d = 4"_s;
    QTest::newRow("side b longer than the diagonal") << 4 << u"5"_s << u"4"_s
        << ErrorCode::SideLongerThanDiagonal << u"b = 5 ≥ d = 4"_s;
    QTest::newRow("zero side") << 3 << u"0"_s << u"12"_s << ErrorCode::GivenValueZero << u"a = 0"_s;
    QTest::newRow("side longer than half the perimeter") << 2 << u"5"_s << u"8"_s
        << ErrorCode::SideLongerThanHalfPerimeter << u"a = 5 ≥ P : 2 = 4"_s;
    QTest::newRow("diagonal longer than half the perimeter") << 7 << u"5"_s << u"8"_s
        << ErrorCode::DiagonalLongerThanHalfPerimeter << u"d = 5 ≥ P : 2 = 4"_s;
    QTest::newRow("diagonal too short") << 7 << u"2,82"_s << u"8"_s
        << ErrorCode::DiagonalTooShortForPerimeter << u"d = 2,82 < P : (2√2) ≈ 2,83"_s;
    QTest::newRow("area too large for the diagonal") << 8 << u"2,82"_s << u"4"_s
        << ErrorCode::AreaTooLargeForDiagonal << u"S = 4 > d² : 2 ≈ 3,98"_s;
    QTest::newRow("area too large for the perimeter") << 9 << u"14"_s << u"13"_s
        << ErrorCode::AreaTooLargeForPerimeter << u"S = 13 > P² : 16 = 12,25"_s;
    QTest::newRow("overflow") << 0 << u"1e200"_s << u"1"_s << ErrorCode::Overflow << QString();
}

// The condition with the user's numbers, then the message box's own reason; no answer
// and no result formulas.
void TstWorking::noRectangle()
{
    QFETCH(int, variant);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(runtime::ErrorCode, error);
    QFETCH(QString, condition);

    const solver::Steps steps = solve(variant, first, second);
    QVERIFY(steps.failed);
    const QStringList lines = solver::workingLines(steps);
    QCOMPARE(lines.last(), runtime::errorMessage(error, steps.about));
    if (!condition.isEmpty())
        QCOMPARE(lines.at(lines.size() - 2), condition);
    for (int column = 0; column < 5; ++column)
        QVERIFY(solver::cellFormula(steps, column).isEmpty());
}

// A number that the grid shows rounded follows "≈", with the locale's decimal comma;
// one shown exactly follows "=". The formula for a cell is its step's line.
void TstWorking::roundedNumbers()
{
    const solver::Steps steps = solve(0, u"3,14159"_s, u"4"_s);
    QCOMPARE(solver::cellFormula(steps, 2), u"d = √(a² + b²) ≈ √(3,14² + 4²) ≈ √25,87 ≈ 5,09"_s);
    QCOMPARE(solver::cellFormula(steps, 4), u"S = a · b ≈ 3,14 · 4 ≈ 12,57"_s);
    QVERIFY(solver::cellFormula(steps, 0).isEmpty());
    QCOMPARE(solver::shownNumber(2.5), u"2,5"_s);
    QCOMPARE(solver::shownNumber(-3.0), u"−3"_s);
    QCOMPARE(solver::shownNumber(12345.0), u"12\u00a0345"_s);
    QVERIFY(solver::shownExactly(0.1));
    QVERIFY(!solver::shownExactly(0.125));
}

QTEST_GUILESS_MAIN(TstWorking)
#include "tst_working.moc"
