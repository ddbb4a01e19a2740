// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the pupil's answers: what the reader takes as right, almost, wrong or
// unreadable, with the message the pupil reads; and a sitting's tries, hints, answers
// and score, in the Bulgarian locale.

#include "practice/answer.h"
#include "practice/sitting.h"

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

// The true values the table uses, built from their parts.
Value truthOf(const QString &name)
{
    if (name == u"3√3")
        return Value::surd(3, 3);
    if (name == u"26/5")
        return Value::fraction(26, 5);
    if (name == u"10/3")
        return Value::fraction(10, 3);
    if (name == u"17/8")
        return Value::fraction(17, 8);
    if (name == u"(5 − √5)/2")
        return (Value(5) - Value::surd(1, 5)) / Value(2);
    if (name == u"2 + √3")
        return Value(2) + Value::surd(1, 3);
    return Value(0);
}

} // namespace

class TstPracticeAnswer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria)); }

    void verdicts_data();
    void verdicts();
    void aSitting();
    void aSittingWithoutRectangle();
};

void TstPracticeAnswer::verdicts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("truth");
    QTest::addColumn<Level>("level");
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<bool>("counts");
    QTest::addColumn<QString>("message");

    const QString right = u"вярно"_s;
    const QString wrong = u"грешно"_s;
    const Level L2 = Level::Decimal, L3 = Level::Roots;
    QTest::newRow("right: simplified root") << u"3√3"_s << u"3√3"_s << L3 << Verdict::Right << true << right;
    QTest::newRow("right: a space before the root") << u"3 √3"_s << u"3√3"_s << L3 << Verdict::Right << true << right;
    QTest::newRow("right: fraction with a slash") << u"10/3"_s << u"10/3"_s << L3 << Verdict::Right << true << right;
    QTest::newRow("right: fraction with a colon") << u"10 : 3"_s << u"10/3"_s << L3 << Verdict::Right << true << right;
    QTest::newRow("right: a sum over a number") << u"(5 − √5)/2"_s << u"(5 − √5)/2"_s << L3 << Verdict::Right << true << right;
    QTest::newRow("right: a sum, the root first") << u"√3+2"_s << u"2 + √3"_s << L3 << Verdict::Right << true << right;
    QTest::newRow("right: the decimal itself") << u"5,2"_s << u"26/5"_s << L2 << Verdict::Right << true << right;
    QTest::newRow("right: a point and a zero after") << u"5.20"_s << u"26/5"_s << L2 << Verdict::Right << true << right;
    QTest::newRow("right: to hundredths") << u"5,20"_s << u"3√3"_s << L2 << Verdict::Right << true << right;
    QTest::newRow("right: to thousandths") << u"5,196"_s << u"3√3"_s << L3 << Verdict::Right << true << right;
    QTest::newRow("right: half rounded up") << u"2,13"_s << u"17/8"_s << L2 << Verdict::Right << true << right;
    QTest::newRow("almost: to tenths") << u"5,2"_s << u"3√3"_s << L3 << Verdict::Almost << false
                                       << u"почти: до стотни е 5,20"_s;
    QTest::newRow("almost: to a whole number") << u"5"_s << u"3√3"_s << L2 << Verdict::Almost << false
                                               << u"почти: до стотни е 5,20"_s;
    QTest::newRow("almost: root not simplified, counts where roots are asked")
        << u"√27"_s << u"3√3"_s << L3 << Verdict::Almost << true << u"вярно; опростено е 3√3"_s;
    QTest::newRow("almost: sqrt(), not counted where hundredths are asked")
        << u"sqrt(27)"_s << u"3√3"_s << L2 << Verdict::Almost << false << u"вярно; опростено е 3√3"_s;
    QTest::newRow("almost: a fraction that cancels")
        << u"20/6"_s << u"10/3"_s << L3 << Verdict::Almost << true << u"вярно; опростено е 10/3"_s;
    QTest::newRow("almost: like terms not added")
        << u"1 + 1 + √3"_s << u"2 + √3"_s << L3 << Verdict::Almost << true << u"вярно; опростено е 2 + √3"_s;
    QTest::newRow("wrong: cut, not rounded") << u"5,19"_s << u"3√3"_s << L3 << Verdict::Wrong << false << wrong;
    QTest::newRow("wrong: half rounded down") << u"2,12"_s << u"17/8"_s << L2 << Verdict::Wrong << false << wrong;
    QTest::newRow("wrong: another root") << u"2√3"_s << u"3√3"_s << L3 << Verdict::Wrong << false << wrong;
    QTest::newRow("wrong: negative") << u"−5,2"_s << u"26/5"_s << L2 << Verdict::Wrong << false << wrong;
    QTest::newRow("unreadable: empty") << u"  "_s << u"3√3"_s << L3 << Verdict::Unreadable << false
                                       << u"няма отговор: напишете число като 5,2 или 3√3"_s;
    QTest::newRow("unreadable: letters") << u"abc"_s << u"3√3"_s << L3 << Verdict::Unreadable << false
                                         << u"не се чете „abc“: напишете число като 5,2 или 3√3"_s;
    QTest::newRow("unreadable: two decimal commas")
        << u"3,5,6"_s << u"3√3"_s << L3 << Verdict::Unreadable << false
        << u"не се чете „,6“: напишете число като 5,2 или 3√3"_s;
    QTest::newRow("unreadable: a root of nothing")
        << u"3√"_s << u"3√3"_s << L3 << Verdict::Unreadable << false
        << u"не се чете „3√“: напишете число като 5,2 или 3√3"_s;
    QTest::newRow("unreadable: division by 0")
        << u"1/0"_s << u"3√3"_s << L3 << Verdict::Unreadable << false
        << u"не се чете „1/0“: напишете число като 5,2 или 3√3"_s;
}

