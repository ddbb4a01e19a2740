// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the problems made for practice: over ten thousand numbers per level each
// problem describes a real rectangle of its level, or none where asked, and the checker
// takes its own answers and turns down answers a hundredth off; runs never repeat a
// problem; the textbook wording, the hints and the reasons, in the Bulgarian locale.

#include "practice/answer.h"
#include "practice/problem.h"
#include "runtime/errors.h"
#include "runtime/numbertext.h"
#include "solver/rectangle.h"
#include "solver/workingtext.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;
using practice::Level;
using practice::Problem;
using practice::Verdict;
using solver::exact::Value;

namespace {

QString readable(QString text)
{
    return text.replace(QChar(u'\u00a0'), u' ').remove(QChar(u'\u2060'));
}

bool isWhole(const Value &value)
{
    return value.isRational() && value.denominator() == 1;
}

// At most two decimals: a hundredfold is whole.
bool twoDecimalsAtMost(double value)
{
    return isWhole(Value::fromDouble(value) * Value(100));
}

// Rounded to hundredths, halves up: exactly for a rational value, from the double
// for a root, which is never a half.
QString hundredths(const Value &truth, double computed)
{
    if (!truth.isRational())
        return runtime::twoDecimalText(computed);
    const solver::exact::Int n = (truth.numerator() * 200 + truth.denominator()) / (2 * truth.denominator());
    return runtime::twoDecimalText(n.convert_to<double>() / 100.0);
}

} // namespace

class TstPractice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria)); }

    void everyProblemOfItsLevel_data();
    void everyProblemOfItsLevel();
    void runsNeverRepeat();
    void sameNumberSameProblem();
    void statements_data();
    void statements();
    void hints_data();
    void hints();
    void answersAndReasons();
};

void TstPractice::everyProblemOfItsLevel_data()
{
    QTest::addColumn<Level>("level");
    QTest::newRow("Ниво 1 — цели числа") << Level::Whole;
    QTest::newRow("Ниво 2 — десетични") << Level::Decimal;
    QTest::newRow("Ниво 3 — корени") << Level::Roots;
}

// Ten thousand numbers at each level, all ten variants, with problems that have no
// rectangle mixed in.
void TstPractice::everyProblemOfItsLevel()
{
    QFETCH(Level, level);
    const practice::Settings settings{{level}, {}, true, solver::LengthUnit::Centimetre};
    constexpr int kCount = 10000;
    int without = 0;
    for (quint32 number = 1; number <= kCount; ++number) {
        const Problem p = practice::makeProblem(number, settings);
        const QByteArray where = "№ " + QByteArray::number(number) + ": "
            + readable(p.statement()).toUtf8();
        QVERIFY2(p.level() == level && p.number() == number, where);
        const auto &given = solver::kGivenColumns[std::size_t(p.variant() - 1)];
        for (int i = 0; i < 2; ++i) {
            const double value = p.givens()[std::size_t(i)];
            QVERIFY2(value > 0.0 && twoDecimalsAtMost(value), where);
            if (level != Level::Decimal)
                QVERIFY2(isWhole(Value::fromDouble(value)), where);
        }
        if (level == Level::Decimal) {
            QVERIFY2(!isWhole(Value::fromDouble(p.givens()[0]))
                         || !isWhole(Value::fromDouble(p.givens()[1])), where);
        }
        if (!p.hasRectangle()) {
            ++without;
            QVERIFY2(!p.failedCondition().isEmpty(), where);
            QVERIFY2(runtime::explainsNoRectangle(p.steps().error), where);
            continue;
        }
        // A rectangle: the five values exact, and they fit together.
        std::array<Value, 5> v;
        for (int column = 0; column < 5; ++column) {
            QVERIFY2(p.exact(column).has_value(), where);
            v[std::size_t(column)] = *p.exact(column);
        }
        const auto [a, b, d, P, S] = v;
        QVERIFY2(a.sign() != 0 || !a.isRational(), where);
        QVERIFY2(d * d == a * a + b * b && P == (a + b) * Value(2) && S == a * b, where);
        QVERIFY2(v[std::size_t(given[0])] == Value::fromDouble(p.givens()[0])
                     && v[std::size_t(given[1])] == Value::fromDouble(p.givens()[1]), where);
        bool irrational = false;
        for (const int column : p.unknowns()) {
            const Value &truth = v[std::size_t(column)];
            irrational = irrational || !truth.isRational();
            if (level == Level::Whole)
                QVERIFY2(isWhole(truth), where);
            // A hint for every unknown: its formula, or the equation of the sides.
            const QString hint = readable(p.hint(column));
            QVERIFY2(hint.startsWith(Problem::letter(column) + u" = "_s)
                         || hint.startsWith(u"a и b са корените на уравнението x² − "_s),
                     where + " " + hint.toUtf8());
            // The key's exact form and its hundredths are right; a hundredth off is not.
            const QString exact = solver::working::form(truth).text;
            QVERIFY2(practice::checkAnswer(p, column, exact).verdict == Verdict::Right,
                     where + " " + exact.toUtf8());
            const double shown = QLocale().toDouble(hundredths(truth, p.value(column)));
            for (const double off : {0.0, 0.01, -0.01}) {
                const QString decimal = runtime::twoDecimalText(shown + off);
                const Verdict verdict = practice::checkAnswer(p, column, decimal).verdict;
                QVERIFY2((verdict == Verdict::Right) == (off == 0.0), where + " " + decimal.toUtf8());
            }
        }
        if (level == Level::Roots)
            QVERIFY2(irrational, where);
    }
    // About one in six has no rectangle.
    QVERIFY2(without > kCount / 10 && without < kCount / 4, QByteArray::number(without));
}

