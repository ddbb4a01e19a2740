// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace solution {

// A line of the working that wraps only between steps, as a textbook breaks it: after
// the colon, semicolon or comma that ends a phrase or a value of a list, after "=" or
// "≈" in a formula that is no list, and between the words of the text around the
// formulas. Every other space becomes a no-break space and a
// hyphen inside a word is joined to what follows, so that no number, formula or word
// ("по-голяма") is split. A part longer than the whole line still wraps where it must.
QString keepFormulasTogether(const QString &line);

} // namespace solution
