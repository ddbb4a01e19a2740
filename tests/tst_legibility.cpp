// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the user can read: every text against its background in the light and a dark
// palette, numbers shown whole, messages whose formulas stay on one line.
#include "support/formfixture.h"

#include "form/cell.h"

#include "runtime/errors.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

using runtime::ErrorCode;

namespace {

// Relative luminance and contrast ratio as WCAG 2.1 defines them.
double luminance(const QColor &colour)
{
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) + 0.0722 * linear(colour.blue());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark desktop theme: light text on dark grey.
QPalette darkPalette()
{
    QPalette dark(QColor(53, 53, 53), QColor(53, 53, 53));
    const QColor light(238, 238, 236);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText})
        dark.setColor(role, light);
    dark.setColor(QPalette::Base, QColor(45, 45, 45));
    dark.setColor(QPalette::AlternateBase, QColor(60, 60, 60));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, QColor(130, 130, 130));
    dark.setColor(QPalette::Highlight, QColor(21, 83, 158));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}

// The part of a control where its text is drawn and nothing else: no frame, bevel or
// radio indicator; in window coordinates.
QRect textArea(QWidget *widget, QWidget *window)
{
    QRect area = widget->rect();
    if (auto *option = qobject_cast<QRadioButton *>(widget)) {
        QStyleOptionButton style;
        style.initFrom(option);
        area = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
    } else if (auto *text = qobject_cast<QPlainTextEdit *>(widget)) {
        area = text->viewport()->geometry();
    } else if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QPushButton *>(widget)) {
        area = area.adjusted(5, 4, -5, -4); // frame or bevel, and the neighbour's overlap
    } else {
        area = area.adjusted(1, 1, -1, -1); // a heading's last row lies under the grid
    }
    return QRect(widget->mapTo(window, area.topLeft()), area.size());
}

struct Measured
{
    QColor background; // the commonest colour of the area
    QColor text;       // the colour that stands out most from it
};

Measured measure(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> count;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ++count[image.pixel(x, y) | 0xff000000];
    }
    Measured m;
    int most = 0;
    for (auto it = count.cbegin(); it != count.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            m.background = QColor::fromRgb(it.key());
        }
    }
    m.text = m.background;
    for (auto it = count.cbegin(); it != count.cend(); ++it) {
        if (contrast(QColor::fromRgb(it.key()), m.background) > contrast(m.text, m.background))
            m.text = QColor::fromRgb(it.key());
    }
    return m;
}


Cell *cellAt(FormFixture &f, int k)
{
    return static_cast<Cell *>(f.form->Text2[k]);
}

// The room a line edit leaves for its text, as Qt lays it out.
int textRoom(QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    return contents.width() - 2 * 2; // Qt's own margin on either side of the text
}

} // namespace

class TestLegibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup()
    {
        QApplication::setPalette(QPalette());
        QLocale::setDefault(QLocale::c());
    }

    void contrastOfEveryText_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("control");
        const std::pair<const char *, const char *> texts[] = {
            {"result on pink", "Text2_11"},      {"given on white", "Text2_10"},
            {"given on system base", "Text2_13"}, {"option caption", "Option1_2"},
            {"Изчисли", "Command1_0"},           {"Изчисти", "Command1_1"},
            {"title", "Label1_0"},               {"heading", "Label1_4"},
            {"help text", "Text1_0"},
        };
        for (const char *theme : {"light", "dark", "dark after start"}) {
            for (const auto &[name, control] : texts)
                QTest::addRow("%s, %s", theme, name) << QString::fromLatin1(theme) << QString::fromLatin1(control);
        }
    }

    void contrastOfEveryText()
    {
        QFETCH(QString, theme);
        QFETCH(QString, control);
        if (theme == QLatin1String("dark"))
            QApplication::setPalette(darkPalette());
        FormFixture f;
        if (theme == QLatin1String("dark after start")) {
            QApplication::setPalette(darkPalette());
            QCoreApplication::processEvents(); // the change reaches the widgets as events
        }
        f.calculate(2, QStringLiteral("3"), QStringLiteral("14"));
        f.form->Text1[0]->setFocus(); // no focus frame over a button's caption
        QWidget *widget = f.form->findChild<QWidget *>(control);
        QVERIFY(widget);
        const QImage image = f.form->grab().toImage();
        QCOMPARE(image.devicePixelRatio(), 1.0);
        const Measured m = measure(image, textArea(widget, f.form.get()));
        const double ratio = contrast(m.text, m.background);
        qInfo("%s: text %s on %s, %.2f : 1", qPrintable(control), qPrintable(m.text.name()),
              qPrintable(m.background.name()), ratio);
        QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
        if (control == QLatin1String("Text2_11")) {
            // Still the grey of a value that cannot be edited, lighter than the black given values.
            QCOMPARE(m.text.red(), m.text.blue());
            QVERIFY2(m.text.lightness() >= 48, qPrintable(m.text.name()));
        }
    }

    void numbersShownWhole_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("otherSide");
        QTest::addColumn<bool>("elided");
        QTest::newRow("bg_BG, 2000 × 6000") << "bg_BG" << "2000" << "6000" << false;
        QTest::newRow("en_US, 2000 × 6000") << "en_US" << "2000" << "6000" << false;
        QTest::newRow("bg_BG, 1e150 × 1e150") << "bg_BG" << "1e150" << "1e150" << true;
        QTest::newRow("C, 1e150 × 1e150") << "C" << "1e150" << "1e150" << true;
    }

    void numbersShownWhole()
    {
        QFETCH(QString, locale);
        QFETCH(QString, side);
        QFETCH(QString, otherSide);
        QFETCH(bool, elided);
        QLocale::setDefault(QLocale(locale));
        FormFixture f;
        f.calculate(0, side, otherSide);
        QVERIFY(f.guard->take().isEmpty());
        for (int k = 0; k < 5; ++k) {
            Cell *cell = cellAt(f, k);
            const QString text = cell->text();
            QFont full = cell->font();
            full.setPointSize(12);
            const bool fitsAtFullSize = QFontMetrics(full).horizontalAdvance(text) < textRoom(cell);
            QCOMPARE(cell->font().pointSizeF() == 12, fitsAtFullSize);
            QVERIFY(cell->font().pointSizeF() >= 7);
            // A given value beyond 15 significant digits stays as typed, short.
            const bool given = k < 2;
            QCOMPARE(cell->isElided(), elided && !given);
            if (elided && given)
                QCOMPARE(text, k == 0 ? side : otherSide);
            if (!elided || given) {
                QVERIFY2(QFontMetrics(cell->font()).horizontalAdvance(text) < textRoom(cell), qPrintable(text));
                QVERIFY(!cell->toolTip().contains(text));
            } else {
                // The beginning of the number, never its end, and the whole of it on hover.
                QCOMPARE(cell->font().pointSizeF(), 7.0);
                const QString shown = cell->elidedText();
                QVERIFY2(shown.endsWith(QChar(0x2026)) && text.startsWith(shown.chopped(1)), qPrintable(shown));
                QVERIFY(shown.size() > 4);
                // In lines short enough for the screen, with nothing left out.
                const QStringList tip = cell->toolTip().split(QLatin1Char('\n')).mid(1);
                QVERIFY(std::all_of(tip.begin(), tip.end(), [](const QString &line) { return line.size() <= 60; }));
                QCOMPARE(tip.join(QString()), text);
            }
        }
    }

    // A shrunk text leaves a pixel for the cursor, or the line edit would scroll it.
    void shrunkTextLeavesRoomForTheCursor()
    {
        FormFixture f;
        Cell *cell = cellAt(f, 0);
        QString text;
        for (int length = 1; length <= 40; ++length) {
            text += QChar(u'0' + length % 10);
            cell->setText(text);
            if (cell->isElided())
                break;
            QVERIFY2(std::ceil(QFontMetricsF(cell->font()).horizontalAdvance(text)) + 1 <= textRoom(cell),
                     qPrintable(text));
        }
    }

    void focusedCellShowsTheBeginningOfAWrittenNumber()
    {
        FormFixture f;
        f.typeInto(0, QStringLiteral("123456789012345678901234567890"));
        f.typeInto(1, QStringLiteral("1"));
        f.form->Text2[0]->setFocus();
        f.form->Calculate();
        QCOMPARE(f.form->Text2[0]->cursorPosition(), 0);
        QTest::keyClicks(f.form->Text2[0], QStringLiteral("9"));
        QCOMPARE(f.form->Text2[0]->cursorPosition(), 1); // typing keeps its own cursor
    }

    void formulaStaysOnOneLine_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("formula");
        QTest::newRow("side and diagonal") << int(ErrorCode::SideLongerThanDiagonal) << "страна < d";
        QTest::newRow("comparative") << int(ErrorCode::SideLongerThanDiagonal) << "по-къса";
        QTest::newRow("side and half the perimeter") << int(ErrorCode::SideLongerThanHalfPerimeter) << "страна < P : 2";
        QTest::newRow("shortest diagonal") << int(ErrorCode::DiagonalTooShortForPerimeter) << "d ≥ P : (2√2)";
        QTest::newRow("area and perimeter") << int(ErrorCode::AreaTooLargeForPerimeter) << "S ≤ P² : 16";
    }

    void formulaStaysOnOneLine()
    {
        QFETCH(int, error);
        QFETCH(QString, formula);
        const QString message = runtime::errorMessage(ErrorCode(error));
        const auto plain = [](QString text) {
            return text.replace(QChar(0xa0), QLatin1Char(' ')).remove(QChar(0x2060));
        };
        QVERIFY(plain(message).contains(formula));
        // Laid out at every width a message box might give it, from narrow to wide.
        for (int width = 60; width <= 600; width += 7) {
            QTextLayout layout(message, QApplication::font());
            QTextOption option;
            option.setWrapMode(QTextOption::WordWrap);
            layout.setTextOption(option);
            layout.beginLayout();
            QStringList lines;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                lines << plain(message.mid(line.textStart(), line.textLength()));
            }
            layout.endLayout();
            const bool whole = std::any_of(lines.begin(), lines.end(),
                                           [&](const QString &line) { return line.contains(formula); });
            QVERIFY2(whole, qPrintable(lines.join(QLatin1Char('|'))));
        }
    }
};

QTEST_MAIN(TestLegibility)
#include "tst_legibility.moc"
