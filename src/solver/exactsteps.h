// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "solver/exact.h"
#include "solver/steps.h"

#include <array>
#include <optional>

namespace solver {

// The exact value of each number a solve recorded, worked out from the given values as
// typed. A number has one only where it stays in the exact range and lies within the
// error bound of the double the solver computed (for a root: its square within that of
// the radicand); a value that misses its double is a fault and is dropped.
class ExactSteps
{
public:
    using Number = std::optional<exact::Value>;

    explicit ExactSteps(const Steps &steps);

    // Number i of step s, as Step::numbers orders them.
    const Number &at(int s, int i) const { return m_numbers[std::size_t(s)][std::size_t(i)]; }

    int checked() const { return m_checked; } // exact values that agreed with their doubles
    int faults() const { return m_faults; }   // exact values that did not

private:
    friend class ExactEvaluation;
    std::array<std::array<Number, 7>, Steps::kCapacity> m_numbers{};
    int m_checked = 0;
    int m_faults = 0;
};

} // namespace solver
