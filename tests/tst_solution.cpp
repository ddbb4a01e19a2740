// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of "Покажи решението" on the real window: the action and its shortcut, the
// "Решение" window that follows each calculation and fits the screen, its unit, the
// result cells' formulas, the drawing measured in rendered images, and a print to PDF
// read back by pdftotext and pdftoppm.

#include "printing/printing.h"
#include "solution/rectangledrawing.h"
#include "solution/solutionaction.h"
#include "solution/solutionwindow.h"
#include "support/formfixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QImage>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The smallest rectangle holding every pixel within tolerance of a colour, by default
// the drawing's line colour.
QRect lineBounds(const QImage &image, int tolerance = 0, QColor want = RectangleDrawing::lineColour())
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - want.red()) <= tolerance && qAbs(c.green() - want.green()) <= tolerance
                && qAbs(c.blue() - want.blue()) <= tolerance)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// The page's lines of text as pdftotext lays them out, spaces simplified. Written to a
// file, which also reaches a Windows test under Wine, where the host's pdftotext runs.
QStringList printedLines(const QString &pdf)
{
    const QString text = pdf + u".txt"_s;
    QProcess::execute(QStandardPaths::findExecutable(u"pdftotext"_s), {u"-layout"_s, pdf, text});
    QFile file(text);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (QString &line : lines)
        line = line.simplified();
    return lines;
}

QList<SolutionWindow *> solutionWindows()
{
    QList<SolutionWindow *> found;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *s = qobject_cast<SolutionWindow *>(w); s && s->isVisible())
            found << s;
    }
    return found;
}

} // namespace

class TstSolution : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { QLocale::setDefault(QLocale::c()); }
    void shortcutOpensOneWindowThatFollows();
    void resultCellsShowTheirFormula();
    void nothingToShow_data();
    void nothingToShow();
    void unitIsShownAndRemembered_data();
    void unitIsShownAndRemembered();
    void windowFitsTheScreen();
    void opensBesideTheCalculator_data();
    void opensBesideTheCalculator();
    void workingAboveTheDrawingWhenUpright_data();
    void workingAboveTheDrawingWhenUpright();

    void drawingToScale_data();
    void drawingToScale();
    void labelsNeverCut_data();
    void labelsNeverCut();
    void labelsAsTheGridRoundsThem();

    void printsAPageToHandIn_data();
    void printsAPageToHandIn();
    void printsTheDrawingToScale_data();
    void printsTheDrawingToScale();
    void printDialogComesWithItsModule();

private:
    QTemporaryDir m_settings;
};

void TstSolution::initTestCase()
{
    // The unit chosen is remembered in the user's settings: here in a folder of the test's.
    QVERIFY(m_settings.isValid());
    // An INI file there on every system: Windows' registry has no folder to point at.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
}

void TstSolution::shortcutOpensOneWindowThatFollows()
{
    FormFixture f;
    auto *action = f.form->findChild<QAction *>(u"showSolutionAction"_s);
    QVERIFY(action);
    QCOMPARE(action->text(), u"Покажи решението"_s);
    QVERIFY(f.form->actions().contains(action));
    QCOMPARE(action->property("givenCellMenu").toBool(), true);
    QCOMPARE(action->property("hint").toString(), u"покажи решението"_s);
    QVERIFY(!action->shortcut().isEmpty());
    QVERIFY(action->shortcut() != QKeySequence(u"Ctrl+Shift+C"_s));

    f.calculate(9, u"14"_s, u"12"_s);
    // The shortcut typed in a given cell reaches the window and leaves the cell alone.
    QLineEdit *cell = f.form->Text2[48];
    cell->setFocus();
    const QKeyCombination key = action->shortcut()[0];
    QTest::keyClick(cell, key.key(), key.keyboardModifiers());
    QCOMPARE(cell->text(), u"14.00"_s);
    QCOMPARE(solutionWindows().size(), 1);
    SolutionWindow *window = solutionWindows().first();
    QCOMPARE(window->objectName(), u"SolutionWindow"_s);
    QVERIFY(window->windowTitle().contains(u"Решение"_s));
    QVERIFY(window->text().contains(u"Дадено: P = 14; S = 12"_s));
    QVERIFY(window->drawing()->hasRectangle());

    action->trigger();
    QCOMPARE(solutionWindows().size(), 1);
    auto *copy = window->findChild<QPushButton *>(u"copySolutionButton"_s);
    QVERIFY(copy);
    copy->click();
    QCOMPARE(QApplication::clipboard()->text(), window->text());

    f.calculate(0, u"3"_s, u"4"_s);
    QVERIFY(window->text().startsWith(u"Вариант 1\nДадено: a = 3; b = 4"_s));
    f.calculate(1, u"5"_s, u"4"_s);
    QCOMPARE(f.guard->take().size(), 1); // the error report
    QVERIFY(window->text().contains(u"a = 5 ≥ d = 4\n"_s));
    QVERIFY(!window->drawing()->hasRectangle());
}

