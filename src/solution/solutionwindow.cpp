// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solution/solutionwindow.h"

#include "printing/printing.h"
#include "runtime/errorreport.h"
#include "solution/linebreaks.h"
#include "solution/rectangledrawing.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
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

// The size it opens at where the screen has the room, in device-independent pixels.
constexpr QSize kPreferredSize(820, 420);

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
    const QRect room = screen->availableGeometry();
    // The frame that the window system puts around the calculator it will put around
    // this window too.
    const QSize frame = other.frameGeometry().size() - other.size();
    resize(kPreferredSize.boundedTo(room.size() - frame).expandedTo(minimumSizeHint()));
    const QSize outer = size() + frame;
    QPoint place = other.frameGeometry().topRight() + QPoint(8, 0);
    place.setX(std::max(room.left(), std::min(place.x(), room.right() + 1 - outer.width())));
    place.setY(std::max(room.top(), std::min(place.y(), room.bottom() + 1 - outer.height())));
    move(place);
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
    showWorking();
}

void SolutionWindow::showWorking()
{
    const bool any = m_steps.variant >= 0;
    m_copy->setEnabled(any);
    m_print->setEnabled(any);
    if (!any) {
        setWindowTitle(kTitle);
        m_lines = QStringList{u"Още няма изчисление: изберете вариант, въведете двете дадени "
                              u"стойности и натиснете „Изчисли“."_s};
        m_drawing->clear(u"Още няма какво да се начертае."_s);
    } else {
        setWindowTitle(kTitle + u" — Вариант %1"_s.arg(m_steps.variant + 1));
        m_lines = solver::workingLines(m_steps, unit());
        const auto value = [this](solver::Target target) {
            const solver::Step *step = m_steps.find(target);
            return step ? step->value() : 0.0;
        };
        using solver::Target;
        if (m_steps.failed)
            m_drawing->clear(RectangleDrawing::noRectangleNote());
        else
            m_drawing->setRectangle(value(Target::A), value(Target::B), value(Target::D), value(Target::P),
                                    value(Target::S));
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
    m_drawing->paint(painter, QRectF(0, top, page.width(), std::max(height, 0.0)));
    return painter.end();
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
