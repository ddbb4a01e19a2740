// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser edition's start: the browser lends Qt none of its fonts, and Qt brings
// only sans faces. The program carries Liberation Serif, made to Times New Roman's
// measures, which the window takes where Times New Roman is missing; it is added once
// the application is there and before the window asks for a font. On phones and
// tablets, taps and a held finger do what they do elsewhere there. The windows' keys
// leave the browser its own, and the title bars Qt draws end a long title with "…".
// The page's address stands for the command line: "?practice" opens "Упражнение".
#include "browser/browserkeys.h"
#include "browser/titlebars.h"
#include "commandline/commandline.h"
#include "form/touchhabits.h"
#include "practiceview/practiceaction.h"
#include "runtime/startup.h"

#include <QFontDatabase>
#include <QString>
#include <QUrlQuery>

#include <emscripten/val.h>

int main(int argc, char *argv[])
{
    commandline::Request request;
    const QString search = QString::fromStdString(emscripten::val::global("location")["search"].as<std::string>());
    if (QUrlQuery(search.mid(1)).hasQueryItem(QStringLiteral("practice")))
        request.action = commandline::Action::Practice;
    return runtime::runProgram(argc, argv, [request] {
        for (const char *face : {"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf"})
            QFontDatabase::addApplicationFont(QStringLiteral(":/quadrelon/fonts/") + QLatin1String(face));
        TouchHabits::install();
        TitleBars::install();
        browser::useBrowserKeysEverywhere();
        return practiceview::createStartWindow(request);
    });
}
