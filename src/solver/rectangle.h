// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/variant.h"

#include <QString>

#include <array>

namespace solver {

class Steps;
using runtime::Variant;

inline constexpr int kVariantCount = 10;
inline constexpr int kColumnCount = 5;
inline constexpr int kCellCount = kVariantCount * kColumnCount;

// Columns of the grid, in order.
enum Column : int { SideA = 0, SideB = 1, Diagonal = 2, Perimeter = 3, Area = 4 };

// The two quantities each variant gives, the lower column first.
inline constexpr std::array<std::array<int, 2>, kVariantCount> kGivenColumns{{
    {SideA, SideB},        // 1: a, b
    {SideA, Diagonal},     // 2: a, d
    {SideA, Perimeter},    // 3: a, P
    {SideA, Area},         // 4: a, S
    {SideB, Diagonal},     // 5: b, d
    {SideB, Perimeter},    // 6: b, P
    {SideB, Area},         // 7: b, S
    {Diagonal, Perimeter}, // 8: d, P
    {Diagonal, Area},      // 9: d, S
    {Perimeter, Area},     // 10: P, S
}};

// A given cell takes typing; the other three cells of a row only show results.
constexpr bool isGivenCell(int cell)
{
    const auto &given = kGivenColumns[cell / kColumnCount];
    return cell % kColumnCount == given[0] || cell % kColumnCount == given[1];
}

// The values the form keeps for the sum-and-product solve between calculations.
struct FormValues
{
    Variant SideOne;       // the smaller of the two sides
    Variant SideTwo;       // HalfPerimeter - SideOne
    Variant HalfPerimeter; // the sum of the two sides
    double AreaValue = 0.0; // their product
};

// The calculate command's five working values.
struct WorkingValues
{
    Variant a, b, d, P, S;
};

// Where the given values come from: the form's cells in the program, plain texts in
// tests and benchmarks.
class CellTexts
{
public:
    virtual ~CellTexts() = default;
    virtual QString text(qint16 cell) const = 0;
};

// Finds SideOne <= SideTwo with sum HalfPerimeter and product AreaValue. A product
// too large for the quadratic raises FloatingPoint with both sides unchanged; a sum
// and product that no real sides have raise NoSidesForSumAndProduct.
void ComputeSides(FormValues &form, Steps *steps = nullptr);

// Reads the selected variant's two given cells and computes all five quantities.
// Values that describe no rectangle raise an error that says why. Given steps, it
// records there each value as it computes it, and the error that ended it.
void SolveVariant(const Variant &SelectedVariant, const CellTexts &cells, FormValues &form,
                  WorkingValues &out, Steps *steps = nullptr);

} // namespace solver
