// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of "Покажи решението" on the real window: the action and its shortcut, the
// "Решение" window that follows each calculation, the result cells' formulas, the
// drawing measured in rendered images, and a print to PDF rendered back by pdftoppm.

#include "printing/printing.h"
#include "solution/rectangledrawing.h"
#include "solution/solutionaction.h"
#include "solution/solutionwindow.h"
#include "support/formfixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPlainTextEdit>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The smallest rectangle holding every pixel near the drawing's line colour.
QRect lineBounds(const QImage &image, int tolerance = 0)
{
    const QColor want = RectangleDrawing::lineColour();
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
    void shortcutOpensOneWindowThatFollows();
    void resultCellsShowTheirFormula();

    void drawingToScale_data();
    void drawingToScale();

    void printsTextAndDrawingToPdf();
    void printDialogComesWithItsModule();
};

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
    QVERIFY(window->text().contains(u"a = 5 > d = 4\n"_s));
    QVERIFY(!window->drawing()->hasRectangle());
}

void TstSolution::resultCellsShowTheirFormula()
{
    FormFixture f;
    f.calculate(0, u"3"_s, u"4"_s);
    QTRY_VERIFY(f.form->Text2[2]->toolTip().contains(u"d = √(a² + b²) = √(3² + 4²) = √25 = 5"_s));
    QVERIFY(f.form->Text2[3]->toolTip().contains(u"P = 2(a + b) = 2(3 + 4) = 2 · 7 = 14"_s));
    QVERIFY(!f.form->Text2[0]->toolTip().contains(u"√"_s));

    // The formulas follow the click; "Изчисти" right after it leaves none behind.
    f.typeInto(1, u"5"_s);
    f.form->Calculate();
    f.form->Command1_Click(1);
    QCoreApplication::processEvents();
    QVERIFY(!f.form->Text2[2]->toolTip().contains(u"5²"_s));
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

void TstSolution::printsTextAndDrawingToPdf()
{
    const QString pdftoppm = QStandardPaths::findExecutable(u"pdftoppm"_s);
    if (pdftoppm.isEmpty())
        QSKIP("pdftoppm (poppler-utils) is not installed; scripts/test.sh installs it");
    FormFixture f;
    f.calculate(9, u"14"_s, u"12"_s);
    f.solution->showSolution();
    SolutionWindow *window = solutionWindows().value(0);
    QVERIFY(window);

    QTemporaryDir dir;
    {
        QPdfWriter pdf(dir.filePath(u"solution.pdf"_s));
        pdf.setResolution(600);
        QVERIFY(window->printTo(&pdf));
    }

    QProcess render;
    render.start(pdftoppm, {u"-r"_s, u"50"_s, u"-png"_s, u"-singlefile"_s,
                            dir.filePath(u"solution.pdf"_s), dir.filePath(u"page"_s)});
    QVERIFY(render.waitForFinished(60000));
    QCOMPARE(render.exitCode(), 0);
    const QImage page(dir.filePath(u"page.png"_s));
    QVERIFY(!page.isNull());
    // The 3 by 4 rectangle, and the text above it.
    const QRect r = lineBounds(page, 40);
    QVERIFY2(r.height() > 40, qPrintable(u"%1 x %2"_s.arg(r.width()).arg(r.height())));
    QVERIFY(qAbs(qreal(r.width()) / r.height() - 0.75) < 0.06);
    int textPixels = 0;
    for (int y = 0; y < r.top(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            textPixels += qGray(page.pixel(x, y)) < 100 ? 1 : 0;
    }
    QVERIFY2(textPixels > 500, QByteArray::number(textPixels));
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
