// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "practice/problem.h"
#include "solver/exact.h"

#include <QString>

// Reading the pupil's answer and judging it against the exact value.
namespace practice {

// What the pupil typed, read: a decimal ("5,2", "5.196") or an exact form ("3√3",
// "3 √3", "√27", "sqrt(27)", "10/3", "10 : 3", "(5 − √5)/2", "2+√3", "3√3 : 2").
struct Reading
{
    bool ok = false;
    solver::exact::Value value;
    bool decimal = false;    // a plain decimal number
    int decimals = 0;        // of a decimal: the digits typed after its separator
    bool simplified = true;  // of an exact form: square-free radicands, no like terms,
                             // no factor left to cancel
    QString unread;          // when not ok: the part that could not be read
};
Reading readAnswer(const QString &text);

enum class Verdict : quint8 {
    Right,      // equal, or a decimal rounded to two or more places
    Almost,     // rounded to tenths or whole, or an exact form not simplified
    Wrong,
    Unreadable, // empty, letters, "3,5,6": no try
};

struct Check
{
    Verdict verdict = Verdict::Unreadable;
    // Scored as right. An almost-answer counts only on "Ниво 3 — корени" for an exact
    // form not simplified: that level asks for exact forms. A rounding to tenths or
    // to whole never counts: every level asks for hundredths or better.
    bool counts = false;
    // What the pupil reads: "вярно", "почти: до стотни е 5,20", "вярно; опростено е
    // 3√3", "грешно", "не се чете „,6“: напишете число като 5,2 или 3√3".
    QString message;
};

// The pupil's text for a quantity whose value is truth, at this level.
Check checkAnswer(const QString &text, const solver::exact::Value &truth, Level level);
// The same for one unknown column of a problem with a rectangle; the field's unit may
// follow the number ("5,2 см").
Check checkAnswer(const Problem &problem, int column, const QString &text);

} // namespace practice
