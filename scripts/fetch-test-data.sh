#!/usr/bin/env bash
# Fetches the free game data the charset tests read: Debian's OpenArena data
# package, unpacked (not installed, so none of their dependencies come along)
# into a cache folder that outlives build folders.
# Usage: fetch-test-data.sh [cache folder]
set -euo pipefail
cache=${1:-${VTL_TESTDATA_CACHE:-$HOME/.cache/vantorel-testdata}}
mkdir -p "$cache"

fetch() {  # package, folder name, a file it must leave behind
    local package=$1 target=$cache/$2 witness=$3
    if [ -f "$target/$witness" ]; then
        return 0
    fi
    local work
    work=$(mktemp -d "$cache/.fetch.XXXXXX")
    if (cd "$work" && apt-get download -qq "$package" >/dev/null 2>&1); then
        rm -rf "$target"
        dpkg -x "$work"/*.deb "$work/unpacked"
        mv "$work/unpacked" "$target"
        rm -rf "$work"
    else
        rm -rf "$work"
        echo "fetch-test-data: no package source could deliver $package; its tests will be skipped"
    fi
}

fetch openarena-data openarena-data usr/share/games/openarena/baseoa/pak0.pk3
