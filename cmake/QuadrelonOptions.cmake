# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Compile settings shared by every target of the project.
#
# The results shown to the user are compared bit for bit, so each double operation
# must be rounded on its own: no fused multiply-add, no fast-math.
add_library(quadrelon_options INTERFACE)
target_compile_options(quadrelon_options INTERFACE
    $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-ffp-contract=off -fno-fast-math -Wall -Wextra -Wpedantic>
    $<$<CXX_COMPILER_ID:MSVC>:/fp:precise /W4>)
target_compile_definitions(quadrelon_options INTERFACE QT_NO_KEYWORDS)

# The program's own sources say which encoding each text is in.
add_library(quadrelon_strict_strings INTERFACE)
target_compile_definitions(quadrelon_strict_strings INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