void TstPracticeAnswer::verdicts()
{
    QFETCH(QString, typed);
    QFETCH(QString, truth);
    QFETCH(Level, level);
    QFETCH(Verdict, verdict);
    QFETCH(bool, counts);
    QFETCH(QString, message);
    const practice::Check check = practice::checkAnswer(typed, truthOf(truth), level);
    QCOMPARE(readable(check.message), message);
    QCOMPARE(check.verdict, verdict);
    QCOMPARE(check.counts, counts);
}

// a = 3 см and d = 6 см at "Ниво 3 — корени": b = 3√3, P = 6 + 6√3, S = 9√3.
void TstPracticeAnswer::aSitting()
{
    practice::Sitting sitting;
    const Problem problem = Problem::withGivens(2, 3.0, 6.0, Level::Roots);
    sitting.start(problem);
    QCOMPARE(sitting.fields(), (QList<int>{1, 3, 4}));

    // Unreadable: no try.
    practice::Feedback f = sitting.answer(1, u"b"_s);
    QCOMPARE(f.check.verdict, Verdict::Unreadable);
    QCOMPARE(sitting.tries(1), 0);
    QCOMPARE(sitting.score(), u"Вярно: 0 от 0"_s);

    // Almost, and counted: this level asks for roots.
    f = sitting.answer(1, u"√27"_s);
    QCOMPARE(f.check.message, u"вярно; опростено е 3√3"_s);
    QCOMPARE(sitting.state(1), practice::FieldState::Right);
    QCOMPARE(sitting.score(), u"Вярно: 1 от 1"_s);

    // A first wrong try: the hint; a second: the answer and the working.
    f = sitting.answer(3, u"15"_s);
    QCOMPARE(f.check.verdict, Verdict::Wrong);
    QCOMPARE(readable(f.hint), u"P = 2(a + b)"_s);
    QVERIFY(f.answer.isEmpty() && f.working.isEmpty());
    QCOMPARE(sitting.state(3), practice::FieldState::Open);
    f = sitting.answer(3, u"17"_s);
    QVERIFY(f.hint.isEmpty());
    QCOMPARE(readable(f.answer), u"P = (6 + 6√3) см ≈ 16,39 см"_s);
    QCOMPARE(f.working, problem.working());
    QCOMPARE(sitting.state(3), practice::FieldState::Wrong);
    QCOMPARE(sitting.tries(3), 2);
    QCOMPARE(sitting.score(), u"Вярно: 1 от 2"_s);
    // No more tries at a closed field.
    sitting.answer(3, u"6 + 6√3"_s);
    QCOMPARE(sitting.score(), u"Вярно: 1 от 2"_s);

    // The tick where there is a rectangle: wrong, and no try.
    f = sitting.answerNoRectangle();
    QCOMPARE(f.check.verdict, Verdict::Wrong);
    QCOMPARE(f.check.message, u"има такъв правоъгълник: намерете неизвестните"_s);
    QCOMPARE(sitting.score(), u"Вярно: 1 от 2"_s);

    // "Подсказка" is no try; "Покажи решението" shows what is left.
    QCOMPARE(readable(sitting.hint(4)), u"S = a · b"_s);
    QCOMPARE(sitting.tries(4), 0);
    QVERIFY(!sitting.finished());
    QCOMPARE(sitting.showSolution(), problem.working());
    QCOMPARE(sitting.state(4), practice::FieldState::Shown);
    QVERIFY(sitting.finished());
    QCOMPARE(sitting.score(), u"Вярно: 1 от 3"_s);

    // At "Ниво 2 — десетични" a rounding to tenths is almost, and not counted.
    sitting.start(Problem::withGivens(2, 3.0, 6.0, Level::Decimal));
    QCOMPARE(sitting.state(3), practice::FieldState::Open);
    f = sitting.answer(1, u"5,2"_s);
    QCOMPARE(f.check.message, u"почти: до стотни е 5,20"_s);
    QCOMPARE(sitting.score(), u"Вярно: 1 от 4"_s);
    sitting.answer(4, u"15,59 см²"_s); // with the unit of the field
    QCOMPARE(sitting.score(), u"Вярно: 2 от 5"_s);
}

