// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPushButton>

// A command button that shows its own back colour: a raised bevel filled with the
// colour, sunk while pressed, with the caption centred and a focus frame. Styles
// paint push buttons with gradients of their own; style sheets would keep the
// colour too, but load a whole style engine for two buttons.
class ColourButton : public QPushButton
{
public:
    ColourButton(const QString &caption, const QColor &colour, QWidget *parent);

    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour;
};
