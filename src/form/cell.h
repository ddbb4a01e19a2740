#pragma once

#include <QFont>
#include <QLineEdit>
#include <QString>

// A cell of the grid. Its number is always shown from its first digit: when the
// text is too wide for the cell the font shrinks just enough for it to fit, down to
// kSmallestPointSize; past that the cell shows the beginning with an ellipsis and
// the whole text in its tooltip. While the user edits a focused cell it behaves as
// a plain line edit, scrolling to the cursor.
class Cell : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr qreal kSmallestPointSize = 7;

    // font: the cell's full-size font, which it returns to whenever its text fits.
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
