# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What a Windows build adds: Qt is linked statically there, so its plugins are named
# here, and Qt's Bulgarian texts travel inside quadrelon.exe.

include(${CMAKE_CURRENT_LIST_DIR}/QuadrelonQtTexts.cmake)

# The program: the Windows platform and style, and the printer support.
function(quadrelon_windows_program target)
    set(plugins Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin)
    if(TARGET Qt6::QWindowsPrinterSupportPlugin)
        list(APPEND plugins Qt6::QWindowsPrinterSupportPlugin)
    endif()
    qt_import_plugins(${target} INCLUDE ${plugins})
endfunction()

# A static Qt built without Direct2D has no DirectWrite font engine, but its print
# engine still refers to one; the library that prints supplies the missing symbol.
function(quadrelon_windows_print_support target)
    get_target_property(disabled Qt6::Gui QT_DISABLED_PRIVATE_FEATURES)
    get_target_property(enabled Qt6::Gui QT_ENABLED_PRIVATE_FEATURES)
    if("direct2d" IN_LIST disabled AND "directwrite" IN_LIST enabled)
        # In every program that links the library: an object of a static library
        # would be passed over, as the linker reads Qt after it.
        target_sources(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src/printing/windows/directwritestub.cpp)
    endif()
endfunction()

# Every executable under dir, at any depth, runs on the offscreen platform as well.
function(quadrelon_windows_tests dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            qt_import_plugins(${target} INCLUDE Qt6::QOffscreenIntegrationPlugin)
        endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        quadrelon_windows_tests(${subdir})
    endforeach()
endfunction()
