// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline/commandline.h"

#include "quadrelon_config.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRandomGenerator>

#include <cstdio>

#if defined(Q_OS_WIN)
#include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace commandline {

namespace {

const QString kProgram = u"quadrelon"_s;

// The options of every Qt program, which the application reads itself; listed so that
// they are not taken for unknown ones.
const QStringList kQtValueOptions{u"platform"_s,  u"platformpluginpath"_s, u"platformtheme"_s,
                                  u"plugin"_s,    u"qmljsdebugger"_s,      u"qwindowgeometry"_s,
                                  u"qwindowicon"_s, u"qwindowtitle"_s,     u"session"_s,
                                  u"display"_s,   u"geometry"_s,           u"title"_s,
                                  u"name"_s,      u"style"_s,              u"stylesheet"_s,
                                  u"fontengine"_s, u"dialogs"_s};
const QStringList kQtFlags{u"reverse"_s, u"nograb"_s, u"dograb"_s, u"widgetcount"_s, u"sync"_s};

QString helpText()
{
    return uR"(Употреба: quadrelon [опции]
Квадрелон: калкулатор за правоъгълник, упражнения и работни листове.

Опции:
  -h, --help             показва тази помощ
  -v, --version          показва версията
  --practice             отваря „Упражнение“
  --worksheet            работен лист: с --output записва PDF без прозорец,
                         без --output отваря „Работен лист…“ с дадените настройки
  --problems <брой>      задачи във всяка група (1 до %1; 12 без опцията)
  --versions <брой>      групи: „Група А“, „Група Б“, … (1 до %2; 1 без опцията)
  --levels <нива>        нива 1, 2 и 3, например 1,3 или 1-3 (всички без опцията)
  --variants <варианти>  варианти от 1 до 10, например 2,5,8 или 1-10 (всички
                         без опцията)
  --unit <единица>       мм, см, дм, м или км (или mm, cm, dm, m, km); няма за
                         числа без единица (см без опцията)
  --seed <число>         номерът на листа, от 1 до %3; същият номер и същите
                         настройки дават същия лист (нов без опцията)
  --without-rectangle    и задачи без решение
  --output <файл.pdf>    записва листа в този файл и завършва

Приема и опциите на всяка програма на Qt, например -platform offscreen.

Пример:
  quadrelon --worksheet --problems 12 --versions 2 --levels 1,2,3 --variants 1-10 --unit см --seed 4821 --output лист.pdf
)"_s.arg(practice::WorksheetOptions::kMaxProblems)
        .arg(practice::WorksheetOptions::kMaxVersions)
        .arg(practice::WorksheetOptions::kMaxSeed);
}

Request exitWith(int status, const QString &message)
{
    Request request;
    request.action = Action::Exit;
    request.status = status;
    request.toErrors = status != 0;
    request.message = status != 0 ? kProgram + u": "_s + message + u'\n' : message;
    return request;
}

// The value option that ends the command line without its value, if any.
QString optionMissingValue(const QStringList &arguments, const QStringList &valueOptions)
{
    if (arguments.size() < 2)
        return QString();
    QString last = arguments.last();
    if (!last.startsWith(u'-'))
        return QString();
    while (last.startsWith(u'-'))
        last.remove(0, 1);
    return valueOptions.contains(last) ? arguments.last() : QString();
}

} // namespace

