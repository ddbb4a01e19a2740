// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "printing/printing.h"

#include <QCoreApplication>
#include <QLibrary>

extern "C" bool quadrelonPrintWithDialog(QWidget *parent, const QString &documentName,
                                         const QString &dialogTitle, const printing::PrintFunction &print);

namespace printing {

namespace {

using Entry = decltype(&quadrelonPrintWithDialog);

#if defined(QUADRELON_PRINT_MODULE)
// The module lies at the same place relative to the program in the build tree as
// where it is installed, so one relative path finds it in both.
Entry loadModule()
{
    QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/" QUADRELON_PRINT_MODULE));
    return reinterpret_cast<Entry>(module.resolve("quadrelonPrintWithDialog"));
}
#endif

Entry entry()
{
#if defined(QUADRELON_PRINT_MODULE)
    static const Entry loaded = loadModule();
    return loaded;
#else
    return &quadrelonPrintWithDialog;
#endif
}

} // namespace

bool available()
{
    return entry() != nullptr;
}

bool printWithDialog(QWidget *parent, const QString &documentName, const QString &dialogTitle,
                     const PrintFunction &print)
{
    const Entry print_ = entry();
    return print_ && print_(parent, documentName, dialogTitle, print);
}

} // namespace printing
