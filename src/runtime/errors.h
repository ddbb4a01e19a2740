// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <exception>

namespace runtime {

// Every run-time error the calculator can raise. Below 1000: failures of the
// arithmetic and of the window, shown with their number ("Грешка 11: Деление на
// нула."), which users quote when they ask for help, so a number once given never
// changes its meaning. From 1001: values that describe no rectangle, which are
// explanations for the pupil rather than failures and are shown without a number.
enum class ErrorCode : int {
    InvalidArgument = 5,     // square root of a negative number
    Overflow = 6,            // a result beyond the largest double or a 16-bit integer
    DivisionByZero = 11,
    TypeMismatch = 13,       // a text where a number is needed
    FloatingPoint = 16,      // the floating-point status check found an exception flag
    ControlFailure = 440,    // a control could not be reached
    PrintingUnavailable = 441, // the printing module is not installed
    FileNotWritten = 442,    // a file the user named could not be written
    SideUnderflow = 17,      // a side too small beside the other to be told from 0

    // The given values describe no real rectangle. Equality in the first four gives
    // a segment, which is no rectangle either; in the next three it gives a square.
    SideLongerThanDiagonal = 1001,      // a given side not shorter than the diagonal
    GivenValueZero = 1002,              // a given value is 0; the detail names it
    SideLongerThanHalfPerimeter = 1003, // a given side not shorter than P : 2
    DiagonalLongerThanHalfPerimeter = 1004, // the diagonal not shorter than P : 2
    DiagonalTooShortForPerimeter = 1005,
    AreaTooLargeForDiagonal = 1006,
    AreaTooLargeForPerimeter = 1007,
    NoSidesForSumAndProduct = 1008, // no two real numbers have this sum and product
    NoNumberGiven = 1009,           // a given cell holds no number; the detail names it
};

// Which quantities an error is about, as a set of bits 1 << column (a, b, d, P, S).
using Quantities = unsigned;
inline constexpr Quantities quantity(int column) { return 1u << column; }

// True for the errors that explain why the values describe no rectangle.
constexpr bool explainsNoRectangle(ErrorCode code)
{
    return static_cast<int>(code) > 1000;
}

// The Bulgarian text that tells the user what went wrong; for the errors about
// particular quantities, about those.
QString errorMessage(ErrorCode code, Quantities about = 0);

class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(ErrorCode code, Quantities about = 0) noexcept : m_code(code), m_about(about) {}

    ErrorCode code() const noexcept { return m_code; }
    Quantities about() const noexcept { return m_about; }
    int number() const noexcept { return static_cast<int>(m_code); }
    QString message() const { return errorMessage(m_code, m_about); }
    const char *what() const noexcept override;

private:
    ErrorCode m_code;
    Quantities m_about;
};

[[noreturn]] void raise(ErrorCode code, Quantities about = 0);

} // namespace runtime
