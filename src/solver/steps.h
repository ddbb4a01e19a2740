// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/errors.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <initializer_list>

namespace solver {

// The formula a step applied. The comment lists the numbers a step of that kind
// holds, in order; the last one is always the value it gave.
enum class Formula : quint8 {
    Given,                // the value read from the cell
    Diagonal,             // a, b, a² + b², √(a² + b²)
    OtherFromDiagonal,    // d, side, d² − side², √(d² − side²)
    OtherFromPerimeter,   // P, side, P : 2, P : 2 − side
    OtherFromArea,        // S, side, S : side
    Perimeter,            // a, b, a + b, 2(a + b)
    Area,                 // a, b, a · b
    SumFromPerimeter,     // P, a + b = P : 2
    ProductFromDiagonal,  // d, P, P², P² : 4, d², P² : 4 − d², a · b = (P² : 4 − d²) : 2
    SumFromDiagonal,      // d, S, d², 2S, d² + 2S, a + b = √(d² + 2S)
    ProductIsArea,        // S, a · b = S
    Discriminant,         // a + b, a · b, (a + b)², 4 · a · b, their difference, D as solved
                          // (a difference a rounding error below 0 is solved as 0)
    SmallerRoot,          // a + b, D, √D, (a + b − √D) : 2
    LargerRoot,           // a + b, the smaller root, a + b − the smaller root
};

// Where a step's value went: a column of the row, the sum or product of the sides, or
// the discriminant of the equation they solve.
enum class Target : qint8 { A = 0, B = 1, D = 2, P = 3, S = 4, Sum = 5, Product = 6, Discriminant = 7 };

struct Step
{
    Formula formula = Formula::Given;
    Target target = Target::A;
    quint8 count = 0;
    std::array<double, 7> numbers{};

    double value() const { return count ? numbers[count - 1u] : 0.0; }
};

// What one solve computed, step by step, with the very doubles it computed; when it
// failed, also the error that ended it. The solver fills it only when given one.
class Steps
{
public:
    static constexpr int kCapacity = 12;

    int variant = -1;
    bool failed = false;
    runtime::ErrorCode error = runtime::ErrorCode::Overflow;
    runtime::Quantities about = 0; // the quantities the error is about, if any

    void add(Formula formula, Target target, std::initializer_list<double> numbers)
    {
        if (m_count == kCapacity)
            return;
        Step &step = m_steps[std::size_t(m_count++)];
        step.formula = formula;
        step.target = target;
        step.count = quint8(std::min<std::size_t>(numbers.size(), step.numbers.size()));
        std::copy_n(numbers.begin(), step.count, step.numbers.begin());
    }

    int count() const { return m_count; }
    const Step &operator[](int i) const { return m_steps[std::size_t(i)]; }
    const Step *begin() const { return m_steps.data(); }
    const Step *end() const { return m_steps.data() + m_count; }

    // The last step that gave a value to target, or nullptr.
    const Step *find(Target target) const
    {
        for (int i = m_count - 1; i >= 0; --i) {
            if (m_steps[std::size_t(i)].target == target)
                return &m_steps[std::size_t(i)];
        }
        return nullptr;
    }

private:
    std::array<Step, kCapacity> m_steps{};
    int m_count = 0;
};

} // namespace solver