void TstSolution::resultCellsShowTheirFormula()
{
    FormFixture f;
    f.calculate(0, u"3"_s, u"4"_s);
    // Inside a formula the spaces are no-break ones.
    const auto tip = [&f](int cell) { return f.form->Text2[cell]->toolTip().replace(QChar(u'\u00a0'), u' '); };
    QTRY_VERIFY(tip(2).contains(u"d = √(a² + b²) = √(3² + 4²) = √25 = 5"_s));
    QVERIFY(tip(3).contains(u"P = 2(a + b) = 2(3 + 4) = 2 · 7 = 14"_s));
    QVERIFY(!f.form->Text2[0]->toolTip().contains(u"√"_s));

    // The formulas follow the click; "Изчисти" right after it leaves none behind.
    f.typeInto(1, u"5"_s);
    f.form->Calculate();
    f.form->Command1_Click(1);
    QCoreApplication::processEvents();
    QVERIFY(!f.form->Text2[2]->toolTip().contains(u"5²"_s));
}

void TstSolution::nothingToShow_data()
{
    QTest::addColumn<QString>("before"); // what the user did before Ctrl+R
    for (const char *before : {"no calculation yet", "Изчисти", "another variant", "no rectangle"})
        QTest::newRow(before) << QString::fromUtf8(before);
}

// Before the first calculation, and once the grid was emptied, the window says that
// there is nothing to show yet; only a failed calculation says there is no rectangle.
void TstSolution::nothingToShow()
{
    QFETCH(QString, before);
    FormFixture f;
    if (before != u"no calculation yet") {
        f.calculate(0, u"3"_s, u"4"_s);
        f.solution->showSolution();
    }
    if (before == u"Изчисти")
        f.pressClear();
    else if (before == u"another variant")
        f.selectVariant(3);
    else if (before == u"no rectangle")
        f.calculate(1, u"5"_s, u"4"_s), f.guard->take(); // and the error report
    f.form->findChild<QAction *>(u"showSolutionAction"_s)->trigger();
    SolutionWindow *window = f.solution->window();
    const bool failed = before == u"no rectangle";
    QVERIFY(!window->drawing()->hasRectangle());
    QCOMPARE(window->text().startsWith(u"Още няма изчисление"_s), !failed);
    QCOMPARE(window->drawing()->accessibleDescription() == RectangleDrawing::noRectangleNote(), failed);
    QCOMPARE(window->printButton()->isEnabled(), failed);
}

void TstSolution::unitIsShownAndRemembered_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("answer");
    QTest::newRow("none") << int(solver::LengthUnit::None) << u"Отговор: a = 3; b = 4; d = 5; P = 14; S = 12"_s;
    QTest::newRow("см") << int(solver::LengthUnit::Centimetre)
                        << u"Отговор: a = 3 см; b = 4 см; d = 5 см; P = 14 см; S = 12 см²"_s;
}

// The unit chosen reaches the working, the copied text and the drawing, not the
// calculator, and a window opened later, in this run or the next, starts with it.
void TstSolution::unitIsShownAndRemembered()
{
    QFETCH(int, unit);
    QFETCH(QString, answer);
    FormFixture f;
    f.calculate(0, u"3"_s, u"4"_s);
    f.solution->showSolution();
    SolutionWindow *window = f.solution->window();
    auto *choice = window->findChild<QComboBox *>(u"unitChoice"_s);
    choice->setCurrentIndex(choice->findData(unit));
    QVERIFY2(window->text().endsWith(answer), qPrintable(window->text()));
    window->findChild<QPushButton *>(u"copySolutionButton"_s)->click();
    QCOMPARE(QApplication::clipboard()->text(), window->text());
    QVERIFY(answer.endsWith(window->drawing()->accessibleDescription().section(u"; "_s, -1)));
    QCOMPARE(f.form->Text2[4]->text(), u"12.00"_s);
    window->close();
    QCOMPARE(int(SolutionWindow().unit()), unit);
}