Request parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's options have one dash ("-platform"); so may the program's.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{u"h"_s, u"help"_s, u"?"_s});
    const QCommandLineOption version(QStringList{u"v"_s, u"version"_s});
    const QCommandLineOption practice(u"practice"_s);
    const QCommandLineOption worksheet(u"worksheet"_s);
    const QCommandLineOption problems(u"problems"_s, QString(), u"n"_s);
    const QCommandLineOption versions(u"versions"_s, QString(), u"n"_s);
    const QCommandLineOption levels(u"levels"_s, QString(), u"list"_s);
    const QCommandLineOption variants(u"variants"_s, QString(), u"list"_s);
    const QCommandLineOption unit(u"unit"_s, QString(), u"unit"_s);
    const QCommandLineOption seed(u"seed"_s, QString(), u"n"_s);
    const QCommandLineOption withoutRectangle(u"without-rectangle"_s);
    const QCommandLineOption output(u"output"_s, QString(), u"file"_s);
    parser.addOptions({help, version, practice, worksheet, problems, versions, levels, variants, unit, seed,
                       withoutRectangle, output});
    QStringList valueOptions{u"problems"_s, u"versions"_s, u"levels"_s, u"variants"_s, u"unit"_s, u"seed"_s,
                             u"output"_s};
    for (const QString &name : kQtValueOptions)
        parser.addOption(QCommandLineOption(name, QString(), u"value"_s));
    for (const QString &name : kQtFlags)
        parser.addOption(QCommandLineOption(name));
    valueOptions << kQtValueOptions;

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString dashes = unknown.first().size() == 1 ? u"-"_s : u"--"_s;
            return exitWith(2, u"непозната опция „%1%2“ (вижте quadrelon --help)"_s.arg(dashes, unknown.first()));
        }
        const QString missing = optionMissingValue(arguments, valueOptions);
        if (!missing.isEmpty())
            return exitWith(2, u"след „%1“ липсва стойност (вижте quadrelon --help)"_s.arg(missing));
        return exitWith(2, parser.errorText());
    }
    if (parser.isSet(help))
        return exitWith(0, helpText());
    if (parser.isSet(version))
        return exitWith(0, u"Quadrelon " QUADRELON_VERSION_STRING "\n"_s);
    if (!parser.positionalArguments().isEmpty()) {
        return exitWith(2, u"излишен аргумент „%1“ (вижте quadrelon --help)"_s.arg(
                               parser.positionalArguments().first()));
    }

    Request request;
    if (parser.isSet(practice))
        request.action = Action::Practice;
    if (!parser.isSet(worksheet)) {
        for (const QCommandLineOption *option :
             {&problems, &versions, &levels, &variants, &unit, &seed, &withoutRectangle, &output}) {
            if (parser.isSet(*option))
                return exitWith(2, u"„--%1“ е опция на --worksheet"_s.arg(option->names().first()));
        }
        return request;
    }

    request.action = Action::Worksheet;
    WorksheetArguments &sheet = request.worksheet;
    practice::WorksheetOptions &options = sheet.options;
    QString error;
    // Each value through its reader; the first that fails is the one reported.
    const auto bad = [&](const QCommandLineOption &option) {
        return exitWith(2, u"--%1: %2"_s.arg(option.names().first(), error));
    };
    if (parser.isSet(problems)) {
        const auto n = practice::parseCount(parser.value(problems), 1, practice::WorksheetOptions::kMaxProblems,
                                            &error);
        if (!n)
            return bad(problems);
        options.problems = *n;
    }
    if (parser.isSet(versions)) {
        const auto n = practice::parseCount(parser.value(versions), 1, practice::WorksheetOptions::kMaxVersions,
                                            &error);
        if (!n)
            return bad(versions);
        options.versions = *n;
    }
    if (parser.isSet(levels)) {
        const auto list = practice::parseLevels(parser.value(levels), &error);
        if (!list)
            return bad(levels);
        options.settings.levels = *list;
    }
    if (parser.isSet(variants)) {
        const auto list = practice::parseVariants(parser.value(variants), &error);
        if (!list)
            return bad(variants);
        options.settings.variants = *list;
    }
    if (parser.isSet(unit)) {
        const auto chosen = practice::parseUnit(parser.value(unit), &error);
        if (!chosen)
            return bad(unit);
        options.settings.unit = *chosen;
    }
    if (parser.isSet(seed)) {
        const auto n = practice::parseCount(parser.value(seed), 1, int(practice::WorksheetOptions::kMaxSeed), &error);
        if (!n)
            return bad(seed);
        options.seed = quint32(*n);
        sheet.seedGiven = true;
    } else {
        // Short enough to read out to a class and type again.
        options.seed = QRandomGenerator::global()->bounded(1000u, 10000u);
    }
    options.settings.withoutRectangle = parser.isSet(withoutRectangle);
    if (parser.isSet(output)) {
        sheet.output = parser.value(output);
        if (sheet.output.trimmed().isEmpty())
            return exitWith(2, u"--output: липсва име на файл"_s);
    }
    return request;
}

QStringList fromArgv(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void print(const Request &request)
{
#if defined(Q_OS_WIN)
    // A program built for the desktop starts with no console; from a command prompt
    // it may still write into the prompt's.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        SetConsoleOutputCP(CP_UTF8);
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
    std::FILE *stream = request.toErrors ? stderr : stdout;
    const QByteArray text = request.message.toUtf8();
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stream);
    std::fflush(stream);
}

bool needsNoScreen(const Request &request)
{
    return request.action == Action::Worksheet && !request.worksheet.output.isEmpty();
}

} // namespace commandline
