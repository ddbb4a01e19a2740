# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Qt's Bulgarian texts built into a statically linked program (Windows, the browser),
# under :/quadrelon/translations, where the start-up looks first: Debian's, the same
# ones the Linux build loads at run time.
set(QUADRELON_QT_TRANSLATIONS_DIR /usr/share/qt6/translations CACHE PATH
    "Folder with qtbase_bg.qm, built into the statically linked program")

function(quadrelon_bundled_qt_texts target)
    set(qm ${QUADRELON_QT_TRANSLATIONS_DIR}/qtbase_bg.qm)
    if(NOT EXISTS ${qm})
        message(FATAL_ERROR "${qm} is missing: install Debian's qt6-translations-l10n")
    endif()
    qt_add_resources(${target} quadrelon_qt_texts
        PREFIX /quadrelon/translations
        BASE ${QUADRELON_QT_TRANSLATIONS_DIR}
        FILES ${qm})
endfunction()
