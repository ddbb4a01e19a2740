#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Quadrelon for Windows, made and tested on Debian 12:
#  1. installs the Debian packages it needs (MinGW-w64, NSIS, Wine, ...) and fetches
#     Debian's qt6-base sources, the same version as the host Qt;
#  2. builds a static Qt for x86_64-w64-mingw32 into a cache folder, once;
#  3. cross-builds quadrelon.exe and the test executables (build/windows);
#  4. packages a portable zip and an installer (build/windows/dist);
#  5. tests under Wine on Xvfb: the CTest suite on the offscreen platform, then the
#     real program, then a silent install and uninstall (scripts/windows-checks.sh).
#
# Usage: scripts/windows.sh [all|build|test]   (default: all; test skips steps 1-4
#        when build/windows/dist is already there)
# Environment: QUADRELON_WINDOWS_CACHE (default /var/cache/quadrelon-windows), JOBS.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
what=${1:-all}
case "$what" in all|build|test) ;; *) echo "usage: scripts/windows.sh [all|build|test]" >&2; exit 2 ;; esac

cache=${QUADRELON_WINDOWS_CACHE:-/var/cache/quadrelon-windows}
jobs=${JOBS:-$(nproc)}
build=$repo/build/windows
dist=$build/dist
triple=x86_64-w64-mingw32
toolchain=$repo/cmake/mingw-w64-x86_64.cmake
export PATH=$PATH:/usr/lib/wine # Debian's wine64 keeps its launcher there

cross_name=windows
qt=$cache/qt
. scripts/cross-common.sh

install_packages() {
    scripts/deps.sh g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis wine64 dpkg-dev \
        qt6-translations-l10n icoutils xdotool openbox imagemagick x11-utils xclip tesseract-ocr \
        poppler-utils
}

# What the static Qt is built with; a change makes the next run build it afresh.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF
    -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF
    -DFEATURE_direct2d=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_printsupport=ON -DFEATURE_testlib=ON -DFEATURE_widgets=ON
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
)

# Two changes to Debian's qt6-base sources before building them for Windows:
#  - they leave out Wintab's header (its licence forbids changes), so the Windows
#    platform plugin is built without Wintab tablets; pens still work through
#    Windows' own pointer messages;
#  - Qt 6.4 compiles its DirectWrite font database only along with Direct2D, which is
#    not built here, while the Windows platform plugin offers it (on request, with
#    -platform windows:fontengine=directwrite) whenever DirectWrite 3 is there; the
#    plugin keeps to its default GDI font database instead.
# Both are idempotent.
qt_source_fixes() {
    local plugin=$1/src/plugins/platforms/windows
    if [ ! -d "$1/src/3rdparty/wintab" ]; then
        sed -i '/^qt_internal_extend_target(QWindowsIntegrationPlugin CONDITION QT_FEATURE_tabletevent$/,/^)$/d' \
            "$plugin/CMakeLists.txt"
        sed -i 's|^#if QT_CONFIG(tabletevent)$|#if 0 // without Wintab|' "$plugin/qwindowscontext.cpp"
        sed -i '/^#if QT_CONFIG(tabletevent)$/{N;s|^#if QT_CONFIG(tabletevent)\n#  include "qwindowstabletsupport.h"|#if 0 // without Wintab\n#  include "qwindowstabletsupport.h"|}' \
            "$plugin/qwindowspointerhandler.cpp"
    fi
    sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
        "$plugin/qwindowsintegration.cpp"
}

build_qt() {
    local version stamp
    version=$(host_qt_version)
    stamp="$version $({ printf '%s\n' "${qt_options[@]}"; declare -f qt_source_fixes; } | md5sum | cut -c1-12)"
    if stamped "$qt" "$stamp"; then
        say "reusing the static Qt in $qt"
        return
    fi
    make_cache
    fetch_qt_sources "$version"
    qt_source_fixes "$cache/src/qtbase"
    build_qt_with "$stamp" -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${qt_options[@]}"
}