void TstPractice::runsNeverRepeat()
{
    // Few problems to choose from: variant 1 in whole numbers.
    practice::Generator generator({{Level::Whole}, {1}, false, solver::LengthUnit::None}, 7);
    Problem last = generator.next();
    for (int i = 0; i < 2000; ++i) {
        const Problem next = generator.next();
        QVERIFY(!next.sameAs(last));
        last = next;
    }
}

void TstPractice::sameNumberSameProblem()
{
    const practice::Settings settings{{Level::Roots}, {2, 8}, true, solver::LengthUnit::Metre};
    const Problem first = practice::makeProblem(4821, settings);
    QCOMPARE(practice::makeProblem(4821, settings).statement(), first.statement());
    QCOMPARE(first.title(), u"Задача № 4821"_s);
    QCOMPARE(practice::levelName(Level::Whole), u"Ниво 1 — цели числа"_s);
    QCOMPARE(practice::levelName(Level::Decimal), u"Ниво 2 — десетични"_s);
    QCOMPARE(practice::levelName(Level::Roots), u"Ниво 3 — корени"_s);
}

void TstPractice::statements_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<solver::LengthUnit>("unit");
    QTest::addColumn<QString>("statement");
    QTest::newRow("two sides") << 1 << 3.0 << 4.0 << solver::LengthUnit::Centimetre
                               << u"Правоъгълник има страни a = 3 см и b = 4 см. Намерете d, P и S."_s;
    QTest::newRow("a side and the diagonal")
        << 2 << 3.0 << 6.0 << solver::LengthUnit::Centimetre
        << u"Правоъгълник има страна a = 3 см и диагонал d = 6 см. Намерете b, P и S."_s;
    QTest::newRow("b and the area, decimals, square unit")
        << 7 << 2.5 << 7.25 << solver::LengthUnit::Metre
        << u"Правоъгълник има страна b = 2,5 м и лице S = 7,25 м². Намерете a, d и P."_s;
    QTest::newRow("sides from the quadratic, no unit")
        << 10 << 14.0 << 12.0 << solver::LengthUnit::None
        << u"Правоъгълник има периметър P = 14 и лице S = 12. Намерете a, b и d (a ≤ b)."_s;
    QTest::newRow("no rectangle, worded the same")
        << 8 << 5.0 << 20.0 << solver::LengthUnit::Centimetre
        << u"Правоъгълник има диагонал d = 5 см и периметър P = 20 см. Намерете a, b и S (a ≤ b)."_s;
}

