// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the working written from a solve's steps: the lines of each variant for
// the 3-4-5 rectangle, each form of an exact answer, the reason for each kind of values
// that describe no rectangle, the notation of the quadratic, lines that break only
// between steps, and units, all in the Bulgarian locale.

#include "runtime/errors.h"
#include "solver/rectangle.h"
#include "solver/steps.h"
#include "solver/working.h"

#include <QLocale>
#include <QTest>

#include <array>
#include <tuple>

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

// A line as read: no-break spaces as spaces, word joiners left out.
QString readable(QString line)
{
    return line.replace(QChar(u'\u00a0'), u' ').remove(QChar(u'\u2060'));
}

QString readable(const QStringList &lines)
{
    return readable(lines.join(u'\n'));
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

    void exactForms_data();
    void exactForms();

    void quadraticNotation_data();
    void quadraticNotation();

    void finishedWorking_data();
    void finishedWorking();

    void shownValues_data();
    void shownValues();

    void breaksOnlyBetweenSteps();
    void units();
    void shownNumbers();
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
        u"D = 7² − 4 · 12 = 49 − 48 = 1\n"
        u"x₁,₂ = (7 ± √1) : 2 = (7 ± 1) : 2\n"
        u"x₁ = (7 − 1) : 2 = 3; x₂ = (7 + 1) : 2 = 4\n"
        u"a = x₁ = 3; b = x₂ = 4\n";
    const QString because = u"Тъй като (a + b)² = a² + b² + 2ab = d² + 2ab:\n"_s;
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
    QStringList lines = solver::workingLines(solve(variant, values[0], values[1]));
    for (QString &line : lines)
        line = readable(line);
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
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("message");

    const QString none = u"Няма правоъгълник с тези стойности: "_s;
    QTest::newRow("side longer than the diagonal") << 1 << u"5"_s << u"4"_s << u"a = 5 см ≥ d = 4 см"_s
        << none + u"страната трябва да е по-къса от диагонала (трябва страна < d)."_s;
    QTest::newRow("side b longer than the diagonal") << 4 << u"5"_s << u"4"_s << u"b = 5 см ≥ d = 4 см"_s
        << none + u"страната трябва да е по-къса от диагонала (трябва страна < d)."_s;
    QTest::newRow("zero side") << 3 << u"0"_s << u"12"_s << u"a = 0 см"_s
        << none + u"страната a трябва да е по-голяма от 0 (a > 0)."_s;
    QTest::newRow("side longer than half the perimeter") << 2 << u"5"_s << u"8"_s
        << u"a = 5 см ≥ P : 2 = 4 см"_s
        << none + u"страната трябва да е по-къса от половината от периметъра (трябва страна < P : 2)."_s;
    QTest::newRow("diagonal longer than half the perimeter") << 7 << u"5"_s << u"8"_s
        << u"d = 5 см ≥ P : 2 = 4 см"_s
        << none + u"диагоналът трябва да е по-къс от половината от периметъра (трябва d < P : 2)."_s;
    QTest::newRow("diagonal too short") << 7 << u"2,82"_s << u"8"_s
        << u"d = 2,82 см < P : (2√2) = 2√2 см ≈ 2,83 см"_s
        << none + u"диагоналът е твърде къс за този периметър; най-късият е диагоналът на квадрата "
                  u"(трябва d ≥ P : (2√2))."_s;
    QTest::newRow("area too large for the diagonal") << 8 << u"2,82"_s << u"4"_s
        << u"S = 4 см² > d² : 2 = 3,9762 см²"_s
        << none + u"при този диагонал лицето е най-много лицето на квадрата (трябва S ≤ d² : 2)."_s;
    QTest::newRow("area too large for the perimeter") << 9 << u"14"_s << u"13"_s
        << u"S = 13 см² > P² : 16 = 12,25 см²"_s
        << none + u"при този периметър лицето е най-много лицето на квадрата (трябва S ≤ P² : 16)."_s;
    QTest::newRow("overflow") << 0 << u"1e200"_s << u"1"_s << QString()
        << u"Препълване: резултатът е твърде голямо число."_s;
}

