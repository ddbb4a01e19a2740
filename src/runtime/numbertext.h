// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Conversions between numbers and the texts in the cells.
//
// All of them use the user's regional settings, Qt's default locale, read anew at
// each call so that a change of the default takes effect at once.
namespace runtime {

// The number at the start of a text: leading blanks, an optional sign, digits with
// the locale's group separators between them, a decimal separator (the locale's, or
// a point unless the point groups digits there), more digits and an optional
// exponent. found, when given, tells whether the text starts with a number at all.
// Where the locale groups with a kind of space, an ordinary space, a
// no-break space and a narrow no-break space between two digits all group, so that
// "1 000" reads as 1000 as people write it. Reading stops at the first character
// that cannot continue the number; a text that starts with no number gives 0. A
// number too large for a double raises Overflow. Time is linear in the length of
// the text.
double readNumber(QStringView text, bool *found = nullptr);

struct NumberSeparators;

// Reads numbers exactly as readNumber() does, with the default locale as it was when
// the reader was made: for a run of reads that nothing can change the default in
// between, such as the two given values of one solve, it spares asking for the
// locale at each read.
class NumberReader
{
public:
    NumberReader();
    // found, when given, tells whether the text starts with a number at all.
    double read(QStringView text, bool *found = nullptr) const;

private:
    const NumberSeparators *m_separators;
};

// True when the whole text, blanks around it aside, is one number; the value then
// goes to *value. Used where a text must be a number (a string in arithmetic).
bool parseWholeNumber(QStringView text, double *value);

// The shortest text that reads back as exactly the same double.
QString plainText(double value);

// Exactly two decimals, rounded from the exact value of the double with halves away
// from zero, grouped and signed as the locale does it; never a negative zero.
QString twoDecimalText(double value);

// The text a given value is written back as, as a pupil writes it, so that reading it
// again changes nothing: where the value's plain decimal notation has at most 15
// significant digits, that notation, with two decimals where they are the value
// exactly ("3,00", "2,50"), else the shortest digits that read back as the same double
// ("1,125", "0,000001"); otherwise the text it was read from, typed, as it stands save
// a leading sign ("1e300"), or without one the shortest text of the double.
QString givenText(double value, QStringView typed = {});

// An exact decimal digit for digit: the whole part (ASCII digits) grouped as
// twoDecimalText() groups it, then, when there are any, the locale's decimal separator
// and every fraction digit; the locale's minus sign before a negative one.
QString decimalText(QByteArrayView wholeDigits, QByteArrayView fractionDigits, bool negative);

} // namespace runtime