// The window opens whole on the screen's free room, whatever the scale: CTest runs
// this also at 200 % on a screen 1600 pixels wide.
void TstSolution::windowFitsTheScreen()
{
    FormFixture f;
    f.solution->showSolution();
    SolutionWindow *window = f.solution->window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QRect room = window->screen()->availableGeometry();
    QVERIFY(room.contains(window->frameGeometry()));
    auto *close = window->findChild<QPushButton *>(u"closeSolutionButton"_s);
    QVERIFY(room.contains(QRect(close->mapToGlobal(QPoint(0, 0)), close->size())));
}

void TstSolution::opensBesideTheCalculator_data()
{
    QTest::addColumn<QPoint>("calculator");
    QTest::addColumn<QRect>("placed"); // "Решение"'s frame
    // CTest runs this on several screens; the rows are those of the screen it runs on.
    // The offscreen platform frames a window with 2 pixels, at 200 % with 1.
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    if (screen == QSize(1366, 768)) {
        QTest::newRow("on the left: right of it") << QPoint(0, 0) << QRect(532, 0, 824, 424);
        QTest::newRow("on the right: left of it") << QPoint(846, 0) << QRect(14, 0, 824, 424);
        QTest::newRow("centred: narrower, on the wider side") << QPoint(423, 170) << QRect(0, 170, 415, 424);
    } else if (screen == QSize(1024, 600)) {
        QTest::newRow("on the left: narrower, right of it") << QPoint(0, 0) << QRect(532, 0, 492, 424);
        QTest::newRow("centred: over its top") << QPoint(252, 86) << QRect(200, 0, 824, 424);
    } else if (screen == QSize(960, 540)) { // 1920 × 1080 at 200 %
        QTest::newRow("on the left: narrower, right of it") << QPoint(0, 0) << QRect(530, 0, 430, 422);
    } else {
        QTest::newRow("another screen") << QPoint() << QRect();
    }
}

// Beside the calculator where the screen's free room allows, narrower if it must; over
// it only where no side has the room, hiding as little of it as it can.
void TstSolution::opensBesideTheCalculator()
{
    QFETCH(QPoint, calculator);
    QFETCH(QRect, placed);
    if (placed.isNull())
        QSKIP("a screen of no row");
    FormFixture f;
    f.form->move(calculator);
    QTRY_COMPARE(f.form->frameGeometry().topLeft(), calculator);
    f.solution->showSolution();
    SolutionWindow *window = f.solution->window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->frameGeometry(), placed);
    QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
}

void TstSolution::workingAboveTheDrawingWhenUpright_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("above");
    QTest::newRow("wider than tall") << QSize(760, 420) << false;
    QTest::newRow("square") << QSize(500, 500) << false;
    QTest::newRow("a phone held upright") << QSize(420, 700) << true;
}

// Taller than wide, the working spans the window above the drawing; "Затвори" stays
// in the window either way.
void TstSolution::workingAboveTheDrawingWhenUpright()
{
    QFETCH(QSize, size);
    QFETCH(bool, above);
    SolutionWindow window;
    window.resize(size);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), size);
    const QRect working = window.findChild<QPlainTextEdit *>(u"solutionText"_s)->geometry();
    const QRect drawing = window.drawing()->geometry();
    if (above) {
        QVERIFY(drawing.top() > working.bottom());
        QCOMPARE(working.left(), drawing.left());
        QCOMPARE(working.width(), drawing.width());
        QVERIFY(working.width() > size.width() * 9 / 10);
    } else {
        QVERIFY(drawing.left() > working.right());
        QCOMPARE(working.top(), drawing.top());
    }
    auto *close = window.findChild<QPushButton *>(u"closeSolutionButton"_s);
    QVERIFY(close->isVisible());
    QVERIFY(window.rect().contains(close->geometry()));
}

