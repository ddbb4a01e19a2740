// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of what the browser edition does differently: the keys the window takes from
// the browser and those it leaves to it, as the cells' tooltips name them, and the
// titles shortened to the title bars that Qt's browser platform draws.

#include "browser/browserkeys.h"
#include "browser/titlebars.h"
#include "practiceview/practicewindow.h"
#include "solution/solutionaction.h"
#include "solution/solutionwindow.h"
#include "support/formfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMargins>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

class TstBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "Упражнение" remembers its settings: not in the user's own.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void keys_data();
    void keys();
    void tooltipsNameTheBrowserKeys();
    void practiceButtons_data();
    void practiceButtons();
    void titles_data();
    void titles();
};

void TstBrowser::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text"); // what the page hands Qt with the key
    QTest::addColumn<bool>("taken");   // else the browser acts on it
    QTest::addColumn<bool>("opensSolution");
    QTest::addColumn<QString>("clipboard");

    const Qt::KeyboardModifiers none;
    QTest::newRow("F2 shows the solution") << int(Qt::Key_F2) << none << QString() << true << true << u"before"_s;
    QTest::newRow("F4 copies the row") << int(Qt::Key_F4) << none << QString() << true << false
                                       << u"a\tb\td\tP\tS\n3.00\t4.00\t5.00\t14.00\t12.00\n"_s;
    QTest::newRow("Ctrl+R reloads the page") << int(Qt::Key_R) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                             << u"r"_s << false << false << u"before"_s;
    QTest::newRow("Ctrl+Shift+C opens the inspector")
        << int(Qt::Key_C) << (Qt::ControlModifier | Qt::ShiftModifier) << u"C"_s << false << false << u"before"_s;
}

// A key as Qt's browser platform delivers it to the window with the focus: first to
// the shortcuts, then to the focused widget; what nobody accepts goes back to the
// browser, which then acts on it.
void TstBrowser::keys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, taken);
    QFETCH(bool, opensSolution);
    QFETCH(QString, clipboard);

    FormFixture f;
    browser::useBrowserKeys(*f.form);
    f.calculate(9, u"14"_s, u"12"_s);
    QLineEdit *cell = f.form->Text2[9 * 5 + 4];
    QTest::mouseClick(cell, Qt::LeftButton);
    const QString before = cell->text();
    QApplication::clipboard()->setText(u"before"_s);

    bool accepted = qt_sendShortcutOverrideEvent(cell, 0, key, modifiers, text);
    if (!accepted) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(cell, &press);
        accepted = press.isAccepted();
    }
    QCOMPARE(accepted, taken);
    QCOMPARE(f.solution->window() != nullptr && f.solution->window()->isVisible(), opensSolution);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
    QCOMPARE(cell->text(), before);
}

void TstBrowser::tooltipsNameTheBrowserKeys()
{
    FormFixture f;
    browser::useBrowserKeys(*f.form);
    QCOMPARE(f.form->Text2[13]->toolTip(),
             u"Вариант 3: периметър P. Enter — изчисли; F4 — копирай реда; F2 — покажи решението"_s);
}

void TstBrowser::practiceButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("the solution, on the calculator's key") << u"solutionButton"_s << u"F2"_s << u"F2"_s;
    QTest::newRow("a key in a sentence") << u"rootButton"_s << u"F4"_s << u"Знакът √ в полето (F4)"_s;
    QTest::newRow("a new problem") << u"nextButton"_s << u"F9"_s << u"F9"_s;
    QTest::newRow("no key: Ctrl+G finds in the page") << u"findButton"_s << QString() << QString();
    QTest::newRow("F1 is the page's already") << u"hintButton"_s << u"F1"_s << u"F1"_s;
}

// "Упражнение" is made when first asked for: it takes the browser's keys as it is shown.
void TstBrowser::practiceButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, key);
    QFETCH(QString, tooltip);
    browser::useBrowserKeysEverywhere();
    practiceview::PracticeWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *found = window.findChild<QPushButton *>(button);
    QVERIFY(found);
    QCOMPARE(found->shortcut().toString(QKeySequence::PortableText), key);
    QCOMPARE(found->toolTip(), tooltip);
}

void TstBrowser::titles_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("room"); // for the text, in pixels of the font below
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QString>("shown");

    const QString title = u"www.quadrelon.example Математика - правоъгълник, страни, диагонал"_s;
    const QFontMetrics metrics(QApplication::font());
    // Qt's browser frame at 96 dpi: 4-pixel sides, an 18-pixel bar below a 4-pixel border.
    const QMargins browser(4, 26, 4, 4);
    QTest::newRow("fits") << title << metrics.horizontalAdvance(title) + 1 << browser << title;
    QTest::newRow("too long")
        << title << metrics.horizontalAdvance(u"www.quadrelon.example Математика"_s) + metrics.horizontalAdvance(u"…"_s) + 1
        << browser << u"www.quadrelon.example Математика…"_s;
    QTest::newRow("no title bar") << title << 40 << QMargins() << title;
}

void TstBrowser::titles()
{
    QFETCH(QString, title);
    QFETCH(int, room);
    QFETCH(QMargins, frame);
    QFETCH(QString, shown);

    // The bar's two buttons, 16 pixels each with their margin, and 2 before the text.
    const int width = room + 2 * 16 + 2;
    QCOMPARE(TitleBars::fitted(title, QApplication::font(), width, frame), shown);
}

QTEST_MAIN(TstBrowser)
#include "tst_browser.moc"
