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
# Usage: scripts/web.sh [all|build|test|serve|bench|screenshots]   (default: all; test
#        builds first when build/web/dist is not there; serve serves build/web/dist on
#        127.0.0.1 with Python's server; bench builds the floor page and compares the two,
#        scripts/web-bench.mjs; screenshots runs the checks and puts their screenshots
#        into docs/, which nothing else writes to)
# Environment: QUADRELON_WEB_CACHE (default /var/cache/quadrelon-web), JOBS; for serve,
# PORT (default 8080) and QUADRELON_WEB_DIST (another folder to serve).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
what=${1:-all}
case "$what" in all|build|test|serve|bench|screenshots) ;; *)
    echo "usage: scripts/web.sh [all|build|test|serve|bench|screenshots]" >&2; exit 2 ;;
esac

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
        tesseract-ocr tesseract-ocr-bul imagemagick fonts-liberation fonttools nginx-light xvfb xdotool
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
    # What neither the calculator nor the floor page uses, left out for a smaller
    # download: other calendars and models, rich-text formats, image formats other than
    # PNG and XPM (the styles draw with both), session and tray, undo, style sheets, and
    # the widgets and dialogs that no window of the program shows.
    -DFEATURE_mimetype_database=OFF -DFEATURE_jalalicalendar=OFF -DFEATURE_hijricalendar=OFF
    -DFEATURE_islamiccivilcalendar=OFF -DFEATURE_transposeproxymodel=OFF
    -DFEATURE_concatenatetablesproxymodel=OFF
    -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
    -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_movie=OFF -DFEATURE_imageformat_ppm=OFF
    -DFEATURE_imageformat_xbm=OFF -DFEATURE_picture=OFF -DFEATURE_sessionmanager=OFF
    -DFEATURE_systemtrayicon=OFF -DFEATURE_undocommand=OFF -DFEATURE_undostack=OFF
    -DFEATURE_undogroup=OFF -DFEATURE_whatsthis=OFF -DFEATURE_filesystemmodel=OFF
    -DFEATURE_style_stylesheet=OFF -DFEATURE_effects=OFF -DFEATURE_graphicsview=OFF
    -DFEATURE_treewidget=OFF -DFEATURE_listwidget=OFF -DFEATURE_tablewidget=OFF
    -DFEATURE_commandlinkbutton=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_calendarwidget=OFF
    -DFEATURE_splashscreen=OFF -DFEATURE_lcdnumber=OFF -DFEATURE_fontcombobox=OFF
    -DFEATURE_toolbox=OFF -DFEATURE_mdiarea=OFF -DFEATURE_dockwidget=OFF -DFEATURE_dial=OFF
    -DFEATURE_syntaxhighlighter=OFF -DFEATURE_keysequenceedit=OFF -DFEATURE_colordialog=OFF
    -DFEATURE_filedialog=OFF -DFEATURE_fontdialog=OFF -DFEATURE_progressdialog=OFF
    -DFEATURE_inputdialog=OFF -DFEATURE_errormessage=OFF -DFEATURE_wizard=OFF
    -DFEATURE_columnview=OFF -DFEATURE_datawidgetmapper=OFF -DFEATURE_fscompleter=OFF
    -DFEATURE_undoview=OFF
)
# Changed with what trim_qt_fonts and patch_qt_sources do, so that a change builds Qt
# afresh too.
qt_fonts_trim=1

# Qt's browser platform brings three faces, a megabyte. The window's own texts need
# DejaVu Sans's Latin, Greek, Cyrillic, punctuation and mathematical signs (Vera, the
# default face, has no Cyrillic); nothing asks for a fixed-width face, so DejaVu Sans
# Mono stays out. The full face is kept beside the cut one, which is made from it.
trim_qt_fonts() {
    local fonts=$cache/src/qtbase/src/3rdparty/wasm plugin=$cache/src/qtbase/src/plugins/platforms/wasm
    ! grep -q DejaVuSansMono "$plugin/CMakeLists.txt" ||
        sed -i '/DejaVuSansMono\.ttf/d' "$plugin/CMakeLists.txt" "$plugin/qwasmfontdatabase.cpp"
    [ -e "$fonts/DejaVuSans-full.ttf" ] && return
    pyftsubset "$fonts/DejaVuSans.ttf" --output-file="$fonts/DejaVuSans-cut.ttf" \
        --unicodes='U+0000-052F,U+1E00-1EFF,U+2000-23FF,U+2500-25FF,U+2700-27BF,U+FB00-FB06,U+FFFD' \
        --layout-features='*' --glyph-names --notdef-outline --name-IDs='*' --name-languages='*' 2>/dev/null
    mv "$fonts/DejaVuSans.ttf" "$fonts/DejaVuSans-full.ttf"
    mv "$fonts/DejaVuSans-cut.ttf" "$fonts/DejaVuSans.ttf"
}

