// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/cell.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <cmath>

namespace {

// The widest number the program writes (the largest double with two decimals and
// group separators) has about 420 characters. A text several times that long cannot
// fit at any readable size, so it is not measured: measuring a pasted megabyte at
// every keystroke would cost more than the paste itself.
constexpr qsizetype kLongestMeasured = 1024;

// Font sizes are tried in steps this fine.
constexpr qreal kSizeStep = 0.25;

// A tooltip line no longer than this fits any screen; the largest number takes eight.
constexpr qsizetype kToolTipLineLength = 60;

// A long number in lines for its tooltip, broken after a group separator where the
// line has one: no line breaking would break a number, and a tooltip wider than the
// screen loses its end.
QString wrapped(const QString &text)
{
    QString lines;
    qsizetype start = 0;
    while (text.size() - start > kToolTipLineLength) {
        qsizetype end = start + kToolTipLineLength;
        for (qsizetype i = end; i > start + kToolTipLineLength / 2; --i) {
            if (!text[i - 1].isDigit()) {
                end = i;
                break;
            }
        }
        lines += text.mid(start, end - start) + QLatin1Char('\n');
        start = end;
    }
    return lines + text.mid(start);
}

// QLineEdit leaves this much room on either side of its text (horizontalMargin).
constexpr int kLineEditMargin = 2;

} // namespace

Cell::Cell(const QFont &font, QWidget *parent) : QLineEdit(parent), m_font(font)
{
    // Empty, the cell keeps the window's font until it has text to show (see fit()).
    connect(this, &QLineEdit::textChanged, this, [this] {
        fit();
        // A text the program writes is shown from its first digit, focused or not;
        // the user's own edits keep their cursor.
        if (!isModified())
            setCursorPosition(0);
    });
}

QList<QAction *> Cell::menuActions(const QWidget *owner)
{
    QList<QAction *> shared;
    if (!owner)
        return shared;
    for (QAction *action : owner->actions()) {
        if (action->property(kMenuProperty).toBool())
            shared << action;
    }
    return shared;
}

void Cell::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    // Asked for each time, so that an action the window gains later shows too.
    const QList<QAction *> shared = menuActions(parentWidget());
    if (!shared.isEmpty()) {
        menu->addSeparator();
        menu->addActions(shared);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void Cell::setDescription(const QString &description)
{
    m_description = description;
    updateToolTip();
}

void Cell::setFormula(const QString &formula)
{
    m_formula = formula;
    updateToolTip();
}

QString Cell::elidedText() const
{
    return fontMetrics().elidedText(text().left(kLongestMeasured), Qt::ElideRight, textRoom());
}

int Cell::textRoom() const
{
    return textRect().width();
}

QRect Cell::textRect() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).adjusted(kLineEditMargin, 0, -kLineEditMargin, 0);
}

bool Cell::fits(const QString &text, qreal pointSize, int room) const
{
    QFont font = m_font;
    font.setPointSizeF(pointSize);
    // QLineEdit scrolls once its text and cursor are wider than the room.
    return std::ceil(QFontMetricsF(font).horizontalAdvance(text)) + 1 <= room;
}

void Cell::fit()
{
    const QString shown = text();
    const qreal full = m_font.pointSizeF();
    qreal size = full;
    bool elided = false;
    if (shown.isEmpty()) {
        // Nothing to measure: every cell starts so, and so is every cell after a clear.
    } else if (shown.size() > kLongestMeasured) {
        size = kSmallestPointSize;
        elided = true;
    } else if (const int room = textRoom(); !fits(shown, full, room)) {
        // Width grows almost in step with size: start from the proportional guess,
        // then find the largest step that fits.
        const qreal width = QFontMetricsF(m_font).horizontalAdvance(shown);
        size = std::floor(full * (room - 1) / width / kSizeStep) * kSizeStep;
        size = std::clamp(size, kSmallestPointSize, full - kSizeStep);
        while (size + kSizeStep < full && fits(shown, size + kSizeStep, room))
            size += kSizeStep;
        while (size > kSmallestPointSize && !fits(shown, size, room))
            size -= kSizeStep;
        elided = !fits(shown, size, room);
    }
    QFont fitted = m_font;
    fitted.setPointSizeF(size);
    if (shown.isEmpty()) {
        // No letters to draw, and the window's face has the same height and baseline
        // as the cell's bold one: inherited, it spares loading the bold face at
        // start-up, when the twenty given cells are empty.
        if (testAttribute(Qt::WA_SetFont))
            setFont(QFont());
    } else if (font() != fitted) {
        setFont(fitted);
    }
    if (elided != m_elided) {
        m_elided = elided;
        update();
    }
    updateToolTip();
}

void Cell::updateToolTip()
{
    QStringList lines;
    if (!m_description.isEmpty())
        lines << m_description;
    if (!m_formula.isEmpty())
        lines << m_formula;
    if (m_elided) {
        const QString whole = text();
        lines << wrapped(whole.size() > kLongestMeasured ? whole.left(kLongestMeasured) + QChar(0x2026) : whole);
    }
    const QString tip = lines.join(QLatin1Char('\n'));
    if (tip != toolTip())
        setToolTip(tip);
}

void Cell::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    fit();
}

void Cell::paintEvent(QPaintEvent *event)
{
    if (!m_elided || hasFocus()) {
        QLineEdit::paintEvent(event);
        return;
    }
    // QLineEdit would show the part around its cursor; show the beginning instead.
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(textRect(), Qt::AlignLeft | Qt::AlignVCenter, elidedText());
}
