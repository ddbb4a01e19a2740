// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/libcxx_fallback.h"

#if defined(__EMSCRIPTEN__) && !defined(__cpp_lib_to_chars)

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace std {

namespace {

to_chars_result copied(char *first, char *last, const string &text)
{
    if (text.size() > size_t(last - first))
        return {last, errc::value_too_large};
    memcpy(first, text.data(), text.size());
    return {first + text.size(), errc()};
}

string printed(const char *format, int precision, double value)
{
    const int size = snprintf(nullptr, 0, format, precision, value);
    string text(size_t(size) + 1, '\0');
    snprintf(text.data(), text.size(), format, precision, value);
    text.resize(size_t(size));
    return text;
}

} // namespace

from_chars_result from_chars(const char *first, const char *last, double &value, chars_format)
{
    // strtod also takes what from_chars refuses: blanks, a plus and hexadecimal.
    string text(first, last);
    const size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == sign || text[sign] == '+' || isspace(static_cast<unsigned char>(text[sign])))
        return {first, errc::invalid_argument};
    if (text.size() > sign + 1 && text[sign] == '0' && (text[sign + 1] | 0x20) == 'x')
        text.resize(sign + 1); // the 0 alone
    char *end = nullptr;
    errno = 0;
    const double read = strtod(text.c_str(), &end);
    if (end == text.c_str())
        return {first, errc::invalid_argument};
    const char *ptr = first + (end - text.c_str());
    // A tiny result that still has digits is no error; only one that became 0 or infinite.
    if (errno == ERANGE && (read == 0.0 || isinf(read)))
        return {ptr, errc::result_out_of_range};
    value = read;
    return {ptr, errc()};
}

namespace {

// The fewest significant digits that read back as the value, in %e's notation.
string shortestScientific(double value)
{
    string scientific;
    for (int precision = 0; precision < 17; ++precision) {
        scientific = printed("%.*e", precision, value);
        if (strtod(scientific.c_str(), nullptr) == value)
            break;
    }
    return scientific;
}

// The same digits without an exponent; a whole number with its exact digits, as
// printf writes them.
string shortestFixed(double value, const string &scientific)
{
    const size_t e = scientific.find('e');
    const int exponent = atoi(scientific.c_str() + e + 1);
    const bool negative = value < 0.0;
    string digits = scientific.substr(negative, e - negative);
    digits.erase(remove(digits.begin(), digits.end(), '.'), digits.end());
    const int count = int(digits.size());
    const int before = exponent + 1; // digits before the point
    string fixed;
    if (before <= 0)
        fixed = "0." + string(size_t(-before), '0') + digits;
    else if (before < count)
        fixed = digits.substr(0, size_t(before)) + '.' + digits.substr(size_t(before));
    else
        fixed = printed("%.*f", 0, fabs(value));
    if (negative)
        fixed.insert(0, 1, '-');
    return fixed;
}

} // namespace

to_chars_result to_chars(char *first, char *last, double value)
{
    if (!isfinite(value) || value == 0.0)
        return copied(first, last, printed("%.*g", 1, value));
    const string scientific = shortestScientific(value);
    const string fixed = shortestFixed(value, scientific);
    // Fixed on a tie, as the standard call does.
    return copied(first, last, fixed.size() <= scientific.size() ? fixed : scientific);
}

to_chars_result to_chars(char *first, char *last, double value, chars_format format)
{
    if (format == chars_format::general || !isfinite(value))
        return to_chars(first, last, value);
    if (value == 0.0)
        return copied(first, last, format == chars_format::fixed ? printed("%.*f", 0, value)
                                                                  : printed("%.*e", 0, value));
    const string scientific = shortestScientific(value);
    return copied(first, last, format == chars_format::fixed ? shortestFixed(value, scientific) : scientific);
}

to_chars_result to_chars(char *first, char *last, double value, chars_format format, int precision)
{
    const char *pattern = format == chars_format::fixed        ? "%.*f"
                          : format == chars_format::scientific ? "%.*e"
                                                                : "%.*g";
    return copied(first, last, printed(pattern, precision, value));
}

} // namespace std

#endif
