#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Quadrelon in the browser, made and tested on Debian 12:
#  1. installs the Debian packages it needs (emscripten, Chromium, ...) and fetches
#     Debian's qt6-base sources, the same version as the host Qt;
#  2. builds a static, single-threaded Qt for wasm32-emscripten into a cache folder, once;
#  3. builds Quadrelon and the Qt-Core-only test suites (build/web) and puts the page,
#     its loader, the .wasm, the icon, the web app manifest and the service worker
#     into build/web/dist: that folder, served by any web server, is the whole install;
#  4. tests: the suites under Node, then the page in headless Chromium
#     (scripts/web-checks.mjs).
#
# Usage: scripts/web.sh [all|build|test|serve]   (default: all; test builds first when
#        build/web/dist is not there; serve serves build/web/dist on 127.0.0.1)
# Environment: QUADRELON_WEB_CACHE (default /var/cache/quadrelon-web), JOBS, PORT.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
what=${1:-all}
case "$what" in all|build|test|serve) ;; *) echo "usage: scripts/web.sh [all|build|test|serve]" >&2; exit 2 ;; esac

cross_name=web
cache=${QUADRELON_WEB_CACHE:-/var/cache/quadrelon-web}
jobs=${JOBS:-$(nproc)}
build=$repo/build/web
dist=$build/dist
qt=$cache/qt
. scripts/cross-common.sh

emscripten_toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
# emcc's optimizer loads acorn, which Debian keeps outside Node's default search path.
export NODE_PATH=/usr/share/nodejs:/usr/lib/nodejs
# Qt's CMake files take emscripten's folder and version from an emsdk folder named by
# EMSDK: they read EMSCRIPTEN_ROOT from its .emscripten and run emcc below it.
export EMSDK=$cache/emsdk

install_packages() {
    scripts/deps.sh emscripten node-acorn chromium dpkg-dev brotli python3 \
        tesseract-ocr imagemagick fonts-liberation
}

make_emsdk() {
    mkdir -p "$EMSDK/upstream/emscripten"
    echo "EMSCRIPTEN_ROOT = '/upstream/emscripten'" >"$EMSDK/.emscripten"
    ln -sfn /usr/bin/emcc "$EMSDK/upstream/emscripten/emcc"
}

# What the static Qt is built with; a change makes the next run build it afresh.
# Without threads, so that the page needs no cross-origin isolation headers from the
# server; OpenGL stays on, as Qt's wasm backing store draws through WebGL.
qt_options=(
    -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_SHARED_LIBS=OFF
    -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_thread=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF
    -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF -DFEATURE_zstd=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_testlib=ON -DFEATURE_widgets=ON
)

build_qt() {
    local version stamp
    version=$(host_qt_version)
    stamp="$version $(printf '%s\n' "${qt_options[@]}" | md5sum | cut -c1-12)"
    if stamped "$qt" "$stamp"; then
        say "reusing the static Qt in $qt"
        return
    fi
    make_cache
    fetch_qt_sources "$version"
    make_emsdk
    build_qt_with "$stamp" -DCMAKE_TOOLCHAIN_FILE="$emscripten_toolchain" "${qt_options[@]}"
}

if [ "$what" = build ] || [ "$what" = all ] || { [ "$what" = test ] && [ ! -d "$dist" ]; }; then
    total=$SECONDS
    install_packages
    make_cache
    build_qt
    say "built in $((SECONDS - total)) s"
fi
