// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as the user sees it: places, fonts, colours, focus and the fixed texts.
#include "support/formfixture.h"

#include "form/layout.h"
#include "runtime/startup.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>

namespace {

QString sha256(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex());
}

// Where each control must be, in window pixels at 96 dpi.
QRect expectedRect(const QString &name)
{
    const QStringList parts = name.split(QLatin1Char('_'));
    const int i = parts.size() > 1 ? parts[1].toInt() : 0;
    const QString array = parts[0];
    if (array == QLatin1String("Text2"))
        return QRect(112 + 64 * (i % 5), 56 + 24 * (i / 5), 65, 27);
    if (array == QLatin1String("Option1"))
        return QRect(8, 16 + 24 * i, 105, 27); // inside Frame1
    if (array == QLatin1String("Label1"))
        return i == 0 ? QRect(40, 0, 417, 25) : QRect(112 + 64 * (i - 1), 32, 65, 25);
    if (array == QLatin1String("Frame1"))
        return QRect(0, 40, 113, 265);
    if (array == QLatin1String("Command1"))
        return QRect(440, i == 0 ? 104 : 224, 65, 25);
    if (array == QLatin1String("Text1"))
        return i == 0 ? QRect(8, 304, 505, 121) : QRect(80, 360, 449, 121);
    return QRect();
}

QStringList tabCycle(Quadrelon &form)
{
    form.Text1[0]->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int step = 0; step < 100; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QString name = QApplication::focusWidget()->objectName();
        if (name == visited.first())
            return visited;
        visited << name;
    }
    return visited;
}

QStringList cells(std::initializer_list<int> indices)
{
    QStringList names;
    for (int k : indices)
        names << QStringLiteral("Text2_%1").arg(k);
    return names;
}

#if defined(Q_OS_LINUX)
// Whether a file of this name is mapped into the process, as Qt maps a translation
// it reads.
bool mapped(const QString &fileName)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && QString::fromLocal8Bit(maps.readAll()).contains(fileName);
}
#endif

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(runtime::installBulgarianQtTexts());
#if defined(Q_OS_LINUX)
        // Read when Qt first asks for one of its texts, not at start-up.
        QVERIFY(!mapped(QStringLiteral("qtbase_bg.qm")));
        QCOMPARE(QCoreApplication::translate("QShortcut", "Ctrl"), QStringLiteral("Ctrl"));
        QVERIFY(mapped(QStringLiteral("qtbase_bg.qm")));
