// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "practice/worksheet.h"

#include <QString>

class QPagedPaintDevice;

// The teacher's worksheet on paper: each section (a version's sheet, then each
// version's key) from a new page, the problems with room to work below each.
namespace practiceview {

// "Работен лист 4821": the document's title, and the file's name without ".pdf".
QString documentName(const practice::WorksheetOptions &options);

// Lays the sheet out on the device's pages. False when it cannot be painted on.
bool printWorksheet(const practice::Worksheet &sheet, QPagedPaintDevice *device);

// Writes the sheet as a PDF file. False when the file cannot be written, with the
// reason in *error ("Файлът не може да бъде записан. „/x/лист.pdf“: Permission denied").
bool writeWorksheetPdf(const practice::WorksheetOptions &options, const QString &path, QString *error);

} // namespace practiceview
