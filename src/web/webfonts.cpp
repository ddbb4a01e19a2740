// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCoreApplication>
#include <QFontDatabase>
#include <QString>

// The browser lends Qt none of its fonts; Qt brings only sans faces. The program
// carries Liberation Serif, made to Times New Roman's measures, which the window
// takes where Times New Roman is missing. Added as the application starts, before
// any window asks for a font.
namespace {

void addCellFaces()
{
    for (const char *face : {"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf"})
        QFontDatabase::addApplicationFont(QStringLiteral(":/quadrelon/fonts/") + QLatin1String(face));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(addCellFaces)
