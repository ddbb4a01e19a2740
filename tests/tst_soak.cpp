// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A soak of the real window: thousands of random user actions with a fixed seed in
// each locale, with the state rules of the form checked after every one of them.
#include "checks.h"
#include "support/formfixture.h"

#include "solver/rectangle.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <random>

using fuzzchecks::FormSnapshot;

namespace {

// Texts a user might type or paste: numbers in every form the cells meet, with
// either separator, signs, exponents beyond the doubles, junk and long strings.
class TextMaker
{
public:
    TextMaker(std::mt19937 &random, const QLocale &locale) : m_random(random), m_locale(locale) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return below(100) < percent; }

    QString number()
    {
        QString text;
        switch (below(12)) {
        case 0: text = QString::number(below(100)); break;
        case 1:
        case 2: {
            const QString separators[] = {m_locale.decimalPoint(), QStringLiteral("."), QStringLiteral(",")};
            text = QString::number(below(60)) + separators[below(3)] + QString::number(below(1000));
            break;
        }
        case 3: {
            static const char *const exponents[] = {"1e5", "2.5E-3", "1e309", "1e-320", "9e307", "1e154",
                                                    "3e0", "4E+0", "1e", "5e-", "1e99999"};
            text = QLatin1String(exponents[below(11)]);
            break;
        }
        case 4: text = m_locale.toString(below(10000000)); break;
        case 5: text = m_locale.toString(below(100000) / 100.0, 'f', 2); break;
        case 6: {
            const int length = chance(20) ? 1000 + below(3000) : 10 + below(300);
            for (int i = 0; i < length; ++i)
                text += QChar(u'0' + below(10));
            if (chance(50))
                text.insert(below(int(text.size())), m_locale.decimalPoint());
            break;
        }
        case 7: {
            static const char *const words[] = {"nan", "inf", "-inf", "abc", "x12", "e5", ".", ",", "-", ""};
            text = QLatin1String(words[below(10)]);
            break;
        }
        case 8: text = QStringLiteral("0,00") + QString::number(below(1000)); break;
        default: text = QString::number(1 + below(30)); break;
        }
        if (chance(15))
            text.prepend(chance(70) ? QStringLiteral("-") : QStringLiteral("\u2212"));
        if (chance(10))
            text.prepend(QStringLiteral("  "));
        if (chance(15)) {
            static const char *const junk[] = {" cm", "kg", "abc", ",", ".", "e", "1,2", " 5"};
            text += QLatin1String(junk[below(8)]);
        }
        if (chance(5))
            text += QStringLiteral("\u00a0лв\u202f3");
        return text;
    }

    // Keys are typed one Latin-1 character at a time.
    static QString typeable(QString text)
    {
        for (QChar &c : text) {
            if (c.unicode() < 0x20 || c.unicode() > 0x7e)
                c = u'?';
        }
        return text;
    }

private:
    std::mt19937 &m_random;
    QLocale m_locale;
};

QStringList reportTexts(const QList<DialogGuard::Seen> &seen)
{
    QStringList texts;
    for (const DialogGuard::Seen &s : seen)
        texts << (s.className == QLatin1String("QMessageBox") ? s.text : s.className);
    return texts;
}

QString shortened(const QString &text)
{
    return text.size() > 40 ? text.left(40) + QStringLiteral("…(%1)").arg(text.size()) : text;
}

