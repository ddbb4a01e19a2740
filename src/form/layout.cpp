// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/layout.h"

#include "solver/rectangle.h"

#include <algorithm>
#include <array>

namespace layout {

namespace {

constexpr int kGridLeft = 1680;
constexpr int kGridTop = 840;
constexpr int kColumnSpacing = 960;
constexpr int kRowSpacing = 360;
constexpr int kCellWidth = 975;
constexpr int kCellHeight = 405;
constexpr int kHeadingTop = 480;
constexpr int kHeadingHeight = 375;

// Tab index of each cell, row by row.
constexpr std::array<std::array<int, solver::kColumnCount>, solver::kVariantCount> kCellTabIndex{{
    {7, 8, 9, 10, 25},
    {11, 12, 13, 14, 26},
    {15, 16, 17, 18, 27},
    {19, 20, 21, 22, 28},
    {29, 30, 31, 32, 33},
    {43, 44, 45, 46, 47},
    {48, 49, 50, 51, 52},
    {56, 57, 58, 59, 60},
    {61, 62, 63, 64, 65},
    {66, 67, 68, 69, 70},
}};

constexpr std::array<int, solver::kColumnCount> kHeadingTabIndex{3, 4, 5, 6, 34};
constexpr std::array<int, solver::kVariantCount> kOptionTabIndex{36, 37, 38, 39, 40, 41, 42, 53, 54, 55};

// Given cells with no colour of their own: they follow the system's base colour.
constexpr std::array<int, 5> kSystemColouredCells{0, 1, 5, 7, 13};

constexpr std::array<const char16_t *, solver::kColumnCount> kColumnCaption{u"a", u"b", u"d", u"P", u"S"};
constexpr std::array<const char16_t *, solver::kColumnCount> kColumnSpoken{
    u"страна a", u"страна b", u"диагонал d", u"периметър P", u"лице S"};

QString optionCaption(int variant)
{
    return QStringLiteral("Вариант %1").arg(variant + 1);
}

QColor cellColour(int cell)
{
    if (!solver::isGivenCell(cell))
        return kResultCellColour;
    const bool system = std::find(kSystemColouredCells.begin(), kSystemColouredCells.end(), cell)
        != kSystemColouredCells.end();
    return system ? QColor() : kGivenCellColour;
}

std::vector<Control> buildControls()
{
    std::vector<Control> all;
    all.reserve(71);

    all.push_back({"Label1", 0, Kind::Label, 600, 0, 6255, kHeadingHeight,
                   QStringLiteral("Математика - изчисляване на правоъгълник"), kHeadingColour, 2});
    for (int c = 0; c < solver::kColumnCount; ++c) {
        all.push_back({"Label1", c + 1, Kind::Label, kGridLeft + kColumnSpacing * c, kHeadingTop,
                       kCellWidth, kHeadingHeight, QString::fromUtf16(kColumnCaption[c]), kHeadingColour,
                       kHeadingTabIndex[c]});
    }

    all.push_back({"Frame1", -1, Kind::Frame, 0, 600, 1695, 3975, QString(), kWindowColour, 35});
    for (int r = 0; r < solver::kVariantCount; ++r) {
        Control option{"Option1", r, Kind::OptionButton, 120, 240 + kRowSpacing * r, 1575, 405,
                       optionCaption(r), kOptionColour, kOptionTabIndex[r]};
        option.selected = r == solver::kVariantCount - 1;
        all.push_back(option);
    }

    all.push_back({"Command1", 0, Kind::CommandButton, 6600, 1560, 975, 375,
                   QStringLiteral("Изчисли"), kCalculateColour, 23});
    all.push_back({"Command1", 1, Kind::CommandButton, 6600, 3360, 975, 375,
                   QStringLiteral("Изчисти"), kClearColour, 24});

    all.push_back({"Text1", 0, Kind::TextBox, 120, 4560, 7575, 1815, helpText(), QColor(), 0});
    Control hidden{"Text1", 1, Kind::TextBox, 1200, 5400, 6735, 1815, hiddenText(), QColor(), 1};
    hidden.visible = false;
    all.push_back(hidden);

    for (int k = 0; k < solver::kCellCount; ++k) {
        const int r = k / solver::kColumnCount;
        const int c = k % solver::kColumnCount;
        Control cell{"Text2", k, Kind::Cell, kGridLeft + kColumnSpacing * c, kGridTop + kRowSpacing * r,
                     kCellWidth, kCellHeight, QString(), cellColour(k), kCellTabIndex[r][c]};
        cell.enabled = solver::isGivenCell(k);
        cell.bold = cell.enabled;
        all.push_back(cell);
    }
    return all;
}

} // namespace

namespace {

// x^(1/5) for 0 < x <= 1, by Newton's method from above, where it falls steadily.
constexpr double fifthRoot(double x)
{
    double root = 1.0;
    for (int step = 0; step < 64; ++step) {
        const double fourth = root * root * root * root;
        root = (4.0 * root + x / fourth) / 5.0;
    }
    return root;
}

// The sRGB channel values 0..255 made linear, as WCAG 2.1 defines it: c / 12.92 up to
// 0.04045, else ((c + 0.055) / 1.055)^2.4, here x^2 times the fifth root of x^2.
// Worked out by the compiler: the colours are chosen while the window is built, and
// the math library's pow would bring its code and tables into memory for it alone.
constexpr std::array<float, 256> kLinearChannel = [] {
    std::array<float, 256> table{};
    for (int value = 0; value < 256; ++value) {
        const double c = value / 255.0;
        const double x = (c + 0.055) / 1.055;
        table[value] = float(c <= 0.04045 ? c / 12.92 : x * x * fifthRoot(x * x));
    }
    return table;
}();
static_assert(kLinearChannel[128] > 0.2158604f && kLinearChannel[128] < 0.2158606f);
static_assert(kLinearChannel[255] > 0.9999999f && kLinearChannel[255] < 1.0000001f);

} // namespace

QColor textColourFor(const QColor &background)
{
    // Relative luminance; the contrast ratio with black is (L + 0.05) / 0.05 and with
    // white 1.05 / (L + 0.05), equal at L = 0.179.
    const QColor rgb = background.toRgb();
    const float luminance = 0.2126f * kLinearChannel[rgb.red()] + 0.7152f * kLinearChannel[rgb.green()]
        + 0.0722f * kLinearChannel[rgb.blue()];
    return luminance > 0.179f ? QColor(Qt::black) : QColor(Qt::white);
}

QString Control::objectName() const
{
    const QString name = QString::fromLatin1(array);
    return index < 0 ? name : name + QLatin1Char('_') + QString::number(index);
}

const std::vector<Control> &controls()
{
    static const std::vector<Control> table = buildControls();
    return table;
}

QString accessibleName(const Control &control)
{
    switch (control.kind) {
    case Kind::Cell: {
        const int r = control.index / solver::kColumnCount;
        const int c = control.index % solver::kColumnCount;
        const QString role = solver::isGivenCell(control.index) ? QString() : QStringLiteral(", резултат");
        return optionCaption(r) + QStringLiteral(", ") + QString::fromUtf16(kColumnSpoken[c]) + role;
    }
    case Kind::TextBox:
        return control.index == 0 ? QStringLiteral("Задание") : QStringLiteral("Афоризъм");
    case Kind::Frame:
        return QStringLiteral("Варианти");
    case Kind::Label:
    case Kind::OptionButton:
    case Kind::CommandButton:
        break;
    }
    return control.caption;
}

QString cellQuantity(int cell)
{
    return optionCaption(cell / solver::kColumnCount) + QStringLiteral(": ")
        + QString::fromUtf16(kColumnSpoken[cell % solver::kColumnCount]);
}

QString helpText()
{
    return QString::fromUtf16(
        u"Правоъгълникът е равнинна геометрична фигура - успоредник с 4 прави ъгли. Всяка двойка срещулежащи страни са успоредни, а всяка двойка прилежащи страни са взаимно перпендикулярни.\r\n"
        u"Да се реализира проект, в който се осъществяват междупредметни връзки Математика и Информатика.\r\n"
        u"Тема на проекта: Математика - изчисляване на правоъгълник.\r\n"
        u"Чрез проекта да се изчисляват размерите на правоъгълник по зададени два параметъра от набора: дължина на страни, диагонал, периметър и лице на правоъгълник. \r\n"
        u"Съобразно избраната начална комбинация от параметри на потребителя да се разрешава/забранява въвеждането на другите параметри. \r\n"
        u"Да се използват радиобутони за определяне на началната комбинация от параметри и да се извеждат изчислени останалите три параметъра на правоъгълника.\r\n"
        u"Прочетете допълнителен материал за правоъгълник и връзката между параметри като: дължини на страни, диагонал, периметър и лице.\r\n"
        u"При извършване на тестови проверки можете да използвате данни за страни от вида питагорови тройки - 3,4,5.\r\n");
}

QString hiddenText()
{
    return QString::fromUtf16(
        u"Неприятното в това да си първият, направил нещо по \r\n"
        u"правилния начин, е, че никой не оценява колко трудно е \r\n"
        u"било. \r\n");
}

} // namespace layout
