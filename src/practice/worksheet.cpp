// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/worksheet.h"

#include "practice/draw.h"
#include "solver/rectangle.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace practice {

namespace {

// The Bulgarian locale as the default while a worksheet is written.
class BulgarianNumbers
{
public:
    BulgarianNumbers() { QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria)); }
    ~BulgarianNumbers() { QLocale::setDefault(m_saved); }
    BulgarianNumbers(const BulgarianNumbers &) = delete;
    BulgarianNumbers &operator=(const BulgarianNumbers &) = delete;

private:
    QLocale m_saved;
};

// The key's line for a problem: each unknown exact and in decimals, or the condition
// that leaves no rectangle.
QString keyOf(const Problem &problem)
{
    if (!problem.hasRectangle())
        return u"няма такъв правоъгълник: "_s + problem.failedCondition();
    QStringList answers;
    for (const int column : problem.unknowns())
        answers << problem.answer(column);
    return answers.join(u"; "_s);
}

// The problems of one version: the levels in equal shares, easiest first, each
// problem different from the others of the version.
QList<Problem> problemsOf(const WorksheetOptions &options, int version)
{
    QList<Level> levels = options.settings.levels;
    if (levels.isEmpty())
        levels = {Level::Whole, Level::Decimal, Level::Roots};
    Draw draw(Draw(options.seed).next() ^ (quint64(version) << 32));
    QList<Problem> problems;
    for (int i = 0; i < options.problems; ++i) {
        Settings settings = options.settings;
        settings.levels = {levels[qsizetype(i * levels.size() / options.problems)]};
        Problem problem;
        for (int attempt = 0; attempt < 50; ++attempt) {
            problem = makeProblem(quint32(1 + draw.below(kMaxNumber)), settings);
            if (std::none_of(problems.begin(), problems.end(),
                             [&](const Problem &p) { return p.sameAs(problem); }))
                break;
        }
        problems << problem;
    }
    return problems;
}

Paragraph paragraph(Paragraph::Kind kind, const QString &text, int number = 0)
{
    return Paragraph{kind, number ? u"%1. "_s.arg(number) + text : text, number};
}

} // namespace

QString versionName(int index)
{
    static const QString kLetters = u"АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЮЯ"_s;
    return u"Група "_s + (index >= 0 && index < kLetters.size() ? QString(kLetters[index])
                                                               : QString::number(index + 1));
}

Worksheet makeWorksheet(const WorksheetOptions &options)
{
    const BulgarianNumbers bulgarian;
    Worksheet sheet;
    QList<Section> keys;
    const QString seed = u"Лист № %1"_s.arg(options.seed);
    for (int version = 0; version < options.versions; ++version) {
        const QList<Problem> problems = problemsOf(options, version);
        Section page{Section::Kind::Sheet, versionName(version), {}};
        Section key{Section::Kind::Key, page.version, {}};
        page.paragraphs << paragraph(Paragraph::Kind::Title, u"Работен лист"_s)
                        << paragraph(Paragraph::Kind::Version, page.version)
                        << paragraph(Paragraph::Kind::Seed, seed)
                        << paragraph(Paragraph::Kind::NameLine,
                                     u"Име: ______ Клас: ______ Дата: ______"_s);
        key.paragraphs << paragraph(Paragraph::Kind::Title, u"Отговори"_s)
                       << paragraph(Paragraph::Kind::Version, page.version)
                       << paragraph(Paragraph::Kind::Seed, seed);
        for (int i = 0; i < problems.size(); ++i) {
            page.paragraphs << paragraph(Paragraph::Kind::Problem, problems[i].statement(), i + 1);
            key.paragraphs << paragraph(Paragraph::Kind::Answer, keyOf(problems[i]), i + 1);
        }
        sheet.sections << page;
        keys << key;
    }
    sheet.sections << keys;
    return sheet;
}

