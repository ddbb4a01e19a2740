// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser edition's start: the browser lends Qt none of its fonts, and Qt brings
// only sans faces. The program carries Liberation Serif, made to Times New Roman's
// measures, which the window takes where Times New Roman is missing; it is added once
// the application is there and before the window asks for a font. On phones and
// tablets, taps and a held finger do what they do elsewhere there. The window's keys
// leave the browser its own, and the title bars Qt draws end a long title with "…".
#include "browser/browserkeys.h"
#include "browser/titlebars.h"
#include "form/quadrelon.h"
#include "form/touchhabits.h"
#include "runtime/startup.h"
#include "solution/solutionaction.h"

#include <QFontDatabase>
#include <QString>

int main(int argc, char *argv[])
{
    return runtime::runProgram(argc, argv, [] {
        for (const char *face : {"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf"})
            QFontDatabase::addApplicationFont(QStringLiteral(":/quadrelon/fonts/") + QLatin1String(face));
        TouchHabits::install();
        TitleBars::install();
        auto calculator = std::make_unique<Quadrelon>();
        SolutionAction::attach(*calculator);
        browser::useBrowserKeys(*calculator);
        return calculator;
    });
}
