// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Упражнение" driven as a pupil drives it, from the keyboard: answers right, almost
// right, wrong and unreadable with the verdicts, colours, hints, working and score they
// bring, what a screen reader hears, "Нова задача", the settings kept between runs,
// the way in from the calculator's cells, and "Работен лист…" opened with the window's
// settings.
#include "form/accessibility.h"
#include "practiceview/practiceaction.h"
#include "practiceview/practicewindow.h"
#include "practiceview/worksheetdialog.h"
#include "support/formfixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;
using practice::Level;
using practice::Problem;
using practiceview::PracticeWindow;

Q_DECLARE_METATYPE(QColor)

namespace {

// "a = 3 см и диагонал d = 6 см", b = 3√3 ≈ 5,196: a root, answered exactly or to
// hundredths.
Problem rootProblem()
{
    return Problem::withGivens(2, 3, 6, Level::Roots);
}

// Types as a keyboard does, one key at a time; QTest::keyClicks knows Latin-1 only.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

struct Window
{
    Window()
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.showProblem(rootProblem());
    }

    // Clicks into the field, types and presses Enter, as a pupil answers.
    void answer(int column, const QString &text)
    {
        QLineEdit *edit = window.field(column);
        QVERIFY(edit);
        edit->setFocus();
        edit->selectAll();
        typeText(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    QColor colour(int column) const { return window.field(column)->palette().color(QPalette::Base); }
    QString said() const { return accessibility::lastSaid(&window); }

    PracticeWindow window;
};

constexpr int kB = 1, kP = 3, kS = 4;

} // namespace

class TestPracticeWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // Named as the program names itself: without a name Windows' registry takes
        // no settings, and Windows' registry is what this test keeps them in there.
        QCoreApplication::setOrganizationDomain(u"quadrelon.example"_s);
    }

    void init()
    {
        QSettings().clear();
        QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    }

    void showsTheProblem()
    {
        Window w;
        QCOMPARE(w.window.windowTitle(), u"Упражнение"_s);
        QCOMPARE(w.window.statement()->text(),
                 u"Правоъгълник има страна a\u00A0=\u00A03\u00A0см и диагонал d\u00A0=\u00A06\u00A0см. "
                 u"Намерете b, P и S."_s);
        QCOMPARE(w.window.score()->text(), u"Вярно: 0 от 0"_s);
        // A field for each unknown, its unit after it; none for the given values.
        QVERIFY(!w.window.field(0) && !w.window.field(2));
        for (int column : {kB, kP, kS})
            QVERIFY(w.window.field(column)->isVisible());
        // Each field named by its label, its unit after it.
        const auto labelOf = [&](int column) {
            for (QLabel *label : w.window.findChildren<QLabel *>()) {
                if (label->isVisible() && label->buddy() == w.window.field(column))
                    return label->text();
            }
            return QString();
        };
        QCOMPARE(labelOf(kB), u"b ="_s);
        QCOMPARE(labelOf(kS), u"S ="_s);
        QCOMPARE(w.window.field(kS)->accessibleName(), u"S = см²"_s);
        QCOMPARE(w.said(), u"Задача № 0. "_s + w.window.statement()->text());
        // The number a teacher looks the problem up by.
        w.window.showProblem(practice::makeProblem(4821, practice::Settings()));
        QCOMPARE(w.window.title()->text(), u"Задача № 4821"_s);
    }

    // One row per kind of answer: what is typed into b, one Enter after each, and what
    // the pupil then reads and hears.
    void answers_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("score");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("said");

        const QString hint = u"Подсказка: b\u00A0=\u00A0√(d²\u00A0−\u00A0a²) = √(6²\u00A0−\u00A03²)"_s;
        QTest::newRow("right, exact") << QStringList{u"3√3"_s} << u"✓ вярно"_s << PracticeWindow::rightColour()
                                      << QString() << u"Вярно: 1 от 1"_s << true << u"b: вярно"_s;
        QTest::newRow("almost: to tenths")
            << QStringList{u"5,2"_s} << u"≈ почти: до стотни е 5,20"_s << PracticeWindow::almostColour()
            << QString() << u"Вярно: 0 от 1"_s << true << u"b: почти: до стотни е 5,20"_s;
        QTest::newRow("wrong once: the hint")
            << QStringList{u"4"_s} << u"✗ грешно"_s << PracticeWindow::wrongColour() << hint << u"Вярно: 0 от 1"_s
            << false << u"b: грешно. "_s + hint;
        QTest::newRow("wrong twice: the answer and the working")
            << QStringList{u"4"_s, u"7"_s} << u"✗ грешно. Отговор: b = 3√3 см ≈ 5,20 см"_s
            << PracticeWindow::wrongColour() << QString() << u"Вярно: 0 от 1"_s << true
            << u"b: грешно. Отговор: b = 3√3 см ≈ 5,20 см"_s;
        QTest::newRow("wrong, then right") << QStringList{u"4"_s, u"5,20"_s} << u"✓ вярно"_s
                                           << PracticeWindow::rightColour() << QString() << u"Вярно: 1 от 1"_s
                                           << true << u"b: вярно"_s;
        QTest::newRow("the same wrong answer again: no second try")
            << QStringList{u"4"_s, u"4"_s} << u"✗ грешно"_s << PracticeWindow::wrongColour()
            << u"Този отговор вече е проверен: поправете го и натиснете „Провери“."_s << u"Вярно: 0 от 1"_s << false
            << u"Този отговор вече е проверен: поправете го и натиснете „Провери“."_s;
        QTest::newRow("unreadable: no try")
            << QStringList{u"3,5,6"_s} << u"? не се чете „,6“: напишете число като 5,2 или 3√3"_s
            << QColor(QPalette().color(QPalette::Base)) << QString() << u"Вярно: 0 от 0"_s << false
            << u"b: не се чете „,6“: напишете число като 5,2 или 3√3"_s;
    }

    void answers()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, verdict);
        QFETCH(QColor, colour);
        QFETCH(QString, message);
        QFETCH(QString, score);
        QFETCH(bool, closed);
        QFETCH(QString, said);
        Window w;
        for (const QString &text : typed)
            w.answer(kB, text);
        QCOMPARE(w.window.verdict(kB)->text(), verdict);
        QCOMPARE(w.colour(kB), colour);
        QCOMPARE(w.window.message()->text(), message);
        QCOMPARE(w.window.score()->text(), score);
        QCOMPARE(w.window.field(kB)->isReadOnly(), closed);
        QCOMPARE(w.said(), said);
        // The working comes with the answer, after a second wrong try only, and whole.
        const bool working = verdict.contains(u"Отговор"_s);
        QCOMPARE(w.window.working()->toPlainText().isEmpty(), !working);
        if (working) {
            QCOMPARE(w.window.working()->toPlainText().split(u'\n').first(), u"Вариант 2"_s);
            QVERIFY(w.window.working()->toPlainText().contains(u"\nПо Питагоровата теорема: b"_s));
        }
        // The other fields are untouched and a field still open keeps the focus; a
        // closed one hands it on.
        QCOMPARE(w.window.verdict(kP)->text(), QString());
        QCOMPARE(QApplication::focusWidget(), closed ? w.window.field(kP) : w.window.field(kB));
    }

    void solvedToTheEnd()
    {
        Window w;
        w.answer(kB, u"√27"_s);
        w.answer(kP, u"16,39"_s);
        // Pressed twice: the second Enter finds the field closed and judges nothing again.
        w.answer(kS, u"9√3"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(w.window.verdict(kB)->text(), u"≈ вярно; опростено е 3√3"_s);
        QCOMPARE(w.window.verdict(kP)->text(), u"✓ вярно"_s);
        QCOMPARE(w.window.verdict(kS)->text(), u"✓ вярно"_s);
        QCOMPARE(w.window.score()->text(), u"Вярно: 3 от 3"_s);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"nextButton"_s);
        QVERIFY(!w.window.findChild<QPushButton *>(u"checkButton"_s)->isEnabled());

        // "Нова задача" from the keyboard: everything cleared but the score.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(w.window.problem().number() > 0);
        QCOMPARE(w.window.title()->text(), w.window.problem().title());
        QCOMPARE(w.window.score()->text(), u"Вярно: 3 от 3"_s);
        QCOMPARE(w.window.message()->text(), QString());
        QCOMPARE(w.window.working()->toPlainText(), QString());
        for (int column : w.window.problem().unknowns()) {
            QCOMPARE(w.window.field(column)->text(), QString());
            QCOMPARE(w.window.verdict(column)->text(), QString());
            QVERIFY(!w.window.field(column)->isReadOnly());
        }
        QCOMPARE(QApplication::focusWidget(), w.window.field(w.window.problem().unknowns().first()));
        QCOMPARE(w.said(), w.window.title()->text() + u". "_s + w.window.statement()->text());
    }

    void hintAndSolutionButtons()
    {
        Window w;
        w.window.field(kP)->setFocus();
        QTest::keyClick(w.window.field(kP), Qt::Key_F1);
        QTRY_COMPARE(w.window.message()->text(), u"Подсказка: P\u00A0=\u00A02(a\u00A0+\u00A0b)"_s);
        QCOMPARE(w.window.score()->text(), u"Вярно: 0 от 0"_s);

        w.answer(kB, u"3√3"_s);
        QTest::keyClick(w.window.field(kP), Qt::Key_R, Qt::ControlModifier);
        QTRY_COMPARE(w.window.verdict(kS)->text(), u"Отговор: S = 9√3 см² ≈ 15,59 см²"_s);
        QCOMPARE(w.window.verdict(kB)->text(), u"✓ вярно"_s);
        QCOMPARE(w.window.score()->text(), u"Вярно: 1 от 3"_s);
        QVERIFY(w.window.working()->toPlainText().startsWith(u"Вариант 2\n"_s));
        QVERIFY(w.said().startsWith(u"Решение. b = 3√3 см ≈ 5,20 см. "_s));
    }

    // "Задача №…" asks without waiting inside the event, as the browser needs, and
    // brings the problem of that number.
    void problemByItsNumber()
    {
        Window w;
        QTest::keyClick(w.window.field(kP), Qt::Key_G, Qt::ControlModifier);
        QDialog *dialog = nullptr;
        QTRY_VERIFY((dialog = w.window.findChild<QDialog *>(u"findDialog"_s)));
        dialog->findChild<QSpinBox *>(u"problemNumber"_s)->setValue(4821);
        dialog->accept();
        QCOMPARE(w.window.title()->text(), u"Задача № 4821"_s);
        QCOMPARE(w.window.findChildren<QDialog *>(u"findDialog"_s).size(), 1); // closing deletes it later
    }

    void rootSignIntoTheFocusedField()
    {
        Window w;
        w.window.field(kS)->setFocus();
        QTest::keyClicks(w.window.field(kS), u"9"_s);
        QTest::mouseClick(w.window.findChild<QPushButton *>(u"rootButton"_s), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), u"3"_s);
        QCOMPARE(w.window.field(kS)->text(), u"9√3"_s);
        QTest::keyClick(w.window.field(kS), Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(w.window.field(kS)->text(), u"9√3√"_s);
        QCOMPARE(w.window.field(kB)->text(), QString());
    }

    // The tick where there is no rectangle, and where there is one.
    void noRectangle_data()
    {
        QTest::addColumn<double>("side");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QString>("score");
        QTest::newRow("none: a = 7 ≥ d = 5")
            << 7.0
            << u"✓ вярно: a = 7 см ≥ d = 5 см. Няма правоъгълник с тези стойности: страната трябва да е "
               u"по-\u2060къса от диагонала (трябва страна\u00A0<\u00A0d)."_s
            << u"Вярно: 1 от 1"_s;
        QTest::newRow("there is one: a = 3, d = 5")
            << 3.0 << u"✗ има такъв правоъгълник: намерете неизвестните"_s << u"Вярно: 0 от 0"_s;
    }

    void noRectangle()
    {
        QFETCH(double, side);
        QFETCH(QString, verdict);
        QFETCH(QString, score);
        Window w;
        w.window.showProblem(Problem::withGivens(2, side, 5, Level::Whole));
        w.window.noRectangle()->setFocus();
        QTest::keyClick(w.window.noRectangle(), Qt::Key_Space);
        QTest::keyClick(w.window.noRectangle(), Qt::Key_Return);
        QCOMPARE(w.window.noRectangleVerdict()->text(), verdict);
        QCOMPARE(w.window.score()->text(), score);
        QCOMPARE(w.said(), u"Няма такъв правоъгълник: "_s + verdict.mid(2));
    }

    // Numbers typed where there is no rectangle: wrong, the condition to check as the
    // hint, then the reason, and no field takes more typing.
    void numbersWhereThereIsNoRectangle()
    {
        Window w;
        w.window.showProblem(Problem::withGivens(2, 7, 5, Level::Whole));
        w.answer(kB, u"3"_s);
        QCOMPARE(w.window.verdict(kB)->text(), u"✗ грешно"_s);
        QCOMPARE(w.window.message()->text(),
                 u"Подсказка: Проверете дали има такъв правоъгълник: трябва страна\u00A0<\u00A0d."_s);
        w.answer(kP, u"24"_s);
        QCOMPARE(w.window.verdict(kP)->text(),
                 u"✗ грешно. Отговор: a = 7 см ≥ d = 5 см. Няма правоъгълник с тези стойности: страната трябва да е "
                 u"по-\u2060къса от диагонала (трябва страна\u00A0<\u00A0d)."_s);
        for (int column : {kB, kP, kS})
            QVERIFY(w.window.field(column)->isReadOnly());
        QCOMPARE(w.window.score()->text(), u"Вярно: 0 от 1"_s);
    }

    void settingsAreKept()
    {
        {
            Window w;
            w.window.findChild<QComboBox *>(u"levelChoice"_s)->setCurrentIndex(2);
            w.window.findChild<QComboBox *>(u"variantChoice"_s)->setCurrentIndex(5);
            w.window.findChild<QCheckBox *>(u"withoutRectangle"_s)->setChecked(true);
            QCOMPARE(w.window.problem().variant(), 5);
            QCOMPARE(w.window.problem().level(), Level::Roots);
        }
        PracticeWindow again;
        QCOMPARE(again.findChild<QComboBox *>(u"levelChoice"_s)->currentText(), u"Ниво 3 — корени"_s);
        QCOMPARE(again.findChild<QComboBox *>(u"variantChoice"_s)->currentText(), u"Вариант 5: b и d"_s);
        QVERIFY(again.settings().withoutRectangle);
        QCOMPARE(again.settings().variants, QList<int>{5});
    }

    void openedFromTheCalculator()
    {
        FormFixture f;
        practiceview::PracticeAction *practice = practiceview::PracticeAction::attach(*f.form);
        auto *action = f.form->findChild<QAction *>(u"practiceAction"_s);
        QVERIFY(action);
        QCOMPARE(action->text(), u"Упражнение"_s);
        QVERIFY(f.form->Text2[0]->toolTip().contains(u"Ctrl+Shift+P — упражнение"_s));
        f.form->Text2[0]->setFocus();
        QTest::keyClick(f.form->Text2[0], Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(practice->window());
        QVERIFY(practice->window()->isVisible());
        QCOMPARE(practice->window()->windowTitle(), u"Упражнение"_s);
        // Once more: the same window comes forward.
        PracticeWindow *first = practice->window();
        action->trigger();
        QCOMPARE(practice->window(), first);
    }

    // What the command line starts: "Упражнение", and with --worksheet the dialog over
    // it with the settings given.
    void startWindows()
    {
        commandline::Request practice = commandline::parse({u"quadrelon"_s, u"--practice"_s});
        const std::unique_ptr<QWidget> window = practiceview::createStartWindow(practice);
        QCOMPARE(window->windowTitle(), u"Упражнение"_s);

        const commandline::Request sheet = commandline::parse(
            {u"quadrelon"_s, u"--worksheet"_s, u"--problems"_s, u"7"_s, u"--versions"_s, u"4"_s, u"--seed"_s, u"99"_s});
        const std::unique_ptr<QWidget> under = practiceview::createStartWindow(sheet);
        under->show();
        QTRY_VERIFY(under->findChild<practiceview::WorksheetDialog *>());
        auto *dialog = under->findChild<practiceview::WorksheetDialog *>();
        QTRY_VERIFY(dialog->isVisible());
        QCOMPARE(dialog->findChild<QSpinBox *>(u"problemCount"_s)->value(), 7);
        QCOMPARE(dialog->findChild<QSpinBox *>(u"versionCount"_s)->value(), 4);
        QCOMPARE(dialog->findChild<QSpinBox *>(u"seed"_s)->value(), 99);
        dialog->reject();
    }

    void worksheetDialogTakesTheSettings()
    {
        practice::WorksheetOptions options;
        options.problems = 8;
        options.versions = 3;
        options.settings.levels = {Level::Decimal};
        options.settings.variants = {2, 5};
        options.settings.unit = solver::LengthUnit::Metre;
        options.seed = 4821;
        practiceview::WorksheetDialog dialog(options);
        QCOMPARE(dialog.findChild<QSpinBox *>(u"problemCount"_s)->value(), 8);
        QCOMPARE(dialog.findChild<QComboBox *>(u"unitChoice"_s)->currentText(), u"м"_s);
        QVERIFY(!dialog.findChild<QCheckBox *>(u"level1"_s)->isChecked());
        const practice::WorksheetOptions shown = dialog.options();
        QCOMPARE(shown.problems, 8);
        QCOMPARE(shown.versions, 3);
        QVERIFY(shown.settings == options.settings);
        QCOMPARE(shown.seed, 4821u);
        // Without a level there is nothing to draw from.
        dialog.findChild<QCheckBox *>(u"level2"_s)->setChecked(false);
        QVERIFY(!dialog.findChild<QPushButton *>(u"saveButton"_s)->isEnabled());
    }
};

QTEST_MAIN(TestPracticeWindow)
#include "tst_practicewindow.moc"
