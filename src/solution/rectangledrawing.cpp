// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solution/rectangledrawing.h"

#include "solver/shown.h"
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
// A label shrinks to this part of its size before it is shortened.
constexpr qreal kSmallestScale = 0.7;
// The most of the width that the label beside a side takes from the figure.
constexpr qreal kSideLabelShare = 0.3;

const QColor kFill(0xe6, 0xe6, 0xfa);

QFont scaled(QFont font, qreal scale)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * scale);
    else
        font.setPixelSize(std::max(1, int(font.pixelSize() * scale)));
    return font;
}

// Text in its room: smaller when it is too wide, and past kSmallestScale shortened at
// its end with an ellipsis, so that it is never cut at an edge. Wrapped text only
// shrinks, until its lines fit the room's height.
void drawLabel(QPainter &painter, const QRectF &room, int flags, const QString &text)
{
    QFont font = painter.font();
    QString shown = text;
    if (flags & Qt::TextWordWrap) {
        for (qreal scale = 1; scale >= kSmallestScale; scale -= 0.1) {
            font = scaled(painter.font(), scale);
            const QFontMetricsF metrics(font, painter.device());
            if (metrics.boundingRect(room, flags, text).height() <= room.height())
                break;
        }
    } else if (const qreal width = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
               width > room.width()) {
        // Font sizes come in steps, so the size in proportion may still be a little wide.
        for (qreal scale = std::max(room.width() / width, kSmallestScale);; scale -= 0.05) {
            font = scaled(painter.font(), std::max(scale, kSmallestScale));
            const qreal now = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
            if (scale <= kSmallestScale || now <= room.width())
                break;
        }
        shown = QFontMetricsF(font, painter.device()).elidedText(text, Qt::ElideRight, room.width());
    }
    painter.save();
    painter.setFont(font);
    painter.drawText(room, flags | Qt::TextDontClip, shown); // a pixel too wide is no reason to cut
    painter.restore();
}

} // namespace

RectangleDrawing::RectangleDrawing(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"RectangleDrawing"_s);
    setMinimumSize(160, 120);
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

QString RectangleDrawing::noRectangleNote()
{
    return u"Няма чертеж: стойностите не описват правоъгълник."_s;
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
    m_named = {};
    describe();
}

void RectangleDrawing::setRectangle(const solver::Steps &steps)
{
    const auto value = [&steps](int column) {
        const solver::Step *step = steps.find(solver::Target(column));
        return step ? step->value() : 0.0;
    };
    setRectangle(value(0), value(1), value(2), value(3), value(4));
    m_named = solver::shownValues(steps);
    describe();
}

void RectangleDrawing::setUnit(solver::LengthUnit unit)
{
    m_unit = unit;
    describe();
}

void RectangleDrawing::clear(const QString &note)
{
    m_has = false;
    m_note = note;
    describe();
}

QString RectangleDrawing::label(const QString &name, double value, bool area) const
{
    const qsizetype column = QStringView(u"abdPS").indexOf(name);
    QString text = column >= 0 && !m_named[std::size_t(column)].isEmpty() ? m_named[std::size_t(column)]
                                                                         : solver::namedValue(name, value);
    if (m_unit != solver::LengthUnit::None)
        text += u' ' + solver::unitSymbol(m_unit) + (area ? u"²"_s : QString());
    return text;
}

// What the drawing shows, for those who cannot see it.
void RectangleDrawing::describe()
{
    setAccessibleDescription(m_has ? QStringList{label(u"a"_s, m_a), label(u"b"_s, m_b), label(u"d"_s, m_d),
                                                 label(u"P"_s, m_P), label(u"S"_s, m_S, true)}
                                         .join(u"; "_s)
                                   : m_note);
    update();
}

