// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/worksheet.h"

namespace practice {

QString Worksheet::plainText() const { return {}; }
Worksheet makeWorksheet(const WorksheetOptions &) { return {}; }
QString versionName(int) { return {}; }
std::optional<QList<int>> parseNumberList(const QString &, int, int, QString *) { return {}; }
std::optional<QList<Level>> parseLevels(const QString &, QString *) { return {}; }
std::optional<QList<int>> parseVariants(const QString &, QString *) { return {}; }
std::optional<int> parseCount(const QString &, int, int, QString *) { return {}; }
std::optional<solver::LengthUnit> parseUnit(const QString &, QString *) { return {}; }

} // namespace practice
