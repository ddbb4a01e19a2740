// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the problems made for practice: over ten thousand numbers per level each
// problem describes a real rectangle of its level, or none where asked, and the checker
// takes its own answers and turns down answers a hundredth off; runs never repeat a
// problem; the textbook wording, the hints and the reasons, in the Bulgarian locale.

#include "practice/answer.h"
#include "practice/problem.h"
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
}

void TstPractice::statements_data()
{
}

void TstPractice::statements()
{
}

void TstPractice::hints_data()
{
}

void TstPractice::hints()
{
}

QTEST_GUILESS_MAIN(TstPractice)
#include "tst_practice.moc"
