# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What a WebAssembly build (scripts/web.sh) adds. Qt is linked statically there and
# the browser has none of the desktop's fonts or files, so the program carries its
# face for the cells and Qt's Bulgarian texts.

set(QUADRELON_FONTS_DIR /usr/share/fonts/truetype/liberation CACHE PATH
    "Folder with Liberation Serif, built into the WebAssembly program")
include(${CMAKE_CURRENT_LIST_DIR}/QuadrelonQtTexts.cmake)

# What emscripten's C++ library lacks, given to every source.
target_compile_options(quadrelon_options INTERFACE
    "SHELL:-include ${PROJECT_SOURCE_DIR}/src/runtime/libcxx_fallback.h")
# The solver reports impossible input with an exception, which emscripten ignores
# unless asked (Qt for WebAssembly is built without them).
target_compile_options(quadrelon_options INTERFACE "SHELL:-s DISABLE_EXCEPTION_CATCHING=0")
target_link_options(quadrelon_options INTERFACE "SHELL:-s DISABLE_EXCEPTION_CATCHING=0")

# The program: Liberation Serif, which the window takes where Times New Roman is
# missing, and Qt's Bulgarian texts under :/quadrelon/translations, where the start-up
# looks first. The page hands the program environment variables, which need ENV.
function(quadrelon_web_program target)
    # Its own main, which adds the fonts once the application is there.
    set_property(TARGET ${target} PROPERTY SOURCES ${PROJECT_SOURCE_DIR}/src/web/main.cpp)
    target_link_libraries(${target} PRIVATE quadrelon_browser)
    qt_add_resources(${target} quadrelon_web_fonts
        PREFIX /quadrelon/fonts
        BASE ${QUADRELON_FONTS_DIR}
        FILES ${QUADRELON_FONTS_DIR}/LiberationSerif-Regular.ttf ${QUADRELON_FONTS_DIR}/LiberationSerif-Bold.ttf)
    quadrelon_bundled_qt_texts(${target})
    set_target_properties(${target} PROPERTIES QT_WASM_EXTRA_EXPORTED_METHODS ENV)
endfunction()

# Qt Widgets brings the PNG icons of its common style as an object file that every
# program links; the browser edition leaves it out (src/web/styleicons.cpp says why).
foreach(property INTERFACE_LINK_LIBRARIES INTERFACE_LINK_OPTIONS)
    get_target_property(links Qt6::Widgets ${property})
    if(links)
        list(FILTER links EXCLUDE REGEX "Widgets_resources_1([^0-9]|$)")
        set_target_properties(Qt6::Widgets PROPERTIES ${property} "${links}")
    endif()
endforeach()

# The suites that need Qt Core alone run under Node: they read their data files from
# the real file system and hand their exit status to Node.
set(QUADRELON_WEB_TESTS tst_solver tst_numbertext tst_variant tst_working
    tst_practice tst_practiceanswer tst_practicesheet)

# Called once the targets are there.
function(quadrelon_web_build)
    target_sources(quadrelon_runtime PRIVATE ${PROJECT_SOURCE_DIR}/src/runtime/libcxx_fallback.cpp
        ${PROJECT_SOURCE_DIR}/src/runtime/libcxx_fallback.h)
    quadrelon_web_program(quadrelon)
    target_sources(quadrelon PRIVATE ${PROJECT_SOURCE_DIR}/src/web/styleicons.cpp)
    # The browser benchmark's floor (scripts/web.sh bench), named as the program so
    # that the same page loads it, in a folder of its own.
    add_executable(quadrelon_webfloor EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/qtfloor.cpp
        ${PROJECT_SOURCE_DIR}/src/web/styleicons.cpp)
    target_link_libraries(quadrelon_webfloor PRIVATE quadrelon_firstpaint quadrelon_options)
    set_target_properties(quadrelon_webfloor PROPERTIES OUTPUT_NAME quadrelon
        RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/floor QT_WASM_EXTRA_EXPORTED_METHODS ENV)
    foreach(test IN LISTS QUADRELON_WEB_TESTS)
        if(TARGET ${test})
            target_link_options(${test} PRIVATE "SHELL:-s NODERAWFS=1" "SHELL:-s EXIT_RUNTIME=1")
            qt_finalize_target(${test})
        endif()
    endforeach()
    # What qt_add_executable would do: the module's exports and memory for Qt.
    qt_finalize_target(quadrelon)
    qt_finalize_target(quadrelon_webfloor)
endfunction()
