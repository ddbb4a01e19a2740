#include "runtime/errors.h"

namespace runtime {

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
    case ErrorCode::SideLongerThanDiagonal:
        return QStringLiteral("Няма правоъгълник с тези стойности: страната не може да е "
                              "по-дълга от диагонала (трябва страна ≤ d).");
    case ErrorCode::SideZeroWithArea:
        return QStringLiteral("Няма правоъгълник с тези стойности: от лицето не може да се "
                              "намери другата страна, когато дадената страна е 0 "
                              "(трябва страна > 0).");
    case ErrorCode::SideLongerThanHalfPerimeter:
        return QStringLiteral("Няма правоъгълник с тези стойности: страната не може да е "
                              "по-дълга от половината периметър (трябва страна ≤ P/2).");
    case ErrorCode::DiagonalLongerThanHalfPerimeter:
        return QStringLiteral("Няма правоъгълник с тези стойности: диагоналът не може да е "
                              "по-дълъг от половината периметър (трябва d ≤ P/2).");
    case ErrorCode::DiagonalTooShortForPerimeter:
        return QStringLiteral("Няма правоъгълник с тези стойности: диагоналът е твърде къс "
                              "за този периметър; най-късият е диагоналът на квадрата "
                              "(трябва d ≥ P/(2√2)).");
    case ErrorCode::AreaTooLargeForDiagonal:
        return QStringLiteral("Няма правоъгълник с тези стойности: при този диагонал лицето "
                              "е най-много лицето на квадрата (трябва S ≤ d²/2).");
    case ErrorCode::AreaTooLargeForPerimeter:
        return QStringLiteral("Няма правоъгълник с тези стойности: при този периметър лицето "
                              "е най-много лицето на квадрата (трябва S ≤ P²/16).");
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