// The condition with the user's numbers and units, then the reason as the message box
// gives it; no answer and no result formulas.
void TstWorking::noRectangle()
{
    QFETCH(int, variant);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, condition);
    QFETCH(QString, message);

    const solver::Steps steps = solve(variant, first, second);
    QVERIFY(steps.failed);
    const QStringList lines = solver::workingLines(steps, solver::LengthUnit::Centimetre);
    QCOMPARE(readable(lines.last()), message);
    QCOMPARE(readable(runtime::errorMessage(steps.error, steps.about)), message);
    if (!condition.isEmpty())
        QCOMPARE(readable(lines.at(lines.size() - 2)), condition);
    for (int column = 0; column < 5; ++column)
        QVERIFY(solver::cellFormula(steps, column).isEmpty());
}

void TstWorking::exactForms_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("formula");

    QTest::newRow("whole") << 0 << u"3"_s << u"4"_s << 2
        << u"d = √(a² + b²) = √(3² + 4²) = √25 = 5"_s;
    QTest::newRow("decimal as typed") << 0 << u"1,125"_s << u"2,375"_s << 3
        << u"P = 2(a + b) = 2(1,125 + 2,375) = 2 · 3,5 = 7"_s;
    QTest::newRow("fraction") << 3 << u"3"_s << u"10"_s << 1 << u"b = S : a = 10 : 3 = 10/3 ≈ 3,33"_s;
    QTest::newRow("simplified root") << 1 << u"3"_s << u"6"_s << 1
        << u"b = √(d² − a²) = √(6² − 3²) = √27 = 3√3 ≈ 5,20"_s;
    QTest::newRow("root with a rational coefficient") << 1 << u"1,5"_s << u"3"_s << 1
        << u"b = √(d² − a²) = √(3² − 1,5²) = √6,75 = 3√3/2 ≈ 2,60"_s;
    QTest::newRow("sum with a root") << 1 << u"3"_s << u"6"_s << 3
        << u"P = 2(a + b) = 2(3 + 3√3) = 6 + 6√3 ≈ 16,39"_s;
    QTest::newRow("Вариант 8") << 7 << u"5"_s << u"13"_s << 0 << u"a = x₁ = (13 − √31)/4 ≈ 1,86"_s;
    QTest::newRow("Вариант 9") << 8 << u"5"_s << u"5"_s << 1 << u"b = x₂ = (√35 + √15)/2 ≈ 4,89"_s;
    QTest::newRow("Вариант 10") << 9 << u"10"_s << u"5"_s << 2
        << u"d = √(a² + b²) = √((a + b)² − 2ab) = √(5² − 2 · 5) = √15 ≈ 3,87"_s;
    QTest::newRow("large but exact") << 0 << u"123456789012"_s << u"987654321098"_s << 4
        << u"S = a · b = 123 456 789 012 · 987 654 321 098 = 121 932 631 136 585 886 175 176"_s;
    QTest::newRow("root out of range") << 0 << u"1000000000"_s << u"2000000000"_s << 2
        << u"d = √(a² + b²) = √(1 000 000 000² + 2 000 000 000²) ≈ 2 236 067 977,50"_s;
}

// A result's formula: "=" between equal forms only, the value exact, and "≈" with the
// grid's two decimals after a value that is no finite decimal.
void TstWorking::exactForms()
{
    QFETCH(int, variant);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, column);
    QFETCH(QString, formula);

    QCOMPARE(readable(solver::cellFormula(solve(variant, first, second), column)), formula);
}

void TstWorking::quadraticNotation_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("lines");

    QTest::newRow("no real roots") << u"14"_s << u"12,26"_s
        << u"D = 7² − 4 · 12,26 = 49 − 49,04 = −0,04\n"
           u"D < 0: уравнението няма реални корени, следователно няма такъв правоъгълник."_s;
    QTest::newRow("coefficient 1") << u"2"_s << u"0,21"_s
        << u"a и b са корените на уравнението x² − x + 0,21 = 0"_s;
    QTest::newRow("root of a decimal") << u"15"_s << u"13"_s
        << u"x₁,₂ = (7,5 ± √4,25) : 2 = (7,5 ± (√17/2)) : 2 = (15 ± √17) : 4\n"
           u"x₁ = (15 − √17) : 4 ≈ 2,72; x₂ = (15 + √17) : 4 ≈ 4,78\n"
           u"a = x₁ = (15 − √17)/4 ≈ 2,72; b = x₂ = (15 + √17)/4 ≈ 4,78"_s;
    QTest::newRow("square") << u"8"_s << u"4"_s
        << u"D = 4² − 4 · 4 = 16 − 16 = 0\nx₁ = x₂ = 4 : 2 = 2\na = x₁ = 2; b = x₂ = 2"_s;
    // The double of D lands a rounding error below 0, its exact value is 0: no note.
    QTest::newRow("square typed in decimals") << u"0,84"_s << u"0,0441"_s
        << u"D = 0,42² − 4 · 0,0441 = 0,1764 − 0,1764 = 0\nx₁ = x₂ = 0,42 : 2 = 0,21\n"_s;
}

