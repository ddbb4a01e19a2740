// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/quadrelon.h"
#include "runtime/startup.h"
#include "solution/solutionaction.h"

int main(int argc, char *argv[])
{
    return runtime::runProgram(argc, argv, [] {
        auto calculator = std::make_unique<Quadrelon>();
        SolutionAction::attach(*calculator);
        return calculator;
    });
}