void TstSolution::drawingToScale_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<bool>("toScale");

    QTest::newRow("3 by 4") << 3.0 << 4.0 << true;
    QTest::newRow("square") << 5.0 << 5.0 << true;
    QTest::newRow("7 by 2") << 7.0 << 2.0 << true;
    QTest::newRow("1000 by 1") << 1000.0 << 1.0 << false;
    QTest::newRow("1 by 1000") << 1.0 << 1000.0 << false;
    QTest::newRow("zero side") << 0.0 << 4.0 << true;
}

// The figure's sides in the rendered image keep the ratio of a to b, to a pixel; a side
// too short to see stays at least four pixels thick, and the note says so.
void TstSolution::drawingToScale()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(bool, toScale);

    RectangleDrawing drawing;
    drawing.resize(420, 340);
    drawing.setRectangle(a, b, std::hypot(a, b), 2 * (a + b), a * b);
    const QRect r = lineBounds(drawing.grab().toImage());
    QVERIFY(!r.isEmpty());
    const qreal width = r.width() - 1; // the pen is one pixel on the edges
    const qreal height = r.height() - 1;
    if (toScale && a > 0) {
        QVERIFY2(qAbs(width * b - height * a) <= std::max(a, b),
                 qPrintable(u"%1 x %2 px"_s.arg(width).arg(height)));
        QVERIFY(std::max(width, height) > 150);
    } else if (a == 0) {
        QCOMPARE(r.width(), 1);
        QVERIFY(height > 150);
    } else {
        QVERIFY(std::min(width, height) >= 4);
        QVERIFY(std::max(width, height) > 150);
    }
    const auto figure = RectangleDrawing::figure(a, b, QRectF(0, 0, 400, 300), 4);
    QCOMPARE(figure.toScale, toScale);
}

void TstSolution::labelsNeverCut_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<QSize>("size");
    QTest::newRow("3 by 4, smallest") << 3.0 << 4.0 << QSize(160, 120);
    QTest::newRow("long numbers, smallest") << 123456789012.0 << 987654321098.0 << QSize(160, 120);
    QTest::newRow("long numbers") << 123456789012.0 << 987654321098.0 << QSize(420, 340);
    QTest::newRow("long and flat") << 987654321098.0 << 1.5 << QSize(160, 120);
    QTest::newRow("long and narrow") << 1.5 << 987654321098.0 << QSize(160, 120);
}

// A label too long for the drawing is drawn smaller or shortened at its end: drawn
// without clipping, none reaches beyond the drawing's area, where it would be cut.
void TstSolution::labelsNeverCut()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(QSize, size);
    RectangleDrawing drawing;
    drawing.setUnit(solver::LengthUnit::Kilometre);
    drawing.setRectangle(a, b, std::hypot(a, b), 2 * (a + b), a * b);
    QImage image(size + QSize(80, 80), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(drawing.font());
    const QRect area(QPoint(40, 40), size);
    drawing.paint(painter, area);
    painter.end();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 160 && ++ink)
                QVERIFY2(area.contains(x, y), qPrintable(u"ink at %1, %2"_s.arg(x).arg(y)));
        }
    }
    QVERIFY(ink > 200); // the labels are there
}

// The drawing's labels round a tie up as the grid does and keep two decimals after "≈".
void TstSolution::labelsAsTheGridRoundsThem()
{
    FormFixture f;
    f.calculate(2, u"0.6"_s, u"6.25"_s);
    QCOMPARE(f.row(2), (QStringList{u"0.60"_s, u"2.53"_s, u"2.60"_s, u"6.25"_s, u"1.52"_s}));
    f.solution->showSolution();
    SolutionWindow *window = f.solution->window();
    auto *choice = window->findChild<QComboBox *>(u"unitChoice"_s);
    choice->setCurrentIndex(choice->findData(int(solver::LengthUnit::Centimetre)));
    QCOMPARE(window->drawing()->accessibleDescription(),
             u"a = 0.6 см; b ≈ 2.53 см; d ≈ 2.60 см; P = 6.25 см; S ≈ 1.52 см²"_s);
}