#endif
    }

    void windowHasFixedSizeAndTitle()
    {
        FormFixture f;
        QCOMPARE(f.form->size(), QSize(520, 428));
        f.form->resize(800, 600);
        QCOMPARE(f.form->size(), QSize(520, 428));
        QCOMPARE(f.form->minimumSize(), f.form->maximumSize());
        QVERIFY(f.form->windowTitle().endsWith(QStringLiteral(" Математика - правоъгълник, страни, диагонал")));
        QVERIFY(f.form->windowTitle().startsWith(QStringLiteral("www.")));
        QVERIFY(!f.form->windowIcon().isNull());
        QVERIFY(!(f.form->windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void everyControlInPlace()
    {
        FormFixture f;
        f.form->textBox(1);
        const QList<QWidget *> all = f.form->findChildren<QWidget *>(QRegularExpression(
            QStringLiteral("^(Text2|Option1|Label1|Command1|Text1)_\\d+$|^Frame1$")));
        QCOMPARE(all.size(), 71);
        for (QWidget *w : all) {
            QCOMPARE(w->geometry(), expectedRect(w->objectName()));
            const bool option = w->objectName().startsWith(QLatin1String("Option1"));
            QCOMPARE(w->parentWidget(), option ? static_cast<QWidget *>(f.form->Frame1) : f.form.get());
        }
    }

    void captions()
    {
        FormFixture f;
        QCOMPARE(f.form->Label1[0]->text(), QStringLiteral("Математика - изчисляване на правоъгълник"));
        const QStringList headings{"a", "b", "d", "P", "S"};
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(f.form->Label1[c + 1]->text(), headings[c]);
            QCOMPARE(f.form->Label1[c + 1]->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        }
        for (int r = 0; r < 10; ++r)
            QCOMPARE(f.form->Option1[r]->text(), QStringLiteral("Вариант %1").arg(r + 1));
        QCOMPARE(f.form->Command1[0]->text(), QStringLiteral("Изчисли"));
        QCOMPARE(f.form->Command1[1]->text(), QStringLiteral("Изчисти"));
    }

    void fonts()
    {
        const QFont systemFont = QApplication::font();
        FormFixture f;
        // Dialogs, menus and tooltips keep the system's font.
        QCOMPARE(QApplication::font(), systemFont);
        // What the cells show: an empty cell has no letters, and keeps the window's.
        for (QLineEdit *cell : f.form->Text2)
            cell->setText(QStringLiteral("1"));
        // Times New Roman, or by name the face that fontconfig shows in its place.
        const QString family = f.form->font().family();
        QCOMPARE(QFontInfo(f.form->font()).family(), QFontInfo(QFont(QStringLiteral("Times New Roman"), 12)).family());
        for (QWidget *w : f.form->findChildren<QWidget *>()) {
            if (!w->objectName().contains(QLatin1Char('_')))
                continue;
            const bool given = w->objectName().startsWith(QLatin1String("Text2")) && w->isEnabled();
            QCOMPARE(w->font().family(), family);
            QCOMPARE(w->font().pointSize(), 12);
            QCOMPARE(w->font().weight(), given ? QFont::Bold : QFont::Normal);
            QVERIFY(!w->font().italic() && !w->font().underline() && !w->font().strikeOut());
        }
        // The face that stands in for Times New Roman must draw Cyrillic.
        QVERIFY(QFontMetrics(f.form->font()).inFontUcs4(U'ъ'));
        // Emptied and written again, a given cell is bold again.
        f.form->Text2[0]->clear();
        f.form->Text2[0]->setText(QStringLiteral("1"));
        QCOMPARE(f.form->Text2[0]->font().weight(), QFont::Bold);
    }

    void givenAndResultCells()
    {
        FormFixture f;
        const QList<int> given{0, 1, 5, 7, 10, 13, 15, 19, 21, 22, 26, 28, 31, 34, 37, 38, 42, 44, 48, 49};
        for (int k = 0; k < 50; ++k) {
            QCOMPARE(f.form->Text2[k]->isEnabled(), given.contains(k));
            QVERIFY(f.form->Text2[k]->isVisible());
        }
    }

    void colours_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("window") << QPoint(500, 60) << QColor(192, 192, 255);
        QTest::newRow("frame") << QPoint(3, 200) << QColor(192, 192, 255);
        QTest::newRow("title label") << QPoint(44, 4) << QColor(255, 192, 128);
        QTest::newRow("heading S") << QPoint(370, 36) << QColor(255, 192, 128);
        QTest::newRow("option button") << QPoint(110, 60) << QColor(128, 128, 255);
        QTest::newRow("last option button") << QPoint(110, 276) << QColor(128, 128, 255);
        QTest::newRow("white given cell 10") << QPoint(144, 117) << QColor(255, 255, 255);
        QTest::newRow("result cell 2") << QPoint(272, 69) << QColor(255, 192, 192);
        QTest::newRow("result cell 47 of a locked row") << QPoint(400, 189) << QColor(255, 192, 192);
        QTest::newRow("calculate button") << QPoint(443, 107) << QColor(128, 255, 128);
        QTest::newRow("clear button") << QPoint(443, 227) << QColor(255, 0, 0);
    }

    void colours()
    {
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        FormFixture f;
        const QImage image = f.form->grab().toImage();
        QCOMPARE(image.pixelColor(at * image.devicePixelRatio()).rgb(), colour.rgb());
    }

    void systemColouredCellsFollowTheSystem()
    {
        FormFixture f;
        const QColor base = QApplication::palette().color(QPalette::Base);
        for (int k : {0, 1, 5, 7, 13})
            QCOMPARE(f.form->Text2[k]->palette().color(QPalette::Base), base);
        QCOMPARE(f.form->Text2[10]->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(f.form->Text2[2]->palette().color(QPalette::Disabled, QPalette::Base), QColor(255, 192, 192));
    }

    void helpTexts()
    {
        FormFixture f;
        const QString help = layout::helpText();
        QCOMPARE(help.count(QStringLiteral("\r\n")), 8);
        QVERIFY(help.endsWith(QStringLiteral("\r\n")));
        QCOMPARE(sha256(help), QStringLiteral("ae8593fa7fc208bc2e323e14b5c348b14445c08bbdbc608f32633d95dae9fd16"));
        QCOMPARE(sha256(layout::hiddenText()),
                 QStringLiteral("14187f1d4e143091e9bd12b546edfee5ef834888134484aebaed6500f684f856"));
        QCOMPARE(f.form->Text1[0]->toPlainText(), QString(help).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QVERIFY(!f.form->Text1[1]); // made only when asked for
        QCOMPARE(f.form->textBox(1)->toPlainText(),
                 QString(layout::hiddenText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QVERIFY(f.form->Text1[0]->isVisible());
        QVERIFY(!f.form->Text1[1]->isVisible());
        QCOMPARE(f.form->Text1[0]->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    void helpTextCanBeCopiedButNotChanged()
    {
        FormFixture f;
        QPlainTextEdit *help = f.form->Text1[0];
        const QString before = help->toPlainText();
        QTest::mouseClick(help->viewport(), Qt::LeftButton);
        QTest::keyClicks(help, QStringLiteral("xyz"));
        QTest::keyClick(help, Qt::Key_Delete);
        QTest::keyClick(help, Qt::Key_Backspace);
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keyClick(help, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(help->toPlainText(), before);

        QTest::keyClick(help, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(help, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), before);
    }

    void focusStartsInTheHelpText()
    {
        FormFixture f;
        QCOMPARE(QApplication::focusWidget(), f.form->Text1[0]);
    }

    void tabCycle_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QStringList>("expected");
        const QStringList head = QStringList{"Text1_0"} + cells({0, 1, 5, 7, 10, 13, 15})
            + QStringList{"Command1_0", "Command1_1"} + cells({19, 21, 22});
        const QStringList middle = cells({26, 28, 31, 34});
        const QStringList tail = cells({37, 38, 42, 44, 48, 49});
        QTest::newRow("Вариант 1") << 0 << head + QStringList{"Option1_0"} + middle + tail;
        QTest::newRow("Вариант 7") << 6 << head + QStringList{"Option1_6"} + middle + tail;
        QTest::newRow("Вариант 9") << 8 << head + middle + QStringList{"Option1_8"} + tail;
    }

    void tabCycle()
    {
        QFETCH(int, variant);
        QFETCH(QStringList, expected);
        FormFixture f;
        if (variant != 0)
            f.selectVariant(variant);
        QCOMPARE(::tabCycle(*f.form), expected);
    }

    void resultCellTakesNoClick()
    {
        FormFixture f;
        f.typeInto(0, QStringLiteral("3"));
        QTest::mouseClick(f.form->Text2[2], Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), f.form->Text2[0]);
        QVERIFY(!f.form->Text2[2]->isEnabled());
    }

    void accessibleNamesTellControlsApart()
    {
        FormFixture f;
        QSet<QString> names;
        for (QWidget *w : f.form->findChildren<QWidget *>()) {
            if (w->focusPolicy() == Qt::NoFocus && !qobject_cast<QLineEdit *>(w))
                continue;
            if (!w->objectName().contains(QLatin1Char('_')))
                continue;
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            QVERIFY2(!names.contains(w->accessibleName()), qPrintable(w->accessibleName()));
            names.insert(w->accessibleName());
        }
        QCOMPARE(f.form->Text2[13]->accessibleName(), QStringLiteral("Вариант 3, периметър P"));
        QCOMPARE(f.form->Text2[12]->accessibleName(), QStringLiteral("Вариант 3, диагонал d, резултат"));
    }

    void qtTextsAreBulgarian()
    {
        FormFixture f;
        std::unique_ptr<QMenu> menu(f.form->Text2[0]->createStandardContextMenu());
        QStringList texts;
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator())
                texts << action->text();
        }
        QVERIFY(!texts.isEmpty());
        for (const QString &text : texts) {
            const bool cyrillic = std::any_of(text.begin(), text.end(), [](QChar c) {
                return c.script() == QChar::Script_Cyrillic;
            });
            QVERIFY2(cyrillic, qPrintable(texts.join(QLatin1Char('|'))));
        }
        QDialogButtonBox box(QDialogButtonBox::Ok);
        QVERIFY2(box.button(QDialogButtonBox::Ok)->text() != QStringLiteral("OK")
                     && box.button(QDialogButtonBox::Ok)->text() != QStringLiteral("&OK"),
                 qPrintable(box.button(QDialogButtonBox::Ok)->text()));
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