// b = 7 см and d = 5 см: no rectangle.
void TstPracticeAnswer::aSittingWithoutRectangle()
{
    practice::Sitting sitting;
    sitting.start(Problem::withGivens(5, 7.0, 5.0, Level::Whole));
    QCOMPARE(sitting.fields(), QList<int>{practice::kNoRectangle});

    // Numbers in a field are a wrong try at the tick.
    practice::Feedback f = sitting.answer(0, u"5"_s);
    QCOMPARE(f.check.verdict, Verdict::Wrong);
    QCOMPARE(readable(f.hint), u"Проверете дали има такъв правоъгълник: трябва страна < d."_s);
    QCOMPARE(sitting.tries(practice::kNoRectangle), 1);

    f = sitting.answerNoRectangle();
    QCOMPARE(f.check.verdict, Verdict::Right);
    QCOMPARE(readable(f.check.message),
             u"вярно: b = 7 см ≥ d = 5 см. Няма правоъгълник с тези стойности: страната трябва "
             u"да е по-къса от диагонала (трябва страна < d)."_s);
    QVERIFY(sitting.finished());
    QCOMPARE(sitting.score(), u"Вярно: 1 от 1"_s);

    // Two wrong tries: the reason.
    sitting.start(Problem::withGivens(10, 20.0, 30.0, Level::Whole));
    sitting.answer(0, u"3"_s);
    f = sitting.answer(1, u"4"_s);
    QCOMPARE(readable(f.answer),
             u"S = 30 см² > P² : 16 = 25 см². Няма правоъгълник с тези стойности: при този "
             u"периметър лицето е най-много лицето на квадрата (трябва S ≤ P² : 16)."_s);
    QCOMPARE(sitting.state(practice::kNoRectangle), practice::FieldState::Wrong);
    QCOMPARE(sitting.score(), u"Вярно: 1 от 2"_s);
}

QTEST_GUILESS_MAIN(TstPracticeAnswer)
#include "tst_practiceanswer.moc"