void TstPractice::statements()
{
    QFETCH(int, variant);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(solver::LengthUnit, unit);
    QFETCH(QString, statement);
    const QString text = Problem::withGivens(variant, first, second, Level::Roots, unit).statement();
    QCOMPARE(readable(text), statement);
    // Each "a = 3 см" stays on one line: no ordinary space around "=".
    QVERIFY(!text.contains(u" = "_s) && !text.contains(u" ≤ "_s));
}

void TstPractice::hints_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("hint");
    QTest::newRow("other side from the diagonal")
        << 2 << 3.0 << 6.0 << 1 << u"b = √(d² − a²) = √(6² − 3²)"_s;
    QTest::newRow("other side from the perimeter")
        << 3 << 3.0 << 14.0 << 1 << u"b = P : 2 − a = 14 : 2 − 3"_s;
    QTest::newRow("other side from the area") << 7 << 4.0 << 12.0 << 0 << u"a = S : b = 12 : 4"_s;
    QTest::newRow("from two given sides") << 1 << 3.0 << 4.0 << 2 << u"d = √(a² + b²) = √(3² + 4²)"_s;
    QTest::newRow("needs another answer: the formula alone")
        << 2 << 3.0 << 6.0 << 4 << u"S = a · b"_s;
    QTest::newRow("sides from the quadratic: its equation")
        << 10 << 14.0 << 12.0 << 0 << u"a и b са корените на уравнението x² − 7x + 12 = 0"_s;
    QTest::newRow("area from the diagonal and the perimeter")
        << 8 << 5.0 << 14.0 << 4 << u"S = a · b = (P² : 4 − d²) : 2 = (14² : 4 − 5²) : 2"_s;
    QTest::newRow("perimeter from the diagonal and the area")
        << 9 << 5.0 << 12.0 << 3 << u"P = 2(a + b); a + b = √(d² + 2S) = √(5² + 2 · 12)"_s;
    QTest::newRow("no rectangle: the condition to check")
        << 8 << 5.0 << 20.0 << 0 << u"Проверете дали има такъв правоъгълник: трябва d ≥ P : (2√2)."_s;
}

void TstPractice::hints()
{
    QFETCH(int, variant);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(int, column);
    QFETCH(QString, hint);
    QCOMPARE(readable(Problem::withGivens(variant, first, second, Level::Roots).hint(column)), hint);
}

void TstPractice::answersAndReasons()
{
    const Problem roots = Problem::withGivens(2, 3.0, 6.0, Level::Roots);
    QCOMPARE(readable(roots.answer(1)), u"b = 3√3 см ≈ 5,20 см"_s);
    QCOMPARE(readable(roots.answer(3)), u"P = (6 + 6√3) см ≈ 16,39 см"_s);
    QVERIFY(roots.hasRectangle() && roots.reason().isEmpty());
    const Problem none = Problem::withGivens(5, 7.0, 5.0, Level::Whole);
    QVERIFY(!none.hasRectangle() && none.answer(0).isEmpty());
    QCOMPARE(readable(none.failedCondition()), u"b = 7 см ≥ d = 5 см"_s);
    QCOMPARE(readable(none.reason()),
             u"b = 7 см ≥ d = 5 см. Няма правоъгълник с тези стойности: страната трябва да е "
             u"по-къса от диагонала (трябва страна < d)."_s);
    QCOMPARE(none.working().last(), runtime::errorMessage(runtime::ErrorCode::SideLongerThanDiagonal));
}

QTEST_GUILESS_MAIN(TstPractice)
#include "tst_practice.moc"