QString Worksheet::plainText() const
{
    QString text;
    for (qsizetype i = 0; i < sections.size(); ++i) {
        if (i > 0)
            text += u'\f';
        for (const Paragraph &p : sections[i].paragraphs)
            text += p.text + u'\n';
    }
    return text.replace(QChar(u'\u00a0'), u' ').remove(QChar(u'\u2060'));
}

namespace {

std::optional<int> wholeNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || !std::all_of(trimmed.begin(), trimmed.end(),
                                          [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString outside(const QString &text, int first, int last)
{
    return u"„%1“ е извън границите от %2 до %3"_s.arg(text.trimmed()).arg(first).arg(last);
}

} // namespace

std::optional<QList<int>> parseNumberList(const QString &text, int first, int last, QString *error)
{
    QString why;
    QList<int> numbers;
    if (text.trimmed().isEmpty())
        why = u"празен списък; пример: 1,3,5-7"_s;
    const QStringList items = text.split(u',');
    for (qsizetype i = 0; why.isEmpty() && i < items.size(); ++i) {
        QString item = items[i];
        item.replace(u'–', u'-');
        const QStringList ends = item.split(u'-');
        if (item.trimmed().isEmpty()) {
            why = u"празно място в списъка „%1“; пример: 1,3,5-7"_s.arg(text.trimmed());
            break;
        }
        if (ends.size() > 2) {
            why = u"„%1“ не е число или обхват; пример: 1,3,5-7"_s.arg(item.trimmed());
            break;
        }
        const std::optional<int> from = wholeNumber(ends[0]);
        const std::optional<int> to = wholeNumber(ends.value(ends.size() - 1));
        if (!from || !to) {
            why = u"„%1“ не е число или обхват; пример: 1,3,5-7"_s.arg(item.trimmed());
        } else if (*from < first || *from > last) {
            why = outside(ends[0], first, last);
        } else if (*to < first || *to > last) {
            why = outside(ends.value(1), first, last);
        } else if (*from > *to) {
            why = u"„%1“: началото е след края"_s.arg(item.trimmed());
        } else {
            for (int n = *from; n <= *to; ++n)
                numbers << n;
        }
    }
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return std::nullopt;
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

std::optional<QList<Level>> parseLevels(const QString &text, QString *error)
{
    const std::optional<QList<int>> numbers = parseNumberList(text, 1, kLevelCount, error);
    if (!numbers)
        return std::nullopt;
    QList<Level> levels;
    for (const int n : *numbers)
        levels << Level(n);
    return levels;
}

std::optional<QList<int>> parseVariants(const QString &text, QString *error)
{
    return parseNumberList(text, 1, solver::kVariantCount, error);
}

std::optional<int> parseCount(const QString &text, int first, int last, QString *error)
{
    const std::optional<int> value = wholeNumber(text);
    if (value && *value >= first && *value <= last)
        return value;
    if (error) {
        *error = value || text.trimmed().size() > 9 ? outside(text, first, last)
                                                    : u"„%1“ не е цяло число"_s.arg(text.trimmed());
    }
    return std::nullopt;
}

std::optional<solver::LengthUnit> parseUnit(const QString &text, QString *error)
{
    using solver::LengthUnit;
    const QString unit = text.trimmed().toLower();
    static const std::pair<const char16_t *, LengthUnit> kUnits[] = {
        {u"", LengthUnit::None},           {u"няма", LengthUnit::None},
        {u"мм", LengthUnit::Millimetre},   {u"mm", LengthUnit::Millimetre},
        {u"см", LengthUnit::Centimetre},   {u"cm", LengthUnit::Centimetre},
        {u"дм", LengthUnit::Decimetre},    {u"dm", LengthUnit::Decimetre},
        {u"м", LengthUnit::Metre},         {u"m", LengthUnit::Metre},
        {u"км", LengthUnit::Kilometre},    {u"km", LengthUnit::Kilometre},
    };
    for (const auto &[name, value] : kUnits) {
        if (unit == QStringView(name))
            return value;
    }
    if (error)
        *error = u"„%1“ не е мярка за дължина; мерките са мм, см, дм, м, км"_s.arg(text.trimmed());
    return std::nullopt;
}

} // namespace practice