// The equation of Вариант 10 with its own discriminant and both roots from x₁,₂.
void TstWorking::quadraticNotation()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, lines);

    QVERIFY2(readable(solver::workingLines(solve(9, first, second))).contains(lines),
             qPrintable(readable(solver::workingLines(solve(9, first, second)))));
}

void TstWorking::finishedWorking_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("lines");

    QTest::newRow("D = 0, a root") << 8 << u"2"_s << u"2"_s
        << u"x₁ = x₂ = 2√2 : 2 = √2 ≈ 1,41\na = x₁ = √2 см ≈ 1,41 см; b = x₂ = √2 см ≈ 1,41 см"_s;
    QTest::newRow("D = 0, a fraction") << 8 << u"2,25"_s << u"2,53125"_s
        << u"x₁ = x₂ = 9√2 : 8 ≈ 1,59\na = x₁ = 9√2/8 см ≈ 1,59 см; b = x₂ = 9√2/8 см ≈ 1,59 см"_s;
    QTest::newRow("like roots collected") << 8 << u"5"_s << u"3,5"_s
        << u"x₁,₂ = (4√2 ± √18) : 2 = (4√2 ± 3√2) : 2\n"
           u"x₁ = (4√2 − 3√2) : 2 = √2/2 ≈ 0,71; x₂ = (4√2 + 3√2) : 2 = 7√2/2 ≈ 4,95\n"
           u"a = x₁ = √2/2 см ≈ 0,71 см; b = x₂ = 7√2/2 см ≈ 4,95 см"_s;
    QTest::newRow("irrational roots") << 9 << u"10"_s << u"5"_s
        << u"x₁,₂ = (5 ± √5) : 2\nx₁ = (5 − √5) : 2 ≈ 1,38; x₂ = (5 + √5) : 2 ≈ 3,62\n"
           u"a = x₁ = (5 − √5)/2 см ≈ 1,38 см; b = x₂ = (5 + √5)/2 см ≈ 3,62 см"_s;
    QTest::newRow("a sum takes brackets before its unit") << 1 << u"3"_s << u"6"_s
        << u"P = 2(a + b) = 2(3 + 3√3) = (6 + 6√3) см ≈ 16,39 см"_s;
    QTest::newRow("a fraction takes none") << 3 << u"3"_s << u"10"_s
        << u"= √(181/9) = √181/3 см ≈ 4,48 см\n"_s;
}

// The quadratic carried to both roots, each value exact with its unit after it.
void TstWorking::finishedWorking()
{
    QFETCH(int, variant);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, lines);

    const QString working =
        readable(solver::workingLines(solve(variant, first, second), solver::LengthUnit::Centimetre));
    QVERIFY2(working.contains(lines), qPrintable(working));
}

void TstWorking::shownValues_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("results"); // the three result cells
    QTest::addColumn<QString>("labels");  // the drawing's

    // Exact values halfway between two hundredths, whose doubles lie just below them.
    QTest::newRow("tie: a difference") << 2 << u"0,6"_s << u"6,25"_s << u"2,53 2,60 1,52"_s
        << u"a = 0,6; b ≈ 2,53; d ≈ 2,60; P = 6,25; S ≈ 1,52"_s;
    QTest::newRow("tie: a quotient") << 3 << u"0,8"_s << u"2,02"_s << u"2,53 2,65 6,65"_s
        << u"a = 0,8; b ≈ 2,53; d ≈ 2,65; P = 6,65; S = 2,02"_s;
    QTest::newRow("tie: the root of a square") << 0 << u"0,501"_s << u"0,668"_s << u"0,84 2,34 0,33"_s
        << u"a ≈ 0,50; b ≈ 0,67; d ≈ 0,84; P ≈ 2,34; S ≈ 0,33"_s;
    QTest::newRow("tie: a root of the equation") << 9 << u"6,01"_s << u"2,01"_s << u"1,01 2,00 2,24"_s
        << u"a ≈ 1,01; b = 2; d ≈ 2,24; P = 6,01; S = 2,01"_s;
    // b is 2,524999999999999(6), not 2,525, though its double is the one nearest to 2,525.
    QTest::newRow("near a tie, not one") << 3 << u"3"_s << u"7,574999999999999"_s << u"2,52 3,92 11,05"_s
        << u"a = 3; b ≈ 2,52; d ≈ 3,92; P ≈ 11,05; S ≈ 7,57"_s;
    QTest::newRow("roots keep two decimals") << 1 << u"3"_s << u"6"_s << u"5,20 16,39 15,59"_s
        << u"a = 3; b ≈ 5,20; d = 6; P ≈ 16,39; S ≈ 15,59"_s;
    // 0,1 + 0,2 is not 0,3 in doubles, but the exact sum is.
    QTest::newRow("exact where the double is not") << 0 << u"0,1"_s << u"0,2"_s << u"0,22 0,60 0,02"_s
        << u"a = 0,1; b = 0,2; d ≈ 0,22; P = 0,6; S = 0,02"_s;
}

