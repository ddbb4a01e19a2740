// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline/commandline.h"
#include "practiceview/practiceaction.h"
#include "runtime/startup.h"

int main(int argc, char *argv[])
{
    // Read before the application exists: --help and a worksheet written to a file
    // need no screen.
    const commandline::Request request = commandline::parse(commandline::fromArgv(argc, argv));
    if (request.action == commandline::Action::Exit) {
        commandline::print(request);
        return request.status;
    }
    if (commandline::needsNoScreen(request)) {
        return runtime::runTask(argc, argv,
                                [&request] { return practiceview::writeWorksheetFile(request.worksheet); });
    }
    return runtime::runProgram(argc, argv, [&request] { return practiceview::createStartWindow(request); });
}
