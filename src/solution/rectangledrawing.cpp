// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solution/rectangledrawing.h"

#include "solver/working.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Thinner than this a side is hard to see on screen and on paper.
constexpr qreal kThinnest = 4.0;
constexpr qreal kGap = 6.0;

const QColor kFill(0xe6, 0xe6, 0xfa);

} // namespace

RectangleDrawing::RectangleDrawing(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"RectangleDrawing"_s);
    setMinimumSize(240, 200);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

QColor RectangleDrawing::lineColour()
{
    return QColor(0x1a, 0x3c, 0x8c);
}

QString RectangleDrawing::notToScaleNote()
{
    return u"Чертежът не е в мащаб: едната страна е твърде къса, за да се види."_s;
}

QSize RectangleDrawing::sizeHint() const
{
    return QSize(360, 300);
}

void RectangleDrawing::setRectangle(double a, double b, double d, double P, double S)
{
    m_has = true;
    m_a = a;
    m_b = b;
    m_d = d;
    m_P = P;
    m_S = S;
    update();
}

void RectangleDrawing::clear()
{
    m_has = false;
    update();
}

RectangleDrawing::Figure RectangleDrawing::figure(double a, double b, const QRectF &box,
                                                  qreal minimum)
{
    Figure f;
    const double longest = std::max(a, b);
    if (!(longest > 0.0) || box.isEmpty()) {
        f.rect = QRectF(box.center(), QSizeF(0, 0));
        return f;
    }
    // The scale that fits the longer side, and the shorter one if it is the tighter.
    const double scale = std::min(a > 0.0 ? box.width() / a : HUGE_VAL,
                                  b > 0.0 ? box.height() / b : HUGE_VAL);
    qreal width = qreal(a * scale);
    qreal height = qreal(b * scale);
    if (a > 0.0 && width < minimum) {
        width = minimum;
        f.toScale = false;
    }
    if (b > 0.0 && height < minimum) {
        height = minimum;
        f.toScale = false;
    }
    f.rect = QRectF(0, 0, width, height);
    f.rect.moveCenter(box.center());
    return f;
}

void RectangleDrawing::paint(QPainter &painter, const QRectF &area) const
{
    painter.save();
    const qreal unit = painter.device() ? painter.device()->logicalDpiX() / 96.0 : 1.0;
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal line = metrics.height();
    painter.setPen(Qt::black);
    if (!m_has) {
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap,
                         u"Няма чертеж: стойностите не описват правоъгълник."_s);
        painter.restore();
        return;
    }

    const QString aText = solver::namedValue(u"a"_s, m_a);
    const QString bText = solver::namedValue(u"b"_s, m_b);
    const QString dText = solver::namedValue(u"d"_s, m_d);
    const QString below = solver::namedValue(u"P"_s, m_P) + u";   "_s
        + solver::namedValue(u"S"_s, m_S);

    // Room around the figure: the note above, b on the left, a and then P and S below.
    const qreal gap = kGap * unit;
    QRectF box = area.adjusted(metrics.horizontalAdvance(bText) + 2 * gap, 2 * line + gap,
                               -(2 * gap + metrics.horizontalAdvance(dText)), -(2 * line + 2 * gap));
    const Figure f = figure(m_a, m_b, box, kThinnest * unit);
    const QRectF r = f.rect;

    if (!f.toScale) {
        painter.drawText(QRectF(area.left(), area.top(), area.width(), 2 * line),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, notToScaleNote());
    }

    // Sharp edges in one exact colour: the measured size of the figure is its size.
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(lineColour());
    pen.setWidthF(0); // one device pixel, whatever the resolution
    painter.setPen(pen);
    painter.setBrush(kFill);
    if (r.width() > 0 && r.height() > 0)
        painter.drawRect(r);
    else
        painter.drawLine(r.topLeft(), r.bottomRight()); // a zero side: a segment
    painter.drawLine(r.bottomLeft(), r.topRight());

    painter.setPen(Qt::black);
    painter.drawText(QRectF(r.left() - gap - metrics.horizontalAdvance(bText), r.center().y() - line / 2,
                            metrics.horizontalAdvance(bText), line),
                     Qt::AlignRight | Qt::AlignVCenter, bText);
    painter.drawText(QRectF(area.left(), r.bottom() + gap / 2, area.width(), line),
                     Qt::AlignHCenter | Qt::AlignTop, aText);
    painter.drawText(QRectF(area.left(), r.bottom() + gap / 2 + line, area.width(), line),
                     Qt::AlignHCenter | Qt::AlignTop, below);

    // d along the diagonal, on a white ground so that the line does not cross it; beside
    // a figure too narrow to hold it.
    const qreal dWidth = metrics.horizontalAdvance(dText);
    if (r.height() < 2 * line && r.width() >= r.height()) {
        painter.drawText(QRectF(area.left(), r.top() - gap / 2 - line, area.width(), line),
                         Qt::AlignHCenter | Qt::AlignBottom, dText);
    } else if (r.width() < 2 * line) {
        painter.drawText(QRectF(r.right() + gap, r.center().y() - line / 2, dWidth, line),
                         Qt::AlignLeft | Qt::AlignVCenter, dText);
    } else {
        painter.translate(r.center());
        painter.rotate(qRadiansToDegrees(std::atan2(-r.height(), r.width())));
        QRectF label(QPointF(0, 0), QSizeF(dWidth + gap, line));
        label.moveCenter(QPointF(0, -line / 2 - 1));
        painter.fillRect(label, Qt::white);
        painter.drawText(label, Qt::AlignCenter, dText);
    }
    painter.restore();
}

void RectangleDrawing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    paint(painter, QRectF(rect()));
}
