// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <exception>

namespace runtime {

// Every run-time error the calculator can raise. The numeric values are the error
// numbers shown to the user ("Грешка 11: Деление на нула."): users quote them when
// they ask for help and the tests check them, so a number once given never changes
// its meaning. Below 1000: failures of the arithmetic and of the window; from 1001:
// values that describe no rectangle.
enum class ErrorCode : int {
    InvalidArgument = 5,     // square root of a negative number
    Overflow = 6,            // a result beyond the largest double or a 16-bit integer
    DivisionByZero = 11,
    TypeMismatch = 13,       // a text where a number is needed
    FloatingPoint = 16,      // the floating-point status check found an exception flag
    ControlFailure = 440,    // a control could not be reached
    PrintingUnavailable = 441, // the printing module is not installed

    // The given values describe no real rectangle.
    SideLongerThanDiagonal = 1001,
    SideZeroWithArea = 1002,
    SideLongerThanHalfPerimeter = 1003,
    DiagonalLongerThanHalfPerimeter = 1004,
    DiagonalTooShortForPerimeter = 1005,
    AreaTooLargeForDiagonal = 1006,
    AreaTooLargeForPerimeter = 1007,
    NoSidesForSumAndProduct = 1008, // no two real numbers have this sum and product
};

// The Bulgarian text that tells the user what went wrong.
QString errorMessage(ErrorCode code);

class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(ErrorCode code) noexcept : m_code(code) {}

    ErrorCode code() const noexcept { return m_code; }
    int number() const noexcept { return static_cast<int>(m_code); }
    QString message() const { return errorMessage(m_code); }
    const char *what() const noexcept override;

private:
    ErrorCode m_code;
};

[[noreturn]] void raise(ErrorCode code);

} // namespace runtime
