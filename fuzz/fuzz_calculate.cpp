// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculate command of a shown window on the offscreen platform: the first byte
// picks the variant, the second the locale, the rest fills the row's cells.
#include "checks.h"

#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Both live until the process ends: libFuzzer leaves by exit(), and a window
// destroyed after its application would crash on the way out.
fuzzchecks::CalculateRig *rig = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static int argc = 1;
    static char name[] = "fuzz_calculate";
    static char *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication *app = new QApplication(argc, argv);
    Q_UNUSED(app);
    rig = new fuzzchecks::CalculateRig;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString problem = rig->check(QByteArrayView(data, qsizetype(size)));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "fuzz_calculate: %s\n", problem.toUtf8().constData());
        std::abort();
    }
    return 0;
}
