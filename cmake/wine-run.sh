#!/bin/sh
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a Windows test executable under Wine for CTest. Wine keeps the host's QT_*
# variables from Windows programs and passes WINEQT_* on as QT_* instead, so the
# tests' QT_QPA_PLATFORM=offscreen is handed over in that form.
# Without a console window Qt Test on Windows writes its log to the debugger output;
# this sends it to the standard streams, where CTest reads it.
export QT_FORCE_STDERR_LOGGING=1
for name in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    eval "export WINE$name=\"\$$name\""
done
command -v wine64 >/dev/null || PATH=$PATH:/usr/lib/wine # where Debian keeps it
exec wine64 "$@"
