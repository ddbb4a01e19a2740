// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Number texts from any bytes: the first picks the locale, the rest is UTF-8.
#include "checks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString problem = fuzzchecks::checkNumberText(QByteArrayView(data, qsizetype(size)));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "fuzz_numbertext: %s\n", problem.toUtf8().constData());
        std::abort();
    }
    return 0;
}
