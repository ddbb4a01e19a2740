# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the scripts that build a static Qt for another platform from Debian's
# qt6-base sources (scripts/windows.sh, scripts/web.sh). The sourcing script sets
# cross_name (what say prints) and cache (its folder outside the work tree).

say() { echo "=== $cross_name: $*" >&2; }
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# The version of the host Qt, whose tools the cross-built Qt uses.
host_qt_version() { dpkg-query -W -f='${Version}' qt6-base-dev; }

# Makes the cache folder, owned by the user who runs the script.
make_cache() {
    as_root mkdir -p "$cache"
    [ -w "$cache" ] || as_root chown "$(id -u):$(id -g)" "$cache"
}

# Adds a deb-src entry for the archive the host's Qt came from, unless apt already
# knows a source for that version.
add_source_entry() {
    local version=$1
    if apt-get source --print-uris "qt6-base=$version" >/dev/null 2>&1; then
        return
    fi
    local archive
    archive=$(apt-cache policy qt6-base-dev | awk '/^ \*\*\* /{mine=1; next} mine && /http/{print $2, $3; exit}')
    [ -n "$archive" ] || { echo "cannot tell which archive qt6-base-dev came from" >&2; exit 1; }
    local uri=${archive% *} suite=${archive#* }
    local keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    say "adding deb-src $uri ${suite%%/*} ${suite#*/}"
    {
        echo "Types: deb-src"
        echo "URIs: $uri"
        echo "Suites: ${suite%%/*}"
        echo "Components: ${suite#*/}"
        [ -f "$keyring" ] && echo "Signed-By: $keyring"
    } | as_root tee /etc/apt/sources.list.d/quadrelon-src.sources >/dev/null
    as_root apt-get update -qq
}

# Unpacks Debian's qt6-base sources of the given version into $cache/src/qtbase,
# unless they are there already. Each script patches its own copy.
fetch_qt_sources() {
    local version=$1 src=$cache/src/qtbase
    [ "$(cat "$src/.quadrelon-version" 2>/dev/null)" = "$version" ] && return
    add_source_entry "$version"
    say "fetching Debian's qt6-base $version sources"
    rm -rf "$cache/src"
    mkdir -p "$cache/src"
    (cd "$cache/src" && apt-get source --download-only "qt6-base=$version" >/dev/null 2>&1)
    dpkg-source -x "$cache/src/qt6-base_${version#*:}.dsc" "$src" >/dev/null
    echo "$version" >"$src/.quadrelon-version"
}

# True when the folder's stamp file holds the given stamp.
stamped() { [ "$(cat "$1/.quadrelon-stamp" 2>/dev/null)" = "$2" ]; }

# Every half minute, how far ninja has got by its own count in the given log, with
# the time left at the pace seen so far. Ends when killed.
report_progress() {
    local log=$1 start=$SECONDS first=-1 count done total left
    while sleep 30; do
        count=$(tail -c 65536 "$log" 2>/dev/null | grep -ao '^\[[0-9]*/[0-9]*\]' | tail -1 | tr -d '[]')
        [ -n "$count" ] || continue
        done=${count%/*} total=${count#*/}
        # Steps an interrupted build did earlier are not part of this run's pace.
        [ "$first" -ge 0 ] || { first=$done start=$SECONDS; continue; }
        if [ "$done" -gt "$first" ]; then
            left=$(((total - done) * (SECONDS - start) / (done - first) / 60 + 1))
            say "Qt: $done of $total steps, about $left minute$([ "$left" -eq 1 ] || echo s) left"
        else
            say "Qt: $done of $total steps"
        fi
    done
}

# Configures and builds a Qt from $cache/src/qtbase into $qt, going on where an
# interrupted build with the same stamp stopped. Arguments: the stamp, then the
# options for cmake's configure step.
build_qt_with() {
    local stamp=$1 start=$SECONDS
    shift
    if ! stamped "$cache/qt-build" "$stamp"; then
        rm -rf "$cache/qt-build" "$qt"
        cmake -G Ninja -S "$cache/src/qtbase" -B "$cache/qt-build" \
            -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
            -DCMAKE_INSTALL_PREFIX="$qt" "$@" >"$cache/qt-configure.log" 2>&1 ||
            { tail -30 "$cache/qt-configure.log" >&2; exit 1; }
        echo "$stamp" >"$cache/qt-build/.quadrelon-stamp"
    fi
    say "building a static Qt (long: the whole log is $cache/qt-build.log)"
    report_progress "$cache/qt-build.log" &
    local reporter=$!
    { NINJA_STATUS="[%f/%t] " nice -n 10 cmake --build "$cache/qt-build" --parallel "$jobs" &&
        cmake --install "$cache/qt-build"; } >"$cache/qt-build.log" 2>&1 ||
        { kill "$reporter"; tail -30 "$cache/qt-build.log" >&2; exit 1; }
    kill "$reporter"
    echo "$stamp" >"$qt/.quadrelon-stamp"
    say "static Qt built in $(((SECONDS - start) / 60)) min; the cache held $(du -sh "$cache" | cut -f1)"
    rm -rf "$cache/qt-build" # the objects: later runs need only the installed Qt
}
