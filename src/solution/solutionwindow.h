// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "solution/rectangledrawing.h"
#include "solver/steps.h"
#include "solver/working.h"

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QBoxLayout;
class QComboBox;
class QPainter;
class QPlainTextEdit;
class QPagedPaintDevice;
class QPushButton;

// "Решение": the working of the last calculation beside the rectangle drawn to scale
// (above it in a window taller than wide, as on a phone held upright),
// in the unit the user chose (remembered between runs), to read, copy as plain text
// and print on one page to hand in. Non-modal; the calculator keeps one and shows
// each new calculation in it.
class SolutionWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SolutionWindow(QWidget *parent = nullptr);

    // Steps of no variant: nothing was calculated yet, or the grid was emptied since.
    void showSteps(const solver::Steps &steps);
    // The user changed a given number since the last calculation: no working answers it yet.
    void showNumbersChanged();
    // Beside other where the screen's free room allows, smaller if it must; over it only
    // when no side has the room; never larger than the free room nor beyond it.
    void placeBeside(const QWidget &other);

    solver::LengthUnit unit() const;
    void setUnit(solver::LengthUnit unit);

    QString text() const;
    RectangleDrawing *drawing() const { return m_drawing; }
    QPushButton *printButton() const { return m_print; }

    // A heading, a line for the pupil's name and class (unless unticked), the text and
    // the drawing below it, at a real scale when a unit is chosen, on one page.
    bool printTo(QPagedPaintDevice *printer) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void print();
    void showWorking();
    // The scale the drawing is printed at in area, and the line that says it.
    RectangleDrawing::Fixed drawnToScale(const QPainter &painter, const QRectF &area, qreal millimetre) const;

    solver::Steps m_steps;
    bool m_numbersChanged = false;
    QStringList m_lines;
    QPlainTextEdit *m_text = nullptr;
    QBoxLayout *m_content = nullptr; // the working and the drawing
    QComboBox *m_unit = nullptr;
    QCheckBox *m_nameLine = nullptr;
    RectangleDrawing *m_drawing = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_print = nullptr;
};
