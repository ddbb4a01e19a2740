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
# Usage: scripts/web.sh [all|build|test|serve|bench]   (default: all; test builds first
#        when build/web/dist is not there; serve serves build/web/dist on 127.0.0.1;
#        bench builds the floor page and compares the two, scripts/web-bench.mjs)
# Environment: QUADRELON_WEB_CACHE (default /var/cache/quadrelon-web), JOBS; for serve,
# PORT (default 8080) and QUADRELON_WEB_DIST (another folder to serve).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
what=${1:-all}
case "$what" in all|build|test|serve|bench) ;; *) echo "usage: scripts/web.sh [all|build|test|serve|bench]" >&2; exit 2 ;; esac

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
# Debian's emcc runs "python3" from PATH, which may be a slow shim (pyenv's costs two
# seconds a call, and Qt's build makes thousands); the system's Python is enough.
[ -x /usr/bin/python3 ] && export EMSDK_PYTHON=/usr/bin/python3
# Qt's CMake files take emscripten's folder and version from an emsdk folder named by
# EMSDK: they read EMSCRIPTEN_ROOT from its .emscripten and run emcc below it.
export EMSDK=$cache/emsdk

install_packages() {
    scripts/deps.sh emscripten node-acorn chromium dpkg-dev brotli python3 librsvg2-bin \
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

build_program() {
    say "building Quadrelon for the browser into $build"
    mkdir -p "$build"
    local emcc_version
    emcc_version=$(emcc --version | sed -n '1s/.* \([0-9][0-9.]*\) .*/\1/p')
    cmake -G Ninja -S "$repo" -B "$build" \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$emscripten_toolchain" -DEMCC_VERSION="$emcc_version" \
        -DCMAKE_BUILD_TYPE=MinSizeRel -DQUADRELON_BUILD_TESTS=ON >"$build/configure.log" 2>&1 ||
        { tail -30 "$build/configure.log" >&2; exit 1; }
    cmake --build "$build" --parallel "$jobs" --target quadrelon "${web_tests[@]}"
}

# The Qt-Core-only suites, the ones that need no screen.
web_tests=(tst_solver tst_numbertext tst_variant tst_working tst_practice tst_practiceanswer tst_practicesheet)

# The room the page keeps for the window and the windows it opens, in Qt's pixels
# with the frame Qt draws around them; a smaller viewport scales the program down.
page_width=540 page_height=480

package() {
    say "putting the page together in $dist"
    rm -rf "$dist"
    mkdir -p "$dist"
    cp "$build/src/quadrelon.js" "$build/src/quadrelon.wasm" "$qt/plugins/platforms/qtloader.js" "$dist/"
    sed -e "s/@WIDTH@/$page_width/" -e "s/@HEIGHT@/$page_height/" packaging/web/index.html >"$dist/index.html"
    cp packaging/web/manifest.webmanifest "$dist/"
    local build_id
    build_id=$(cat "$dist"/quadrelon.* "$dist/index.html" | md5sum | cut -c1-12)
    sed "s/@BUILD@/$build_id/" packaging/web/sw.js >"$dist/sw.js"
    local size
    for size in 192 512; do
        rsvg-convert --width $size --height $size --format png resources/quadrelon.svg -o "$dist/icon-$size.png"
    done
    say "made $(cd "$dist" && ls | tr '\n' ' ')"
    say "quadrelon.wasm: $(stat -c %s "$dist/quadrelon.wasm") bytes"
}

serve() {
    local folder=${QUADRELON_WEB_DIST:-$dist} port=${PORT:-8080}
    [ -d "$folder" ] || { echo "no $folder: run scripts/web.sh build first" >&2; exit 1; }
    say "serving $folder at http://127.0.0.1:$port/ (Ctrl+C stops it)"
    # Python's server with the type browsers want before they compile a .wasm as it
    # arrives.
    exec python3 -c '
import functools, http.server, sys
handler = http.server.SimpleHTTPRequestHandler
handler.extensions_map[".wasm"] = "application/wasm"
handler.extensions_map[".webmanifest"] = "application/manifest+json"
http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])),
    functools.partial(handler, directory=sys.argv[2])).serve_forever()
' "$port" "$folder"
}

run_checks() {
    local failures=0 test
    say "the Qt-Core-only suites under Node"
    for test in "${web_tests[@]}"; do
        if node scripts/web-node-test.cjs "$build/tests/$test.js" >"$build/$test.log" 2>&1; then
            echo "ok: $test ($(grep -m1 '^Totals' "$build/$test.log"))"
        else
            echo "FAILED: $test (see $build/$test.log)"
            failures=$((failures + 1))
        fi
    done
    say "the page in headless Chromium"
    node --experimental-websocket scripts/web-checks.mjs "$dist" "$build/checks" || failures=$((failures + 1))
    say "$failures failed"
    [ "$failures" -eq 0 ]
}

# The floor page: the same page and loader around bench/qtfloor.cpp.
bench() {
    [ -d "$dist" ] || { echo "no $dist: run scripts/web.sh build first" >&2; exit 1; }
    cmake --build "$build" --parallel "$jobs" --target quadrelon_webfloor
    rm -rf "$build/floor-dist"
    cp -r "$dist" "$build/floor-dist"
    cp "$build/floor/quadrelon.js" "$build/floor/quadrelon.wasm" "$build/floor-dist/"
    node --experimental-websocket scripts/web-bench.mjs "$dist" "$build/floor-dist" "${RUNS:-9}"
}

case "$what" in
serve) serve ;;
bench) bench ;;
*)
    if [ "$what" != test ] || [ ! -d "$dist" ]; then
        total=$SECONDS
        install_packages
        make_cache
        build_qt
        build_program
        package
        say "built in $((SECONDS - total)) s; the cache holds $(du -sh "$cache" | cut -f1), build/web $(du -sh "$build" | cut -f1)"
    fi
    [ "$what" = build ] || run_checks
    ;;
esac
