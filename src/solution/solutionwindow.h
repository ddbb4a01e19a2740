// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "solver/steps.h"
#include "solver/working.h"

#include <QStringList>
#include <QWidget>

class QBoxLayout;
class QComboBox;
class QPlainTextEdit;
class QPagedPaintDevice;
class QPushButton;
class RectangleDrawing;

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
    // Beside other, both in view as far as the screen allows, and never larger than
    // the screen's free room.
    void placeBeside(const QWidget &other);

    solver::LengthUnit unit() const;
    void setUnit(solver::LengthUnit unit);

    QString text() const;
    RectangleDrawing *drawing() const { return m_drawing; }
    QPushButton *printButton() const { return m_print; }

    // A heading, the text and the drawing below it on one page of the printer.
    bool printTo(QPagedPaintDevice *printer) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void print();
    void showWorking();

    solver::Steps m_steps;
    QStringList m_lines;
    QPlainTextEdit *m_text = nullptr;
    QBoxLayout *m_content = nullptr; // the working and the drawing
    QComboBox *m_unit = nullptr;
    RectangleDrawing *m_drawing = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_print = nullptr;
};
