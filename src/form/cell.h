// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QLineEdit>
#include <QList>
#include <QString>

class QAction;

// A cell of the grid. Its number is always shown from its first digit: when the
// text is too wide for the cell the font shrinks just enough for it to fit, down to
// kSmallestPointSize; past that the cell shows the beginning with an ellipsis and
// the whole text in its tooltip. While the user edits a focused cell it behaves as
// a plain line edit, scrolling to the cursor.
//
// Its context menu offers Qt's own items, then, after a separator, every action of
// the window (the cell's parent) that carries the property kMenuProperty, in the
// order they were added.
class Cell : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr qreal kSmallestPointSize = 7;
    static constexpr char kMenuProperty[] = "givenCellMenu";

    // The actions of owner that given cells offer in their context menu.
    static QList<QAction *> menuActions(const QWidget *owner);

    // font: the cell's full-size font, which it shows its text in whenever the text
    // fits; an empty cell keeps its parent's font.
    Cell(const QFont &font, QWidget *parent);

    // The tooltip's lines: what the cell is, then how its value was computed, then
    // the whole text when the cell can show only its beginning.
    void setDescription(const QString &description);
    void setFormula(const QString &formula);
    QString formula() const { return m_formula; }

    bool isElided() const { return m_elided; }
    // The text as drawn while elided: its beginning and an ellipsis.
    QString elidedText() const;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();
    int textRoom() const;
    QRect textRect() const;
    bool fits(const QString &text, qreal pointSize, int room) const;
    void updateToolTip();

    QFont m_font;
    QString m_description;
    QString m_formula;
    bool m_elided = false;
};
