// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QString>

#include <vector>

// The window as it is created: every control with its place, caption, colour and
// tab index, in one table that the form builds its controls from.
namespace layout {

// Sizes and places are in twips, 1/1440 inch: 15 twips make a pixel at 96 dpi.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidth = 7800;
inline constexpr int kClientHeight = 6420;

constexpr int pixels(int twips)
{
    return twips / kTwipsPerPixel;
}

enum class Kind { Label, Frame, OptionButton, CommandButton, TextBox, Cell };

struct Control
{
    const char *array; // control array name; with the index it makes the objectName
    int index;         // -1 for a control that is not in an array
    Kind kind;
    int left, top, width, height; // twips, in the container (Frame1 for option buttons)
    QString caption;
    QColor backColour; // invalid: the system's colour for this kind of control
    int tabIndex;
    bool enabled = true;
    bool bold = false;
    bool visible = true;
    bool selected = false; // option button created selected

    QString objectName() const;
};

inline const QColor kWindowColour{192, 192, 255};     // light lavender blue
inline const QColor kHeadingColour{255, 192, 128};    // light orange
inline const QColor kOptionColour{128, 128, 255};     // medium blue
inline const QColor kCalculateColour{128, 255, 128};  // light green
inline const QColor kClearColour{255, 0, 0};          // red
inline const QColor kGivenCellColour{255, 255, 255};  // white
inline const QColor kResultCellColour{255, 192, 192}; // light pink
// The text of a result cell: a grey, so that it reads as a value that cannot be
// edited, but dark enough for 5.2 : 1 on the pink. Qt's own disabled grey gives 1.2 : 1.
inline const QColor kResultTextColour{80, 80, 80};

// Black or white, whichever stands out more from a background of our own: a desktop
// with light text would otherwise put it on our light colours.
QColor textColourFor(const QColor &background);

inline constexpr const char16_t kTitleText[] = u"Математика - правоъгълник, страни, диагонал";
inline constexpr const char kFontFamily[] = "Times New Roman";
// The face made to Times New Roman's measures, which fontconfig shows in its place
// where Times New Roman itself is not installed.
inline constexpr const char kFontStandIn[] = "Liberation Serif";
inline constexpr int kFontPointSize = 12;

// All 71 controls, in the order they are created.
const std::vector<Control> &controls();

// The accessible name that tells a screen reader which control has the focus.
QString accessibleName(const Control &control);

// What a cell holds, for its tooltip: "Вариант 3: периметър P".
QString cellQuantity(int cell);

// The two texts of the text boxes at the bottom, each line ending in CR LF.
QString helpText();
QString hiddenText();

} // namespace layout
