# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The rules the fuzzers check, in a library of their own: the fuzzers link it, and so
# do the plain tests that replay the checked-in corpora and soak the window.
if(NOT TARGET quadrelon_fuzzchecks)
    add_library(quadrelon_fuzzchecks STATIC
        ${CMAKE_CURRENT_LIST_DIR}/checks.cpp ${CMAKE_CURRENT_LIST_DIR}/checks.h)
    target_include_directories(quadrelon_fuzzchecks PUBLIC ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(quadrelon_fuzzchecks
        PUBLIC quadrelon_form Qt6::Widgets
        PRIVATE quadrelon_options quadrelon_strict_strings)
endif()
