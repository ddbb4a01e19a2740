// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPagedPaintDevice;
class QPushButton;
class RectangleDrawing;

namespace solver {
class Steps;
}

// "Решение": the working of the last calculation beside the rectangle drawn to scale,
// to read, copy as plain text and print on one page. Non-modal; the calculator keeps
// one and shows each new calculation in it.
class SolutionWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SolutionWindow(QWidget *parent = nullptr);

    void showSteps(const solver::Steps &steps);

    QString text() const;
    RectangleDrawing *drawing() const { return m_drawing; }
    QPushButton *printButton() const { return m_print; }

    // The text and the drawing on one page of the printer.
    bool printTo(QPagedPaintDevice *printer) const;

private:
    void print();

    QPlainTextEdit *m_text = nullptr;
    RectangleDrawing *m_drawing = nullptr;
    QPushButton *m_print = nullptr;
};