void TstSolution::printsAPageToHandIn_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("unit");
    QTest::addColumn<qreal>("ratio"); // of the figure's width to its height; 0: not checked
    QTest::newRow("school, in см") << 0 << u"3"_s << u"4"_s << int(solver::LengthUnit::Centimetre) << 0.75;
    QTest::newRow("numbers too long for a line") << 0 << u"123456789012"_s << u"987654321098"_s
                                                 << int(solver::LengthUnit::Kilometre) << 0.0;
}

// A page to hand in, read back from the PDF: a heading with the variant and the date,
// margins of at least 15 mm, text of 11 to 12 pt broken only between steps and never
// inside a number, the drawing below the text.
void TstSolution::printsAPageToHandIn()
{
    QFETCH(int, variant);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, unit);
    QFETCH(qreal, ratio);
    for (const QString &tool : {u"pdftotext"_s, u"pdftoppm"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP("poppler-utils is not installed; scripts/test.sh installs it");
    }
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria)); // numbers as a pupil writes them
    FormFixture f;
    f.calculate(variant, first, second);
    f.solution->showSolution();
    f.solution->window()->setUnit(solver::LengthUnit(unit));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"solution.pdf"_s);
    {
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        QVERIFY(f.solution->window()->printTo(&writer));
    }
    const QStringList lines = printedLines(pdf);
    QVERIFY(lines.size() > 4);
    QCOMPARE(lines[0], u"Решение"_s);
    QCOMPARE(lines[1], u"Име: ______________________ Клас: ______"_s);
    const QString date = QLocale(QLocale::Bulgarian).toString(QDate::currentDate(), u"d MMMM yyyy 'г.'"_s);
    QCOMPARE(lines[2], u"Вариант %1 %2"_s.arg(variant + 1).arg(date));
    const QStringList working = f.solution->window()->text().split(u'\n').mid(1); // after the variant
    const QStringList printed = lines.mid(4, lines.indexOf(QString(), 4) - 4);
    QVERIFY(ratio > 0 || printed.size() > working.size()); // the long numbers wrap
    for (const QString &line : printed)
        QVERIFY2(!QStringView(u"=≈+−·:)²").contains(line.front()), qPrintable(line));
    // Whole on one line: each number, and each value of a list such as "Отговор: a = 3 см; …".
    static const QRegularExpression whole(u"\\d+(?:\\s\\d{3})*(?:,\\d+)?|(?<=: |; )[^:;\\n]+(?=;)"_s);
    for (const auto &match : whole.globalMatch(working.join(u'\n'))) {
        const QString part = match.captured().replace(QChar(0xA0), u' ');
        QVERIFY2(std::any_of(printed.begin(), printed.end(), [&](const QString &l) { return l.contains(part); }),
                 qPrintable(part));
    }

    // Where "Отговор:" stands and how tall it is, in points: 11 to 13 pt.
    QProcess::execute(QStandardPaths::findExecutable(u"pdftotext"_s), {u"-bbox"_s, pdf, pdf + u".html"_s});
    QFile words(pdf + u".html"_s);
    QVERIFY(words.open(QIODevice::ReadOnly));
    const auto answer = QRegularExpression(u"yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">Отговор:<"_s)
                            .match(QString::fromUtf8(words.readAll()));
    const qreal answerBottom = answer.captured(2).toDouble();
    QVERIFY2(answerBottom - answer.captured(1).toDouble() > 12 && answerBottom - answer.captured(1).toDouble() < 16,
             qPrintable(answer.captured()));

    QProcess::execute(QStandardPaths::findExecutable(u"pdftoppm"_s),
                      {u"-r"_s, u"72"_s, u"-png"_s, u"-singlefile"_s, pdf, dir.filePath(u"page"_s)});
    const QImage image(dir.filePath(u"page.png"_s)); // a pixel a point
    const QRect inside = image.rect().adjusted(43, 43, -43, -43); // 15 mm
    QVERIFY(inside.contains(lineBounds(image, 254, Qt::black)));
    const QRect r = lineBounds(image, 40);
    QVERIFY2(r.height() > 40, qPrintable(u"%1 x %2"_s.arg(r.width()).arg(r.height())));
    QVERIFY(r.top() > answerBottom);
    QVERIFY(ratio == 0 || qAbs(qreal(r.width()) / r.height() - ratio) < 0.04);
}

