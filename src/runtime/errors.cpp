// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/errors.h"

#include <QStringList>

namespace runtime {

namespace {

// A formula never breaks across lines in the message box, nor a word at its hyphen:
// no-break spaces around signs and a word joiner after each hyphen, where Qt would
// otherwise break a line. Conditions are written as the working writes them.
const QString kNoRectangle = QStringLiteral("Няма правоъгълник с тези стойности: ");

// "по-голяма", "по-къс": the comparative with a joiner after its hyphen.
QString more(const char16_t *adjective)
{
    return QStringLiteral("по-\u2060") + QString::fromUtf16(adjective);
}

// What a given quantity must be: "страната a трябва да е по-голяма от 0 (a > 0)".
QString positive(int column)
{
    static const char16_t *const kSubjects[] = {u"страната a", u"страната b", u"диагоналът",
                                                u"периметърът", u"лицето"};
    static const char16_t *const kAdjectives[] = {u"голяма", u"голяма", u"голям", u"голям",
                                                  u"голямо"};
    static const char16_t *const kLetters[] = {u"a", u"b", u"d", u"P", u"S"};
    return QString::fromUtf16(kSubjects[column]) + QStringLiteral(" трябва да е ")
        + more(kAdjectives[column]) + QStringLiteral(" от 0 (")
        + QString::fromUtf16(kLetters[column]) + QStringLiteral("\u00A0>\u00A00)");
}

// "страната a", "диагонала d и периметъра P": the quantities that got no number.
QString notGiven(Quantities about)
{
    static const char16_t *const kNames[] = {u"страната a", u"страната b", u"диагонала d",
                                             u"периметъра P", u"лицето S"};
    QStringList names;
    for (int column = 0; column < 5; ++column) {
        if (about & quantity(column))
            names << QString::fromUtf16(kNames[column]);
    }
    if (names.size() > 1)
        return QStringLiteral("Не са въведени числа за ") + names.join(QStringLiteral(" и ")) + u'.';
    return QStringLiteral("Не е въведено число за ") + names.value(0) + u'.';
}

} // namespace

QString errorMessage(ErrorCode code, Quantities about)
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
    case ErrorCode::FileNotWritten:
        return QStringLiteral("Файлът не може да бъде записан.");
    case ErrorCode::SideUnderflow:
        return QStringLiteral("Загуба на точност: едната страна е толкова ") + more(u"малка")
            + QStringLiteral(" от другата, че при изчислението излиза 0.");
    case ErrorCode::SideLongerThanDiagonal:
        return kNoRectangle + QStringLiteral("страната трябва да е ") + more(u"къса")
            + QStringLiteral(" от диагонала (трябва страна\u00A0<\u00A0d).");
    case ErrorCode::GivenValueZero: {
        QStringList musts;
        for (int column = 0; column < 5; ++column) {
            if (about & quantity(column))
                musts << positive(column);
        }
        if (musts.isEmpty())
            musts << QStringLiteral("страните трябва да са ") + more(u"големи") + QStringLiteral(" от 0");
        return kNoRectangle + musts.join(QStringLiteral("; ")) + u'.';
    }
    case ErrorCode::SideLongerThanHalfPerimeter:
        return kNoRectangle + QStringLiteral("страната трябва да е ") + more(u"къса")
            + QStringLiteral(" от половината от периметъра (трябва страна\u00A0<\u00A0P\u00A0:\u00A02).");
    case ErrorCode::DiagonalLongerThanHalfPerimeter:
        return kNoRectangle + QStringLiteral("диагоналът трябва да е ") + more(u"къс")
            + QStringLiteral(" от половината от периметъра (трябва d\u00A0<\u00A0P\u00A0:\u00A02).");
    case ErrorCode::DiagonalTooShortForPerimeter:
        return kNoRectangle + QStringLiteral("диагоналът е твърде къс за този периметър; "
                                             "най-\u2060късият е диагоналът на квадрата "
                                             "(трябва d\u00A0≥\u00A0P\u00A0:\u00A0(2√2)).");
    case ErrorCode::AreaTooLargeForDiagonal:
        return kNoRectangle + QStringLiteral("при този диагонал лицето е най-\u2060много лицето "
                                             "на квадрата (трябва S\u00A0≤\u00A0d²\u00A0:\u00A02).");
    case ErrorCode::AreaTooLargeForPerimeter:
        return kNoRectangle + QStringLiteral("при този периметър лицето е най-\u2060много лицето "
                                             "на квадрата (трябва S\u00A0≤\u00A0P²\u00A0:\u00A016).");
    case ErrorCode::NoSidesForSumAndProduct:
        return kNoRectangle + QStringLiteral("няма две страни с такава сума и такова произведение.");
    case ErrorCode::NoNumberGiven:
        return notGiven(about);
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

void raise(ErrorCode code, Quantities about)
{
    throw RuntimeError(code, about);
}

} // namespace runtime
