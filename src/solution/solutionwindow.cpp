// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solution/solutionwindow.h"

#include "placement/placement.h"
#include "printing/printing.h"
#include "runtime/errorreport.h"
#include "scale/drawingscale.h"
#include "solution/linebreaks.h"
#include "solution/rectangledrawing.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;
using solver::LengthUnit;

namespace {

const QString kTitle = u"Решение"_s;
const QString kUnitKey = u"solution/unit"_s;
// The names the settings keep, in the order of LengthUnit.
const std::array<QString, 6> kUnitNames{u"none"_s, u"mm"_s, u"cm"_s, u"dm"_s, u"m"_s, u"km"_s};
// Each unit in millimetres, in the same order; none for no unit.
constexpr std::array<double, 6> kUnitMillimetres{0, 1, 10, 100, 1000, 1e6};
const QString kNameLineKey = u"solution/nameLine"_s;
const QString kNameLine = u"Име: ______________________ Клас: ______"_s;

// The size it opens at where the screen has the room, in device-independent pixels.
constexpr QSize kPreferredSize(820, 420);
// Beside the calculator it may be smaller, down to this; narrower, the working would
// wrap at almost every step, and it rather covers the calculator.
constexpr QSize kLeastBeside(400, 300);
constexpr int kGapBeside = 8;

// Printed text: a size that reads well on paper; the heading larger.
constexpr qreal kTextPoints = 12;
constexpr qreal kHeadingPoints = 16;
constexpr qreal kDrawingPoints = 11;
// Room for a teacher's marks and for the binding; at least what any printer needs.
constexpr qreal kMarginMillimetres = 20;
// The drawing below the text: a gap, and no taller than a drawing needs to be read.
constexpr qreal kDrawingGapMillimetres = 8;
constexpr qreal kDrawingMostMillimetres = 120;

} // namespace

SolutionWindow::SolutionWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(u"SolutionWindow"_s);
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent)
        setFont(parent->font()); // a window of its own takes no font from its parent

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"solutionText"_s);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setAccessibleName(u"Решение"_s);
    m_drawing = new RectangleDrawing(this);
    m_drawing->setAccessibleName(u"Чертеж на правоъгълника"_s);

    m_unit = new QComboBox(this);
    m_unit->setObjectName(u"unitChoice"_s);
    for (int u = 0; u < int(kUnitNames.size()); ++u) {
        const QString symbol = solver::unitSymbol(LengthUnit(u));
        m_unit->addItem(symbol.isEmpty() ? u"без"_s : symbol, u);
    }
    const qsizetype saved = std::find(kUnitNames.begin(), kUnitNames.end(),
                                      QSettings().value(kUnitKey).toString()) - kUnitNames.begin();
    m_unit->setCurrentIndex(saved < qsizetype(kUnitNames.size()) ? int(saved) : 0);
    m_drawing->setUnit(unit());
    connect(m_unit, &QComboBox::currentIndexChanged, this, [this] {
        QSettings().setValue(kUnitKey, kUnitNames[std::size_t(unit())]);
        m_drawing->setUnit(unit());
        showWorking();
    });
    auto *unitLabel = new QLabel(u"&Мерна единица:"_s, this);
    unitLabel->setBuddy(m_unit);
    // A sheet to hand in has a line for the pupil's name; a teacher's copy may not want it.
    m_nameLine = new QCheckBox(u"&Ред за име и клас при печат"_s, this);
    m_nameLine->setObjectName(u"nameLineChoice"_s);
    m_nameLine->setChecked(QSettings().value(kNameLineKey, true).toBool());
    connect(m_nameLine, &QCheckBox::toggled, this,
            [](bool checked) { QSettings().setValue(kNameLineKey, checked); });

    m_copy = new QPushButton(u"Копирай"_s, this);
    m_copy->setObjectName(u"copySolutionButton"_s);
    connect(m_copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(text()); });
    m_print = new QPushButton(u"Печат"_s, this);
    m_print->setObjectName(u"printSolutionButton"_s);
    connect(m_print, &QPushButton::clicked, this, &SolutionWindow::print);
    auto *close = new QPushButton(u"Затвори"_s, this);
    close->setObjectName(u"closeSolutionButton"_s);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    // The unit above what it applies to, the buttons below: each row narrow enough for
    // a screen at a large scale.
    auto *units = new QHBoxLayout;
    units->addWidget(unitLabel);
    units->addWidget(m_unit);
    units->addStretch();
    units->addWidget(m_nameLine);
    m_content = new QBoxLayout(QBoxLayout::LeftToRight);
    m_content->addWidget(m_text, 3);
    m_content->addWidget(m_drawing, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_copy);
    buttons->addWidget(m_print);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(units);
    layout->addLayout(m_content, 1);
    layout->addLayout(buttons);
    resize(kPreferredSize);
    showWorking();
}

