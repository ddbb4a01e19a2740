// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "practice/problem.h"
#include "solver/working.h"

#include <QList>
#include <QString>

#include <optional>

// The teacher's worksheets as structured text: one section per version ("Група А",
// "Група Б", …), then the answer key, one section per version. Whoever renders it
// starts each section on a new page.
namespace practice {

struct WorksheetOptions
{
    static constexpr int kMaxProblems = 60;
    static constexpr int kMaxVersions = 26; // the letters "А" to "Я" without Й, Ъ, Ь
    static constexpr quint32 kMaxSeed = 999'999'999;

    int problems = 12;
    int versions = 1;
    // The problems of a version go from the first level to the last, in equal shares.
    Settings settings{{Level::Whole, Level::Decimal, Level::Roots}, {}, false,
                      solver::LengthUnit::Centimetre};
    quint32 seed = 1;
};

struct Paragraph
{
    enum class Kind : quint8 {
        Title,    // "Работен лист"; in the key "Отговори"
        Version,  // "Група А"
        Seed,     // "Лист № 4821"
        NameLine, // "Име: ______ Клас: ______ Дата: ______"
        Problem,  // "3. Правоъгълник има …": a problem, room to work after it
        Answer,   // "3. b = 3√3 см ≈ 5,20 см; P = …"
    };
    Kind kind = Kind::Problem;
    QString text;    // no-break spaces keep each "a = 3 см" on one line
    int number = 0;  // of a problem or an answer: 1, 2, …; its text starts "3. "
};

struct Section
{
    enum class Kind : quint8 { Sheet, Key };
    Kind kind = Kind::Sheet;
    QString version; // "Група А"
    QList<Paragraph> paragraphs;
};

struct Worksheet
{
    QList<Section> sections; // the sheets in order, then the key of each

    // Every paragraph on a line of its own, a form feed before each section but the
    // first, no-break spaces as spaces and word joiners left out: what the printed
    // sheet reads, for comparing.
    QString plainText() const;
};

// The worksheets for these options. Numbers are written in the Bulgarian locale,
// whatever the default, so the same options give the same text everywhere.
Worksheet makeWorksheet(const WorksheetOptions &options);

// "Група А", "Група Б", … for index 0, 1, …
QString versionName(int index);

// The command line's lists: "1,2,3", "1-10", "1,3,5-7", spaces allowed around the
// commas. Sorted, each number once. On a bad list, nothing, and *error says why in
// Bulgarian: "„11“ е извън границите от 1 до 10".
std::optional<QList<int>> parseNumberList(const QString &text, int first, int last,
                                          QString *error);
std::optional<QList<Level>> parseLevels(const QString &text, QString *error);
std::optional<QList<int>> parseVariants(const QString &text, QString *error);
// A whole number from first to last: --problems, --versions, --seed.
std::optional<int> parseCount(const QString &text, int first, int last, QString *error);
// "мм", "см", "дм", "м", "км" (or mm, cm, dm, m, km), "" or "няма" for none.
std::optional<solver::LengthUnit> parseUnit(const QString &text, QString *error);

} // namespace practice