// The grid's two decimals and the drawing's labels: a tie rounded up where the exact
// value is known, every other value as its double rounds.
void TstWorking::shownValues()
{
    QFETCH(int, variant);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, results);
    QFETCH(QString, labels);

    const solver::Steps steps = solve(variant, first, second);
    QStringList cells;
    const auto shown = solver::shownResults(steps);
    for (int column = 0; column < 5; ++column) {
        if (!solver::isGivenCell(variant * 5 + column))
            cells << shown[std::size_t(column)];
    }
    QCOMPARE(cells.join(u' '), results);
    const auto named = solver::shownValues(steps);
    QCOMPARE(readable(QStringList(named.begin(), named.end()).join(u"; "_s)), labels);
}

// Inside a formula or a number every space is a no-break one: a line may break only
// around "=" and "≈" or before a unit.
void TstWorking::breaksOnlyBetweenSteps()
{
    for (const auto &[variant, first, second] :
         {std::tuple{1, u"3"_s, u"6"_s}, {0, u"123456789012"_s, u"987654321098"_s}, {9, u"10"_s, u"5"_s}}) {
        const solver::Steps steps = solve(variant, first, second);
        for (int column = 0; column < 5; ++column) {
            const QString formula = solver::cellFormula(steps, column, solver::LengthUnit::Centimetre);
            QVERIFY2(!QString(formula).remove(u" = "_s).remove(u" ≈ "_s).remove(u" см"_s).contains(u' '),
                     qPrintable(formula));
        }
    }
}

void TstWorking::units()
{
    const QStringList symbols{u""_s, u"мм"_s, u"см"_s, u"дм"_s, u"м"_s, u"км"_s};
    for (int unit = 0; unit < symbols.size(); ++unit)
        QCOMPARE(solver::unitSymbol(solver::LengthUnit(unit)), symbols.at(unit));

    const QStringList lines = solver::workingLines(solve(1, u"3"_s, u"6"_s), solver::LengthUnit::Centimetre);
    QCOMPARE(readable(lines.at(1)), u"Дадено: a = 3 см; d = 6 см"_s);
    QCOMPARE(readable(lines.at(2)), u"По Питагоровата теорема: b = √(d² − a²) = √(6² − 3²) = √27 = 3√3 см ≈ 5,20 см"_s);
    QCOMPARE(readable(lines.last()), u"Отговор: a = 3 см; b = 3√3 см ≈ 5,20 см; d = 6 см; "
                                     u"P = (6 + 6√3) см ≈ 16,39 см; S = 9√3 см² ≈ 15,59 см²"_s);
}

void TstWorking::shownNumbers()
{
    QCOMPARE(solver::shownNumber(2.5), u"2,5"_s);
    QCOMPARE(solver::shownNumber(-3.0), u"−3"_s);
    QCOMPARE(solver::shownNumber(12345.0), u"12\u00a0345"_s);
    QVERIFY(solver::shownExactly(0.1));
    QVERIFY(!solver::shownExactly(0.125));
    QCOMPARE(solver::namedValue(u"d"_s, 5.0990195135927845), u"d ≈ 5,10"_s);
    QVERIFY(solver::namedValue(u"S"_s, 123456789012.0 * 987654321098.0).startsWith(u"S ≈ "_s));
}

QTEST_GUILESS_MAIN(TstWorking)
#include "tst_working.moc"