RectangleDrawing::Figure RectangleDrawing::figure(double a, double b, const QRectF &box, qreal minimum,
                                                  double unitLength)
{
    Figure f;
    const double longest = std::max(a, b);
    if (!(longest > 0.0) || box.isEmpty()) {
        f.rect = QRectF(box.center(), QSizeF(0, 0));
        return f;
    }
    // The scale that fits the longer side, and the shorter one if it is the tighter.
    const double scale = unitLength > 0 ? unitLength
                                        : std::min(a > 0.0 ? box.width() / a : HUGE_VAL,
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

namespace {

qreal deviceUnit(const QPainter &painter)
{
    return painter.device() ? painter.device()->logicalDpiX() / 96.0 : 1.0;
}

} // namespace

RectangleDrawing::Around RectangleDrawing::around(const QPainter &painter, const QRectF &area,
                                                  const QString &caption) const
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QString bText = label(u"b"_s, m_b);
    const QString dText = label(u"d"_s, m_d);
    const QString pText = label(u"P"_s, m_P);
    const QString sText = label(u"S"_s, m_S, true);

    // Room around the figure: the note above, b on the left, a and then P and S below,
    // on a line each when one is too short for both, then the caption; a long label
    // beside a side is drawn smaller rather than squeeze the figure away.
    Around a;
    a.line = metrics.height();
    a.gap = kGap * deviceUnit(painter);
    a.bRoom = std::min(metrics.horizontalAdvance(bText), area.width() * kSideLabelShare);
    const qreal dRoom = std::min(metrics.horizontalAdvance(dText), area.width() * kSideLabelShare);
    a.across = QRectF(area.left() + a.gap, 0, area.width() - 2 * a.gap, a.line);
    a.below = QStringList{pText + u";   "_s + sText};
    if (metrics.horizontalAdvance(a.below[0]) > a.across.width())
        a.below = QStringList{pText + u';', sText};
    if (!caption.isEmpty())
        a.below << caption;
    const qreal belowHeight = qreal(1 + a.below.size()) * a.line;
    a.box = area.adjusted(a.bRoom + 2 * a.gap, 2 * a.line + a.gap, -(2 * a.gap + dRoom),
                          -(belowHeight + 2 * a.gap));
    return a;
}

QRectF RectangleDrawing::figureRoom(const QPainter &painter, const QRectF &area, const QString &caption) const
{
    return around(painter, area, caption).box;
}

void RectangleDrawing::paint(QPainter &painter, const QRectF &area) const
{
    paint(painter, area, Fixed{});
}

void RectangleDrawing::paint(QPainter &painter, const QRectF &area, const Fixed &fixed) const
{
    painter.save();
    const qreal unit = deviceUnit(painter);
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.setPen(Qt::black);
    if (!m_has) {
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, m_note);
        painter.restore();
        return;
    }

    const QString aText = label(u"a"_s, m_a);
    const QString bText = label(u"b"_s, m_b);
    const QString dText = label(u"d"_s, m_d);
    const auto [gap, line, bRoom, across, below, box] = around(painter, area, fixed.caption);
    const Figure f = figure(m_a, m_b, box, kThinnest * unit, fixed.unitLength);
    const QRectF r = f.rect;

    if (!f.toScale) {
        drawLabel(painter, QRectF(area.left() + gap, area.top() + gap / 2, area.width() - 2 * gap, 2 * line),
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
    drawLabel(painter, QRectF(r.left() - gap - bRoom, r.center().y() - line / 2, bRoom, line),
              Qt::AlignRight | Qt::AlignVCenter, bText);
    drawLabel(painter, across.translated(0, r.bottom() + gap / 2), Qt::AlignHCenter | Qt::AlignTop, aText);
    for (qsizetype i = 0; i < below.size(); ++i) {
        drawLabel(painter, across.translated(0, r.bottom() + gap / 2 + line * qreal(i + 1)),
                  Qt::AlignHCenter | Qt::AlignTop, below[i]);
    }

    // d along the diagonal, on a white ground so that the line does not cross it; beside
    // a figure too narrow to hold it, above one too flat or too small.
    const qreal dWidth = metrics.horizontalAdvance(dText);
    if (r.width() < 2 * line && r.height() > r.width()) {
        const QRectF room(r.right() + gap, r.center().y() - line / 2, area.right() - r.right() - 2 * gap, line);
        drawLabel(painter, room, Qt::AlignLeft | Qt::AlignVCenter, dText);
    } else if (r.height() < 2 * line || dWidth + 2 * gap > std::hypot(r.width(), r.height())) {
        drawLabel(painter, across.translated(0, r.top() - gap / 2 - line), Qt::AlignHCenter | Qt::AlignBottom,
                  dText);
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
