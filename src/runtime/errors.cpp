// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/errors.h"

namespace runtime {

// A formula never breaks across lines in the message box: no-break spaces around its
// signs, and a word joiner after each slash, where Qt would otherwise break a line.
QString errorMessage(ErrorCode code)
{
    switch (code) {
    case ErrorCode::InvalidArgument:
        return QStringLiteral("Невалиден аргумент: корен квадратен от отрицателно число.");
    case ErrorCode::Overflow:
        return QStringLiteral("Препълване: резултатът е твърде голямо число.");
    case ErrorCode::DivisionByZero:
        return QStringLiteral("Деление на нула.");
    case ErrorCode::TypeMismatch:
        return QStringLiteral("Несъответствие на типовете: очаква се число.");
    case ErrorCode::FloatingPoint:
        return QStringLiteral("Грешка при изчисление с плаваща запетая: "
                              "стойността е твърде голяма.");
    case ErrorCode::ControlFailure:
        return QStringLiteral("Грешка при достъп до елемент на прозореца.");
    case ErrorCode::PrintingUnavailable:
        return QStringLiteral("Печатът не е достъпен: модулът за печат не е инсталиран.");
    case ErrorCode::SideLongerThanDiagonal:
        return QStringLiteral("Няма правоъгълник с тези стойности: страната не може да е "
                              "по-дълга от диагонала (трябва страна\u00A0≤\u00A0d).");
    case ErrorCode::SideZeroWithArea:
        return QStringLiteral("Няма правоъгълник с тези стойности: от лицето не може да се "
                              "намери другата страна, когато дадената страна е 0 "
                              "(трябва страна\u00A0>\u00A00).");
    case ErrorCode::SideLongerThanHalfPerimeter:
        return QStringLiteral("Няма правоъгълник с тези стойности: страната не може да е "
                              "по-дълга от половината от периметъра (трябва страна\u00A0≤\u00A0P/\u20602).");
    case ErrorCode::DiagonalLongerThanHalfPerimeter:
        return QStringLiteral("Няма правоъгълник с тези стойности: диагоналът не може да е "
                              "по-дълъг от половината от периметъра (трябва d\u00A0≤\u00A0P/\u20602).");
    case ErrorCode::DiagonalTooShortForPerimeter:
        return QStringLiteral("Няма правоъгълник с тези стойности: диагоналът е твърде къс "
                              "за този периметър; най-късият е диагоналът на квадрата "
                              "(трябва d\u00A0≥\u00A0P/\u2060(2√2)).");
    case ErrorCode::AreaTooLargeForDiagonal:
        return QStringLiteral("Няма правоъгълник с тези стойности: при този диагонал лицето "
                              "е най-много лицето на квадрата (трябва S\u00A0≤\u00A0d²/\u20602).");
    case ErrorCode::AreaTooLargeForPerimeter:
        return QStringLiteral("Няма правоъгълник с тези стойности: при този периметър лицето "
                              "е най-много лицето на квадрата (трябва S\u00A0≤\u00A0P²/\u206016).");
    case ErrorCode::NoSidesForSumAndProduct:
        return QStringLiteral("Няма правоъгълник с тези стойности: няма две страни с такава "
                              "сума и такова произведение.");
    }
    return QStringLiteral("Неочаквана грешка.");
}

const char *RuntimeError::what() const noexcept
{
    switch (m_code) {
    case ErrorCode::Overflow: return "overflow";
    case ErrorCode::DivisionByZero: return "division by zero";
    case ErrorCode::InvalidArgument: return "invalid argument";
    default: return "run-time error";
    }
}

void raise(ErrorCode code)
{
    throw RuntimeError(code);
}

} // namespace runtime