build_program() {
    say "cross-building Quadrelon into $build"
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    mkdir -p "$build" # its configure log sits beside it, in build/
    cmake -G Ninja -S "$repo" -B "$build" \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DQUADRELON_BUILD_TESTS=ON "${launcher[@]}" >"$build.configure.log" 2>&1 ||
        { tail -30 "$build.configure.log" >&2; exit 1; }
    cmake --build "$build" --parallel "$jobs"
}

# Reads a set(NAME "value") of the top-level CMakeLists.txt.
project_value() { sed -n "s/^set($1 \"\\(.*\\)\")/\\1/p" "$repo/CMakeLists.txt"; }

# Windows' Notepad before Windows 10 wants CRLF and a byte-order mark. A line of "="
# under a title is made as long as the title once the version is in it.
windows_text() {
    local LC_ALL=C.UTF-8 line previous=''
    printf '\357\273\277'
    sed -e "s/@VERSION@/$version/g" -e "s/@WEB@/$web/g" "$1" | while IFS= read -r line; do
        [[ $line =~ ^=+$ && -n $previous ]] && line=${previous//?/=}
        printf '%s\r\n' "$line"
        previous=$line
    done
}

package() {
    version=$(project_value QUADRELON_VERSION_STRING)
    web=$(project_value QUADRELON_WEB_ADDRESS)
    local vi_version
    vi_version=$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' "$repo/CMakeLists.txt" | head -1)
    local stage=$dist/Quadrelon
    rm -rf "$dist"
    mkdir -p "$stage"
    "$triple-strip" -o "$stage/quadrelon.exe" "$build/src/quadrelon.exe"
    windows_text packaging/windows/README.bg.txt >"$stage/README.bg.txt"
    windows_text packaging/windows/README.en.txt >"$stage/README.en.txt"
    local licence='' name file=''
    for name in LICENCE LICENSE COPYING LICENCE.txt LICENSE.txt LICENCE.md LICENSE.md; do
        [ -f "$repo/$name" ] && { file=$repo/$name; break; }
    done
    if [ -z "$file" ] && [ -d "$repo/LICENSES" ]; then
        # REUSE layout: the program's licence is the one its main source names.
        name=$(sed -n 's/.*SPDX-License-Identifier: *\([^ *]*\).*/\1/p' "$repo/src/main.cpp" | head -1)
        [ -n "$name" ] || name=$(ls "$repo/LICENSES" | grep -m1 '^GPL' | sed 's/\.txt$//')
        [ -f "$repo/LICENSES/$name.txt" ] && file=$repo/LICENSES/$name.txt
    fi
    if [ -n "$file" ]; then
        windows_text "$file" >"$stage/LICENCE.txt"
        licence=$stage/LICENCE.txt
    fi
    local zip=$dist/quadrelon-$version-windows-x64.zip
    (cd "$dist" && cmake -E tar cf "$zip" --format=zip Quadrelon)

    cp resources/quadrelon.ico "$dist/quadrelon.ico"
    local setup=$dist/quadrelon-$version-setup.exe
    makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVI_VERSION="$vi_version" -DPUBLISHER="$web" \
        -DSTAGE="$stage" -DICON="$dist/quadrelon.ico" -DOUTFILE="$setup" ${licence:+-DLICENCE="$licence"} \
        packaging/windows/quadrelon.nsi >&2
    say "made $(ls -1 "$dist"/*.zip "$dist"/*.exe | tr '\n' ' ')"
    say "quadrelon.exe: $(stat -c %s "$stage/quadrelon.exe") bytes"
}

if [ "$what" != test ] || [ ! -d "$dist" ]; then
    total=$SECONDS
    install_packages
    build_qt
    build_program
    package
    say "built in $((SECONDS - total)) s"
fi
if [ "$what" != build ]; then
    scripts/windows-checks.sh "$build" "$dist"
fi