LengthUnit SolutionWindow::unit() const
{
    return LengthUnit(m_unit->currentData().toInt());
}

void SolutionWindow::setUnit(LengthUnit unit)
{
    m_unit->setCurrentIndex(int(unit));
}

void SolutionWindow::placeBeside(const QWidget &other)
{
    const QScreen *screen = other.screen();
    if (!screen)
        return;
    // The frame that the window system puts around the calculator it will put around
    // this window too.
    const QSize frame = other.frameGeometry().size() - other.size();
    const QRect placed = placement::beside(other.frameGeometry(), kPreferredSize + frame,
                                           kLeastBeside.expandedTo(minimumSizeHint()) + frame,
                                           screen->availableGeometry(), kGapBeside);
    resize(placed.size() - frame);
    move(placed.topLeft()); // a window's position is its frame's
}

void SolutionWindow::resizeEvent(QResizeEvent *event)
{
    // Taller than wide, as a phone held upright: the working takes the whole width
    // above the drawing, where a column beside it would break every line.
    m_content->setDirection(height() > width() ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    QWidget::resizeEvent(event);
}

void SolutionWindow::showSteps(const solver::Steps &steps)
{
    m_steps = steps;
    m_numbersChanged = false;
    showWorking();
}

void SolutionWindow::showNumbersChanged()
{
    m_steps = solver::Steps();
    m_numbersChanged = true;
    showWorking();
}

void SolutionWindow::showWorking()
{
    const bool any = m_steps.variant >= 0;
    m_copy->setEnabled(any);
    m_print->setEnabled(any);
    if (!any && m_numbersChanged) {
        setWindowTitle(kTitle);
        m_lines = QStringList{u"Числата са променени след последното изчисление. Натиснете „Изчисли“, "
                              u"за да видите решението за новите числа."_s};
        m_drawing->clear(u"Няма чертеж: числата са променени след последното изчисление."_s);
    } else if (!any) {
        setWindowTitle(kTitle);
        m_lines = QStringList{u"Още няма изчисление: изберете вариант, въведете двете дадени "
                              u"стойности и натиснете „Изчисли“."_s};
        m_drawing->clear(u"Още няма какво да се начертае."_s);
    } else {
        setWindowTitle(kTitle + u" — Вариант %1"_s.arg(m_steps.variant + 1));
        m_lines = solver::workingLines(m_steps, unit());
        if (m_steps.failed)
            m_drawing->clear(RectangleDrawing::noRectangleNote());
        else
            m_drawing->setRectangle(m_steps);
    }
    QStringList shown;
    for (const QString &line : std::as_const(m_lines))
        shown << solution::keepFormulasTogether(line);
    m_text->setPlainText(shown.join(u'\n'));
}

QString SolutionWindow::text() const
{
    return m_lines.join(u'\n');
}

bool SolutionWindow::printTo(QPagedPaintDevice *printer) const
{
    printer->setPageMargins(QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                                      kMarginMillimetres),
                            QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    const QRectF page = QRectF(painter.viewport());
    const qreal millimetre = printer->logicalDpiY() / 25.4;
    // The text document measures its margins and tabs in pixels of a 96 dpi screen.
    const qreal documentMillimetre = 96 / 25.4;
    QFont font = m_text->font();
    font.setPointSizeF(kTextPoints);

    QTextDocument document;
    document.documentLayout()->setPaintDevice(printer);
    document.setDocumentMargin(0);
    document.setDefaultFont(font);
    document.setTextWidth(page.width());
    QTextCursor cursor(&document);
    QTextCharFormat heading;
    heading.setFontPointSize(kHeadingPoints);
    heading.setFontWeight(QFont::Bold);
    cursor.insertText(kTitle, heading);
    if (m_nameLine->isChecked()) {
        QTextBlockFormat nameLine;
        nameLine.setTopMargin(3 * documentMillimetre);
        nameLine.setBottomMargin(3 * documentMillimetre);
        cursor.insertBlock(nameLine, QTextCharFormat());
        cursor.insertText(kNameLine);
    }

    // The variant on the left and the date on the right, as on a test paper.
    const QString variant = u"Вариант %1"_s.arg(m_steps.variant + 1);
    QTextBlockFormat line;
    line.setTabPositions({QTextOption::Tab(page.width() / millimetre * documentMillimetre - 1,
                                           QTextOption::RightTab)});
    line.setBottomMargin(4 * documentMillimetre);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertBlock(line, bold);
    cursor.insertText(variant + u'\t'
                      + QLocale(QLocale::Bulgarian, QLocale::Bulgaria)
                            .toString(QDate::currentDate(), u"d MMMM yyyy 'г.'"_s));

    QStringList lines = m_lines;
    if (lines.value(0) == variant)
        lines.removeFirst(); // the heading says it
    for (const QString &text : std::as_const(lines)) {
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        cursor.insertText(solution::keepFormulasTogether(text));
    }
    document.drawContents(&painter, QRectF(0, 0, page.width(), page.height()));

    const qreal top = document.size().height() + kDrawingGapMillimetres * millimetre;
    const qreal height = std::min(page.height() - top, kDrawingMostMillimetres * millimetre);
    font.setPointSizeF(kDrawingPoints);
    painter.setFont(font);
    const QRectF area(0, top, page.width(), std::max(height, 0.0));
    m_drawing->paint(painter, area, drawnToScale(painter, area, millimetre));
    return painter.end();
}

RectangleDrawing::Fixed SolutionWindow::drawnToScale(const QPainter &painter, const QRectF &area,
                                                     qreal millimetre) const
{
    RectangleDrawing::Fixed fixed{0, scale::noScaleText()};
    const double unitMillimetres = kUnitMillimetres[std::size_t(unit())];
    if (!(unitMillimetres > 0) || !m_drawing->hasRectangle())
        return fixed;
    // The room is the same for any caption of one line.
    const QSizeF room = m_drawing->figureRoom(painter, area, fixed.caption).size() / millimetre;
    const auto side = [this, unitMillimetres](solver::Target target) {
        const solver::Step *step = m_steps.find(target);
        return step ? step->value() * unitMillimetres : 0.0;
    };
    if (const auto chosen = scale::choose(QSizeF(side(solver::Target::A), side(solver::Target::B)), room)) {
        fixed.unitLength = unitMillimetres * chosen->factor() * millimetre;
        fixed.caption = scale::text(*chosen);
    }
    return fixed;
}

void SolutionWindow::print()
{
    if (!printing::available()) {
        runtime::reportError(this, runtime::RuntimeError(runtime::ErrorCode::PrintingUnavailable));
        return;
    }
    printing::printWithDialog(this, windowTitle(), u"Печат на решението"_s,
                              [this](QPagedPaintDevice *printer) { return printTo(printer); });
}
