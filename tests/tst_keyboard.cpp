// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The keys, menus and tooltips a desktop user expects, driven on the real window.
#include "form/touchhabits.h"
#include "solution/rectangledrawing.h"
#include "solution/solutionaction.h"
#include "solution/solutionwindow.h"
#include "support/formfixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPointingDevice>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList k345{"3.00", "4.00", "5.00", "14.00", "12.00"};

// Opens a cell's context menu as a right click does and returns what it offers,
// separators as "|"; triggers the item named trigger, if any, then closes the menu.
QStringList contextMenu(QLineEdit *cell, const QString &trigger = QString())
{
    QStringList items;
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            items << (action->isSeparator() ? QStringLiteral("|") : action->objectName());
            if (!trigger.isEmpty() && action->objectName() == trigger)
                chosen = action;
        }
        menu->close();
        if (chosen)
            chosen->trigger();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), cell->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(cell, &event);
    QCoreApplication::processEvents();
    return items;
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale::c()); }

    void enterInAGivenCell_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("cell");
        QTest::addColumn<bool>("calculates");
        QTest::newRow("Return in the selected row") << int(Qt::Key_Return) << 0 << 1 << true;
        QTest::newRow("keypad Enter in the selected row") << int(Qt::Key_Enter) << 0 << 0 << true;
        QTest::newRow("Return in another row") << int(Qt::Key_Return) << 9 << 0 << false;
    }

    void enterInAGivenCell()
    {
        QFETCH(int, key);
        QFETCH(int, selected);
        QFETCH(int, cell);
        QFETCH(bool, calculates);
        FormFixture f;
        f.calculate(0, QStringLiteral("3"), QStringLiteral("4"));
        f.typeInto(0, QStringLiteral("4"));
        f.typeInto(1, QStringLiteral("3"));
        if (selected != 0)
            f.selectVariant(selected);
        QSignalSpy spy(f.form.get(), &Quadrelon::calculated);
        const QStringList before = f.row(selected);
        QTest::keyClick(f.form->Text2[cell], Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        const QStringList swapped{"4.00", "3.00", "5.00", "14.00", "12.00"};
        QCOMPARE(f.row(selected), calculates ? swapped : before);
        QCOMPARE(spy.size(), calculates ? 1 : 0);
        QVERIFY(f.guard->take().isEmpty());
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("row");
        const QStringList empty{"", "", "", "", ""};
        QTest::newRow("Return on Изчисли") << 0 << int(Qt::Key_Return) << k345;
        QTest::newRow("keypad Enter on Изчисли") << 0 << int(Qt::Key_Enter) << k345;
        QTest::newRow("Return on Изчисти") << 1 << int(Qt::Key_Return) << empty;
        QTest::newRow("keypad Enter on Изчисти") << 1 << int(Qt::Key_Enter) << empty;
    }

    void enterPressesTheFocusedButton()
    {
        QFETCH(int, button);
        QFETCH(int, key);
        QFETCH(QStringList, row);
        FormFixture f;
        f.typeInto(0, QStringLiteral("3"));
        f.typeInto(1, QStringLiteral("4"));
        f.form->Command1[button]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.form->Command1[button], Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(f.row(0), row);
    }

    void copyRow_data()
    {
        QTest::addColumn<bool>("calculated");
        QTest::addColumn<bool>("byMenu");
        QTest::addColumn<QString>("copied");
        const QString full = QStringLiteral("a\tb\td\tP\tS\n3.00\t4.00\t5.00\t14.00\t12.00\n");
        const QString empty = QStringLiteral("a\tb\td\tP\tS\n\t\t\t\t\n");
        QTest::newRow("full row, Ctrl+Shift+C") << true << false << full;
        QTest::newRow("full row, context menu") << true << true << full;
        QTest::newRow("empty row, Ctrl+Shift+C") << false << false << empty;
        QTest::newRow("empty row, context menu") << false << true << empty;
    }

    void copyRow()
    {
        QFETCH(bool, calculated);
        QFETCH(bool, byMenu);
        QFETCH(QString, copied);
        FormFixture f;
        if (calculated)
            f.calculate(0, QStringLiteral("3"), QStringLiteral("4"));
        QApplication::clipboard()->setText(QStringLiteral("before"));
        QLineEdit *cell = f.form->Text2[1];
        cell->setFocus();
        if (byMenu)
            contextMenu(cell, QStringLiteral("copyRowAction"));
        else
            QTest::keyClick(cell, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(), copied);
        QVERIFY(f.guard->take().isEmpty());

        // Ctrl+C still copies the text selected in the cell.
        if (!calculated)
            return;
        cell->selectAll();
        QTest::keyClick(cell, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), cell->text());
    }

    void windowActionsInMenuAndTooltip()
    {
        FormFixture f;
        QLineEdit *cell = f.form->Text2[13];
        f.selectVariant(2);
        QStringList items = contextMenu(cell);
        QCOMPARE(items.mid(items.size() - 3), (QStringList{"|", "copyRowAction", "showSolutionAction"}));
        QVERIFY(items.size() > 4); // Qt's own items come first

        // An action the window gains later joins the menu and the tooltip.
        auto *later = new QAction(QStringLiteral("По-късно"), f.form.get());
        later->setObjectName(QStringLiteral("laterAction"));
        later->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
        later->setProperty("givenCellMenu", true);
        later->setProperty("hint", QStringLiteral("по-късно"));
        f.form->addAction(later);
        f.form->addAction(new QAction(QStringLiteral("elsewhere"), f.form.get()));
        items = contextMenu(cell);
        QCOMPARE(items.mid(items.size() - 4),
                 (QStringList{"|", "copyRowAction", "showSolutionAction", "laterAction"}));
        QCOMPARE(cell->toolTip(),
                 QStringLiteral("Вариант 3: периметър P. Enter — изчисли; Ctrl+Shift+C — копирай реда; "
                                "Ctrl+R — покажи решението; Ctrl+J — по-късно"));
    }

    // After another window has closed, a tap gives the keys back to the window it
    // lands on.
    void tapActivatesItsWindow()
    {
        static QPointingDevice *finger = QTest::createTouchDevice();
        TouchHabits::install();
        FormFixture f;
        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());
        const QPoint at = f.form->Text2[13]->mapTo(f.form.get(), QPoint(5, 5));
        QTest::touchEvent(f.form.get(), finger).press(0, at);
        QTest::touchEvent(f.form.get(), finger).release(0, at);
        QTRY_VERIFY(f.form->isActiveWindow());
    }

    // On a touch screen a finger held still on a cell opens its menu; a tap, or a
    // finger that moves away, does not.
    void fingerHeldOpensTheMenu_data()
    {
        QTest::addColumn<int>("heldFor"); // in press-and-hold intervals, as a percentage
        QTest::addColumn<int>("movedBy"); // in drag distances
        QTest::addColumn<bool>("opens");
        QTest::newRow("a tap") << 50 << 0 << false;
        QTest::newRow("held, but moving") << 150 << 2 << false;
        QTest::newRow("held still") << 150 << 0 << true;
    }

    void fingerHeldOpensTheMenu()
    {
        QFETCH(int, heldFor);
        QFETCH(int, movedBy);
        QFETCH(bool, opens);
        static QPointingDevice *finger = QTest::createTouchDevice();
        TouchHabits::install();
        FormFixture f;
        QLineEdit *cell = f.form->Text2[13];
        const QPoint at = cell->mapTo(f.form.get(), QPoint(5, 5));
        const int hold = QGuiApplication::styleHints()->mousePressAndHoldInterval();
        QTest::touchEvent(f.form.get(), finger).press(0, at);
        if (movedBy > 0)
            QTest::touchEvent(f.form.get(), finger)
                .move(0, at + QPoint(movedBy * QGuiApplication::styleHints()->startDragDistance(), 0));
        QTest::qWait(hold * heldFor / 100);
        QTest::touchEvent(f.form.get(), finger).release(0, at);
        QTest::qWait(hold); // long enough for a menu a tap must not bring
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QCOMPARE(menu != nullptr, opens);
        if (menu) {
            QCOMPARE(menu->actions().constLast()->objectName(), QStringLiteral("showSolutionAction"));
            QVERIFY(menu->isVisible()); // lifting the finger leaves it open
            menu->close();
        }
    }

    // After a calculation the keys stay in the given cell the user was in (the row's
    // first without one; after a refusal the one its message names), its whole text
    // selected, so that the next key starts a new number.
    void keysStayWithTheGivenNumbers_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("enterIn"); // -1: "Изчисли" clicked
        QTest::addColumn<int>("focused");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("refused");
        QTest::newRow("Enter in b") << 0 << "3" << "4" << 1 << 1 << "4.00" << false;
        QTest::newRow("Изчисли clicked") << 9 << "14" << "12" << -1 << 48 << "14.00" << false;
        QTest::newRow("no number for b") << 0 << "3" << "" << 0 << 1 << "" << true;
        QTest::newRow("a of 0") << 3 << "0" << "12" << 19 << 15 << "0.00" << true;
        QTest::newRow("values that disagree") << 1 << "5" << "4" << 7 << 7 << "4.00" << true;
    }

    void keysStayWithTheGivenNumbers()
    {
        QFETCH(int, variant);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, enterIn);
        QFETCH(int, focused);
        QFETCH(QString, selected);
        QFETCH(bool, refused);
        FormFixture f;
        f.selectVariant(variant);
        const auto cells = FormFixture::givenCells(variant);
        f.typeInto(cells[0], first);
        f.typeInto(cells[1], second);
        if (enterIn >= 0) {
            f.form->Text2[enterIn]->setFocus();
            QTest::keyClick(f.form->Text2[enterIn], Qt::Key_Return);
        } else {
            f.pressCalculate();
        }
        const QList<DialogGuard::Seen> seen = f.guard->take();
        QCOMPARE(seen.size(), refused ? 1 : 0);
        QLineEdit *cell = f.form->Text2[focused];
        if (refused) {
            // Already as the box closes: in the browser nothing waits for it.
            QCOMPARE(seen[0].focusAtClose, cell->objectName());
            QCOMPARE(seen[0].selectedAtClose, selected);
        }
        QTRY_COMPARE(QApplication::focusWidget(), cell);
        QCOMPARE(cell->selectedText(), selected);
        QCOMPARE(cell->cursorPosition(), 0); // shown from its first digit
        QTest::keyClick(cell, Qt::Key_5);
        QCOMPARE(cell->text(), u"5"_s);
    }

    // A given number changed after a calculation takes its results away at once, with
    // their formulas, the working and what the screen reader would find; a text the
    // program writes is no change, and "Изчисли" calculates again.
    void changedNumbersTakeTheResultsAway_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("taken");
        for (const char *edit : {"typing", "Backspace", "pasting", "cutting", "a program's write"})
            QTest::newRow(edit) << QString::fromUtf8(edit) << (edit != std::string_view("a program's write"));
    }

    void changedNumbersTakeTheResultsAway()
    {
        QFETCH(QString, edit);
        QFETCH(bool, taken);
        FormFixture f;
        f.calculate(0, u"3"_s, u"4"_s);
        f.solution->showSolution();
        QTRY_VERIFY(f.form->Text2[2]->toolTip().contains(u"√"_s));
        QLineEdit *cell = f.form->Text2[1];
        cell->setFocus();
        cell->setCursorPosition(int(cell->text().size()));
        if (edit == u"typing") {
            QTest::keyClick(cell, Qt::Key_1);
        } else if (edit == u"Backspace") {
            QTest::keyClick(cell, Qt::Key_Backspace);
        } else if (edit == u"pasting") {
            QApplication::clipboard()->setText(u"7"_s);
            QTest::keyClick(cell, Qt::Key_V, Qt::ControlModifier);
        } else if (edit == u"cutting") {
            cell->selectAll();
            QTest::keyClick(cell, Qt::Key_X, Qt::ControlModifier);
        } else {
            cell->setText(u"4"_s);
        }
        const QStringList empty{"", "", ""};
        QCOMPARE(f.row(0).mid(2), taken ? empty : k345.mid(2));
        QCOMPARE(f.form->Text2[2]->toolTip().contains(u"√"_s), !taken);
        SolutionWindow *window = f.solution->window();
        QCOMPARE(window->text().startsWith(u"Числата са променени след последното изчисление."_s), taken);
        QCOMPARE(window->drawing()->hasRectangle(), !taken);
        QCOMPARE(window->printButton()->isEnabled(), !taken);
        QAccessibleInterface *form = QAccessible::queryAccessibleInterface(f.form.get());
        QAccessibleInterface *announcer = form->child(form->childCount() - 1);
        QCOMPARE(announcer->role(), QAccessible::Notification);
        QCOMPARE(announcer->text(QAccessible::Name).isEmpty(), taken);

        // A formula that comes after the change finds no results to explain.
        QCoreApplication::processEvents();
        QCOMPARE(f.form->Text2[2]->toolTip().contains(u"√"_s), !taken);
        f.typeInto(1, u"4"_s);
        QTest::keyClick(cell, Qt::Key_Return);
        QCOMPARE(f.row(0), k345);
        QVERIFY(window->text().startsWith(u"Вариант 1"_s));
    }

    void tooltips()
    {
        FormFixture f;
        QCOMPARE(f.form->Text2[13]->toolTip(),
                 QStringLiteral("Вариант 3: периметър P. Enter — изчисли; Ctrl+Shift+C — копирай реда; "
                                "Ctrl+R — покажи решението"));
        QCOMPARE(f.form->Text2[12]->toolTip(), QStringLiteral("Вариант 3: диагонал d (резултат)"));
        QCOMPARE(f.form->Text2[13]->accessibleName(), QStringLiteral("Вариант 3, периметър P"));

        // A formula follows the description until a variant is selected or the grid cleared.
        f.selectVariant(2);
        f.form->setCellFormula(12, QStringLiteral("d = √(a² + b²)"));
        QCOMPARE(f.form->Text2[12]->toolTip(), QStringLiteral("Вариант 3: диагонал d (резултат)\nd = √(a² + b²)"));
        f.pressClear();
        QCOMPARE(f.form->Text2[12]->toolTip(), QStringLiteral("Вариант 3: диагонал d (резултат)"));
        f.form->setCellFormula(12, QStringLiteral("d"));
        f.selectVariant(3);
        QCOMPARE(f.form->Text2[12]->toolTip(), QStringLiteral("Вариант 3: диагонал d (резултат)"));
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