void TstSolution::printsTheDrawingToScale_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSizeF>("paper"); // the figure's sides on paper in mm; empty: not measured
    QTest::addColumn<bool>("nameLine");
    QTest::newRow("3 by 4 см: real size") << int(solver::LengthUnit::Centimetre) << u"3"_s << u"4"_s
                                         << u"М 1 : 1"_s << QSizeF(30, 40) << true;
    QTest::newRow("4 by 3 м: 1 : 50, no name line") << int(solver::LengthUnit::Metre) << u"4"_s << u"3"_s
                                                    << u"М 1 : 50"_s << QSizeF(80, 60) << false;
    QTest::newRow("2 by 3 мм: 10 : 1") << int(solver::LengthUnit::Millimetre) << u"2"_s << u"3"_s
                                      << u"М 10 : 1"_s << QSizeF(20, 30) << true;
    QTest::newRow("no unit") << int(solver::LengthUnit::None) << u"3"_s << u"4"_s << u"без мащаб"_s << QSizeF()
                             << true;
}

// The printed rectangle measured on the page rendered at 5 pixels a millimetre, and the
// scale written under it; the line for the pupil's name unless its box, which the next
// window remembers, is unticked.
void TstSolution::printsTheDrawingToScale()
{
    QFETCH(int, unit);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, caption);
    QFETCH(QSizeF, paper);
    QFETCH(bool, nameLine);
    for (const QString &tool : {u"pdftotext"_s, u"pdftoppm"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP("poppler-utils is not installed; scripts/test.sh installs it");
    }
    FormFixture f;
    f.calculate(0, a, b);
    f.solution->showSolution();
    f.solution->window()->setUnit(solver::LengthUnit(unit));
    f.solution->window()->findChild<QCheckBox *>(u"nameLineChoice"_s)->setChecked(nameLine);
    QCOMPARE(SolutionWindow().findChild<QCheckBox *>(u"nameLineChoice"_s)->isChecked(), nameLine);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"solution.pdf"_s);
    {
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        QVERIFY(f.solution->window()->printTo(&writer));
    }
    QCOMPARE(printedLines(pdf).contains(u"Име: ______________________ Клас: ______"_s), nameLine);
    // pdftotext guesses the spaces inside the drawing's labels from the gaps between
    // letters, and misses some: the caption is compared without them.
    QStringList lines = printedLines(pdf);
    for (QString &line : lines)
        line.remove(u' ');
    QVERIFY2(lines.contains(QString(caption).remove(u' ')), qPrintable(lines.join(u'\n')));
    if (paper.isEmpty())
        return;
    QProcess::execute(QStandardPaths::findExecutable(u"pdftoppm"_s),
                      {u"-r"_s, u"127"_s, u"-png"_s, u"-singlefile"_s, pdf, dir.filePath(u"page"_s)});
    const QRect r = lineBounds(QImage(dir.filePath(u"page.png"_s)), 40);
    const QSizeF measured((r.width() - 1) / 5.0, (r.height() - 1) / 5.0); // the pen is one pixel
    QVERIFY2(qAbs(measured.width() - paper.width()) <= 0.5 && qAbs(measured.height() - paper.height()) <= 0.5,
             qPrintable(u"%1 x %2 mm"_s.arg(measured.width()).arg(measured.height())));
}

void TstSolution::printDialogComesWithItsModule()
{
    // Qt's printing library is loaded with the module only now; the guard accepts
    // the dialog, and the printer it chose reaches the print function.
#if defined(Q_OS_WIN)
    QSKIP("Windows shows its own print dialog, which is no Qt widget the fixture can close");
#endif
    FormFixture f;
    QVERIFY2(printing::available(), "the printing module was not found beside the build's programs");
    QPagedPaintDevice *chosen = nullptr;
    const bool printed = printing::printWithDialog(f.form.get(), u"Решение"_s, u"Печат на решението"_s,
                                                   [&chosen](QPagedPaintDevice *printer) {
                                                       chosen = printer;
                                                       return true;
                                                   });
    const auto seen = f.guard->take();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().title, u"Печат на решението"_s);
    QVERIFY(seen.first().parentIsWindow);
    QVERIFY(printed);
    QVERIFY(chosen);
}

QTEST_MAIN(TstSolution)
#include "tst_solution.moc"