// Every cell but `except` shows what it showed before, and no lock moved.
QString unchangedBut(const FormSnapshot &before, const FormSnapshot &after, int except)
{
    for (int k = 0; k < fuzzchecks::kCells; ++k) {
        if (k != except && after.text[k] != before.text[k])
            return QStringLiteral("cell %1 changed from \"%2\" to \"%3\"")
                .arg(k).arg(shortened(before.text[k]), shortened(after.text[k]));
    }
    if (after.readOnly != before.readOnly || after.enabled != before.enabled)
        return QStringLiteral("the locks changed");
    if (after.selected != before.selected || after.checked != before.checked)
        return QStringLiteral("the selection changed");
    return {};
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void randomUserActions_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<int>("actions");
        QTest::newRow("C") << QLocale::c() << 20240601u << 1500;
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << 7u << 1500;
        QTest::newRow("bg_BG") << QLocale(QLocale::Bulgarian, QLocale::Bulgaria) << 1234567u << 1500;
    }

    void randomUserActions()
    {
        QFETCH(QLocale, locale);
        QFETCH(unsigned, seed);
        QFETCH(int, actions);
        QLocale::setDefault(locale);

        FormFixture f;
        Quadrelon &form = *f.form;
        std::mt19937 random(seed);
        TextMaker make(random, locale);
        bool asLoaded = true;
        QStringList log; // the latest actions, for the failure message
        int calculations = 0;
        int errors = 0;

        FormSnapshot state = FormSnapshot::of(form);
        QString problem = fuzzchecks::checkLocks(state, asLoaded);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        for (int step = 0; step < actions; ++step) {
            const FormSnapshot before = state;
            // A cell of the selected row half the time, any cell otherwise.
            const int cell = make.chance(50) ? before.selected * solver::kColumnCount + make.below(5)
                                             : make.below(fuzzchecks::kCells);
            QLineEdit *edit = form.Text2[cell];
            const bool editable = before.enabled[cell] && !before.readOnly[cell];
            // A given cell of another variant: a click or a keystroke selects that
            // variant first, emptying the grid, and then takes effect there.
            bool takesOver = before.enabled[cell] && before.readOnly[cell];
            enum class Kind { Select, Type, Calculate, Clear, Other } kind = Kind::Other;
            QString action;
            QString expectedText; // for typing and pasting: the cell's text afterwards

            const int roll = make.below(100);
            if (roll < 10) {
                const int variant = make.below(solver::kVariantCount);
                action = QStringLiteral("click Вариант %1").arg(variant + 1);
                kind = Kind::Select;
                f.selectVariant(variant);
            } else if (roll < 14) {
                const Qt::Key key = make.chance(50) ? Qt::Key_Down : Qt::Key_Up;
                action = QStringLiteral("arrow %1 on the selected option").arg(key == Qt::Key_Down ? "down" : "up");
                kind = Kind::Select;
                form.Option1[before.selected]->setFocus(Qt::OtherFocusReason);
                QTest::keyClick(form.Option1[before.selected], key);
            } else if (roll < 38) {
                const QString text = TextMaker::typeable(make.number());
                action = QStringLiteral("type \"%1\" into cell %2").arg(shortened(text)).arg(cell);
                kind = Kind::Type;
                f.typeInto(cell, text);
                expectedText = editable || takesOver ? text : before.text[cell];
            } else if (roll < 56) {
                const QString clip = make.number();
                const bool replace = make.chance(60);
                action = QStringLiteral("paste \"%1\" %2 cell %3")
                             .arg(shortened(clip), replace ? QStringLiteral("over") : QStringLiteral("into"))
                             .arg(cell);
                kind = Kind::Type;
                QApplication::clipboard()->setText(clip);
                QTest::mouseClick(edit, Qt::LeftButton);
                if (replace)
                    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                const qsizetype at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
                const qsizetype cut = edit->selectedText().size();
                QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
                expectedText = editable ? QString(before.text[cell]).replace(at, cut, clip)
                                        : takesOver ? clip : before.text[cell];
            } else if (roll < 62) {
                // Both given cells of the row, then calculate: a rectangle more often than not.
                const auto &given = solver::kGivenColumns[before.selected];
                const QString first = TextMaker::typeable(QString::number(1 + make.below(40)));
                const QString second = TextMaker::typeable(make.chance(70) ? QString::number(10 + make.below(90))
                                                                           : make.number());
                action = QStringLiteral("type \"%1\", \"%2\" into the row and calculate").arg(first, shortened(second));
                kind = Kind::Calculate;
                f.typeInto(before.selected * solver::kColumnCount + given[0], first);
                f.typeInto(before.selected * solver::kColumnCount + given[1], second);
            } else if (roll < 80) {
                action = QStringLiteral("click Изчисли");
                kind = Kind::Calculate;
            } else if (roll < 84) {
                action = QStringLiteral("click Изчисти");
                kind = Kind::Clear;
                f.pressClear();
            } else if (roll < 96) {
                const int presses = 1 + make.below(3);
                const bool back = make.chance(30);
                action = QStringLiteral("%1 × %2").arg(back ? "Shift+Tab" : "Tab").arg(presses);
                for (int i = 0; i < presses; ++i) {
                    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
                    QTest::keyClick(target, back ? Qt::Key_Backtab : Qt::Key_Tab,
                                    back ? Qt::ShiftModifier : Qt::NoModifier);
                }
            } else {
                // Typing where the focus is, as a user who tabbed there does.
                auto *focused = qobject_cast<QLineEdit *>(QApplication::focusWidget());
                const int at = int(std::find(form.Text2.begin(), form.Text2.end(), focused) - form.Text2.begin());
                if (at == fuzzchecks::kCells) {
                    action = QStringLiteral("nothing (the focus is on no cell)");
                } else {
                    const QString text = TextMaker::typeable(make.number());
                    action = QStringLiteral("type \"%1\" at the focus in cell %2").arg(shortened(text)).arg(at);
                    kind = Kind::Type;
                    const bool open = before.enabled[at] && !before.readOnly[at];
                    takesOver = before.enabled[at] && before.readOnly[at] && !text.isEmpty();
                    const qsizetype from = focused->hasSelectedText() ? focused->selectionStart()
                                                                      : focused->cursorPosition();
                    const qsizetype cut = focused->selectedText().size();
                    QTest::keyClicks(focused, text);
                    expectedText = open ? QString(before.text[at]).replace(from, cut, text)
                                        : takesOver ? text : before.text[at];
                    edit = focused;
                }
            }

            // The calculation after typing the row's givens is checked from the typed state.
            FormSnapshot reference = before;
            const bool calculates = kind == Kind::Calculate;
            if (calculates) {
                reference = FormSnapshot::of(form);
                QVERIFY2(f.guard->take().isEmpty(), "typing reported an error");
                f.pressCalculate();
            }
            const FormSnapshot after = FormSnapshot::of(form);
            const QStringList reports = reportTexts(f.guard->take());
            log << QStringLiteral("%1: %2").arg(step).arg(action);
            if (log.size() > 12)
                log.removeFirst();

            if (kind == Kind::Select) {
                if (after.selected != before.selected) {
                    asLoaded = false;
                    problem = fuzzchecks::checkSelected(after, after.selected);
                } else {
                    problem = unchangedBut(before, after, -1);
                }
            } else if (calculates) {
                ++calculations;
                errors += int(reports.size());
                problem = fuzzchecks::checkCalculated(reference, after, reports);
            } else if (kind == Kind::Clear) {
                problem = fuzzchecks::checkCleared(before, after);
            } else if (kind == Kind::Type) {
                const int changed = int(std::find(form.Text2.begin(), form.Text2.end(), edit) - form.Text2.begin());
                if (takesOver) {
                    asLoaded = false;
                    FormSnapshot emptied = after;
                    emptied.text[changed].clear();
                    problem = fuzzchecks::checkSelected(emptied, changed / solver::kColumnCount);
                } else {
                    // A given number of the selected row changed takes the row's results away.
                    FormSnapshot expected = before;
                    const int row = changed / solver::kColumnCount;
                    if (row == before.selected && after.text[changed] != before.text[changed]) {
                        for (int k = row * solver::kColumnCount; k < (row + 1) * solver::kColumnCount; ++k) {
                            if (!solver::isGivenCell(k))
                                expected.text[k].clear();
                        }
                    }
                    problem = unchangedBut(expected, after, changed);
                }
                if (problem.isEmpty() && after.text[changed] != expectedText)
                    problem = QStringLiteral("cell %1 (%2) shows \"%3\", not \"%4\"")
                                  .arg(changed)
                                  .arg(before.readOnly[changed] ? QStringLiteral("locked") : QStringLiteral("unlocked"),
                                       shortened(after.text[changed]), shortened(expectedText));
            } else {
                problem = unchangedBut(before, after, -1);
            }
            if (problem.isEmpty() && !calculates && !reports.isEmpty())
                problem = QStringLiteral("an error was reported: %1").arg(reports.join(u'|'));
            if (problem.isEmpty())
                problem = fuzzchecks::checkLocks(after, asLoaded);
            if (problem.isEmpty() && (QApplication::activeModalWidget() || !form.isVisible()))
                problem = QStringLiteral("the window is blocked or gone");
            if (!problem.isEmpty())
                QFAIL(qPrintable(QStringLiteral("%1\nlatest actions:\n  %2").arg(problem, log.join(QStringLiteral("\n  ")))));
            state = after;
        }
        qInfo("%d actions, %d calculations, %d of them reported an error", actions, calculations, errors);
        // The soak must have reached both outcomes of the calculation many times.
        QVERIFY2(calculations > actions / 5, qPrintable(QString::number(calculations)));
        QVERIFY2(errors > calculations / 10 && errors < calculations * 9 / 10,
                 qPrintable(QStringLiteral("%1 errors in %2 calculations").arg(errors).arg(calculations)));
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
