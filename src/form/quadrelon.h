// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/variant.h"
#include "solver/rectangle.h"
#include "solver/steps.h"

#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QKeySequence;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace layout {
struct Control;
}

namespace runtime {
class RuntimeError;
}

// The calculator's one window: a grid of ten rows, one for each variant of which
// two quantities of a rectangle are given, and the buttons that compute the rest.
class Quadrelon : public QWidget
{
    Q_OBJECT

public:
    // Creates the window from its layout and loads it: "Вариант 1" is selected and
    // the form is ready for typing.
    explicit Quadrelon(QWidget *parent = nullptr);
    ~Quadrelon() override;

    // The controls, by array and index.
    std::array<QLineEdit *, solver::kCellCount> Text2{};
    std::array<QRadioButton *, solver::kVariantCount> Option1{};
    std::array<QPushButton *, 2> Command1{};
    std::array<QLabel *, 6> Label1{};
    // Text1(1) is hidden and nothing in the window shows it, so it is made only when
    // something asks for it through textBox(1); until then its place holds nullptr.
    std::array<QPlainTextEdit *, 2> Text1{};
    QPlainTextEdit *textBox(qint16 index);
    QGroupBox *Frame1 = nullptr;

    // Form-level values; they live as long as the window.
    runtime::Variant SelectedVariant;
    qint16 LastCellIndex = 0;
    solver::FormValues Sides; // SideOne, SideTwo, HalfPerimeter, AreaValue

    // Event handlers. They raise runtime::RuntimeError; the connections made in the
    // constructor report it and keep the window running.
    void Form_Load();
    void Option1_Click(qint16 Index);
    void Command1_Click(qint16 Index);

    // "Изчисли": normalise the selected row, solve it, write the five results.
    void Calculate();

    // The steps of the last calculation, also of one that failed.
    const solver::Steps &lastSteps() const { return m_steps; }
    // An action of the window, its shortcut working anywhere in it, that the given
    // cells offer in their context menus and name, with hint, in their tooltips.
    QAction *addCellAction(const QString &text, const QString &name, const QKeySequence &shortcut,
                           const QString &hint);
    // A line in the cell's tooltip, after what the cell is, that tells how its value
    // was found. Selecting a variant and "Изчисти" clear every cell's formula.
    void setCellFormula(qint16 cell, const QString &formula);

Q_SIGNALS:
    // The selected row holds the five results of a calculation that succeeded; what
    // lives around the grid (tooltips, the working, the screen reader) follows it.
    void calculated();
    // A calculation stopped with an error; lastSteps() say where and why.
    void calculationFailed();
    // The grid was emptied: by "Изчисти" or by selecting a variant.
    void cleared();
    // The user changed a given number of the row last calculated: its results are gone,
    // and what was worked out from the old numbers answers the row no longer.
    void givenChanged();

protected:
    // The window's actions are offered in the given cells' menus and named in their
    // tooltips; the tooltips follow when an action comes, changes or goes.
    void actionEvent(QActionEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    // Normalises, solves and writes the selected row; Calculate() tidies up after it.
    void solveSelectedRow();
    // A click or typing in a given cell of another row selects that row's variant.
    void selectRowOf(QObject *watched, QEvent *event);
    void writeCell(qint16 k, const QString &text);
    QPlainTextEdit *createTextBox(const layout::Control &c);
    void createActions();
    void describeCells();
    void clearFormulas();
    // "Копирай реда": the selected row as a small tab-separated table.
    void copyRow();
    QLineEdit *cell(qint16 index) const;
    // Runs a handler as an event does: a run-time error ends it and is reported.
    void handleEvent(const std::function<void()> &handler);
    void report(const runtime::RuntimeError &error);
    // After the user's own edit of a given cell (not a text the program writes).
    void givenEdited(qint16 cell);
    void emptyResults();
    // Given cells of the selected row, -1 for none.
    qint16 focusedGivenCell() const;
    qint16 givenCellOf(runtime::Quantities about, qint16 otherwise) const;
    // Keys go to the cell, its whole text selected, so that the next key starts a new number.
    void focusGiven(qint16 cell);

    solver::Steps m_steps;
    // The selected row holds the numbers the last calculation read.
    bool m_calculated = false;
    // Where the keys go once the error report of a calculation is closed.
    qint16 m_cellAfterReport = -1;
};