# Qt 6.4's QtGui module header includes qfilesystemmodel.h, which refuses to compile
# without its feature; the OpenGL widgets' precompiled header includes the module
# header. Without the feature the header is left empty instead.
patch_qt_sources() {
    local header=$cache/src/qtbase/src/gui/itemmodels/qfilesystemmodel.h
    grep -q '^QT_REQUIRE_CONFIG(filesystemmodel);$' "$header" || return 0
    sed -i -e 's/^QT_REQUIRE_CONFIG(filesystemmodel);$/#if QT_CONFIG(filesystemmodel)/' \
        -e 's|^#endif // QFILESYSTEMMODEL_H$|#endif // QT_CONFIG(filesystemmodel)\n&|' "$header"
}

build_qt() {
    local version stamp
    version=$(host_qt_version)
    stamp="$version $(printf '%s\n' "${qt_options[@]}" "fonts $qt_fonts_trim" | md5sum | cut -c1-12)"
    if stamped "$qt" "$stamp"; then
        say "reusing the static Qt in $qt"
        return
    fi
    make_cache
    fetch_qt_sources "$version"
    trim_qt_fonts
    patch_qt_sources
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
    cp packaging/web/manifest.webmanifest packaging/web/.htaccess "$dist/"
    local size
    for size in 192 512; do
        rsvg-convert --width $size --height $size --format png resources/quadrelon.svg -o "$dist/icon-$size.png"
    done
    stamp_service_worker "$dist"
    compress_dist "$dist"
    say "made $(cd "$dist" && ls | tr '\n' ' ')"
    say "quadrelon.wasm: $(stat -c %s "$dist/quadrelon.wasm") bytes, $(stat -c %s "$dist/quadrelon.wasm.br") with brotli"
}

# The service worker, named after everything else in the folder: a new build changes
# it, which is how a returning browser learns of the build.
stamp_service_worker() {
    local build_id
    build_id=$(cd "$1" && find . -type f ! -name sw.js ! -name '*.br' ! -name '*.gz' | sort | xargs cat | md5sum | cut -c1-12)
    sed "s/@BUILD@/$build_id/" packaging/web/sw.js >"$1/sw.js"
}

# Compressed copies beside the program and its loaders, made once here with brotli's
# and gzip's best, for servers that send them to browsers that take them
# (packaging/web/nginx.conf, packaging/web/.htaccess).
compress_dist() {
    local file
    for file in "$1"/*.wasm "$1"/*.js; do
        brotli --best --force --keep "$file"
        gzip --best --force --keep --no-name "$file"
    done
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
    stamp_service_worker "$build/floor-dist"
    compress_dist "$build/floor-dist"
    node --experimental-websocket scripts/web-bench.mjs "$dist" "$build/floor-dist" "${RUNS:-9}"
}

case "$what" in
serve) serve ;;
bench) bench ;;
*)
    if [ "$what" = all ] || [ "$what" = build ] || [ ! -d "$dist" ]; then
        total=$SECONDS
        install_packages
        make_cache
        build_qt
        build_program
        package
        say "built in $((SECONDS - total)) s; the cache holds $(du -sh "$cache" | cut -f1), build/web $(du -sh "$build" | cut -f1)"
    fi
    [ "$what" = build ] || run_checks
    if [ "$what" = screenshots ]; then
        cp "$build/checks/screenshots"/*.png docs/
        say "docs/ has the new screenshots: $(cd "$build/checks/screenshots" && ls | tr '\n' ' ')"
    fi
    ;;
esac
