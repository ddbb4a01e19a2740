#!/bin/sh
# Runs a Windows test executable under Wine for CTest. Wine keeps the host's QT_*
# variables from Windows programs and passes WINEQT_* on as QT_* instead, so the
# tests' QT_QPA_PLATFORM=offscreen is handed over in that form.
for name in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    eval "export WINE$name=\"\$$name\""
done
command -v wine64 >/dev/null || PATH=$PATH:/usr/lib/wine # where Debian keeps it
exec wine64 "$@"
