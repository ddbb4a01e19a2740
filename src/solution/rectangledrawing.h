// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "solver/working.h"

#include <QColor>
#include <QRectF>
#include <QWidget>

#include <array>

class QPainter;

// The rectangle of a calculation drawn to scale: side a across, side b upright, the
// diagonal with d on it and P and S beside it. A side too short to see is widened to
// a few pixels and the drawing then says that it is not to scale; a zero side draws
// as a segment. A label too long for its room is drawn smaller, and past that
// shortened at its end, never cut at the edge of the drawing.
class RectangleDrawing : public QWidget
{
    Q_OBJECT

public:
    explicit RectangleDrawing(QWidget *parent = nullptr);

    void setRectangle(double a, double b, double d, double P, double S);
    // The rectangle of a solve, its labels written as the working writes the values.
    void setRectangle(const solver::Steps &steps);
    // The labels' unit; the area's is its square.
    void setUnit(solver::LengthUnit unit);
    // Nothing to draw; note says why.
    void clear(const QString &note);
    bool hasRectangle() const { return m_has; }

    // A drawing of a fixed size, as printed: a length of 1 in the values is unitLength
    // long on the painter's device (0: the figure as large as its room allows); the
    // caption, such as the scale, is a line of its own under the labels.
    struct Fixed
    {
        qreal unitLength = 0;
        QString caption;
    };

    // Draws into area of any painter, the widget's or a printed page's; pixel sizes
    // are those of a 96 dpi screen, scaled to the painter's device.
    void paint(QPainter &painter, const QRectF &area) const;
    void paint(QPainter &painter, const QRectF &area, const Fixed &fixed) const;
    // The room that the figure has in area, the labels and the caption around it.
    QRectF figureRoom(const QPainter &painter, const QRectF &area, const QString &caption) const;

    // Where sides a and b land in a box: as large as the box allows or, given a
    // unitLength, at that size; to scale when both are at least minimum units,
    // otherwise with the short side widened to minimum.
    struct Figure
    {
        QRectF rect;
        bool toScale = true;
    };
    static Figure figure(double a, double b, const QRectF &box, qreal minimum, double unitLength = 0);

    // The colour of the rectangle's sides and diagonal and of nothing else.
    static QColor lineColour();
    static QString notToScaleNote();
    static QString noRectangleNote();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The labels' places around the figure's room.
    struct Around
    {
        qreal gap = 0;
        qreal line = 0;
        qreal bRoom = 0;
        QRectF across; // a line's width, at the top of the area
        QStringList below; // the lines under the figure, after side a's
        QRectF box;        // the figure's room
    };
    Around around(const QPainter &painter, const QRectF &area, const QString &caption) const;
    QString label(const QString &name, double value, bool area = false) const;
    void describe();

    bool m_has = false;
    QString m_note;
    solver::LengthUnit m_unit = solver::LengthUnit::None;
    double m_a = 0, m_b = 0, m_d = 0, m_P = 0, m_S = 0;
    std::array<QString, solver::kColumnCount> m_named; // "b ≈ 5,20", where a solve gave them
};
