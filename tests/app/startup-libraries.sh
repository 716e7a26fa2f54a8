#!/usr/bin/env bash
# The shared libraries mapped when the main window first paints, offscreen,
# must be ones a bare Qt window with the same menu bar maps too, or one of the
# few the program has a reason for (below); and no image plugin, which the
# bare window loads all of (the built-in sheets are GIFs decoded without one).
# A new library at start-up fails here, with its name: load it when its
# command runs instead.
# Usage: startup-libraries.sh <program folder> <bare window program>
set -euo pipefail
app=${1:?usage: startup-libraries.sh <program folder> <bare window program>}
bare=${2:?usage: startup-libraries.sh <program folder> <bare window program>}

# What the program may map beyond the bare window, each for a reason (none
# today).
allowed=()

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy of the program's folder, past its first run, so that the main window
# is the first to paint (the greeting would come first otherwise).
cp -r "$app" "$work/app"
printf '[Vantorel]\r\nfirst=no\r\n' >"$work/app/vtl.ini"

# Prints the shared objects mapped at first paint, one path a line.
libraries() {
    local maps=$work/maps out
    rm -f "$maps"
    out=$(QT_QPA_PLATFORM=offscreen VTL_QUIT_AFTER_SHOW=1 VTL_MAPS_AT_FIRST_PAINT=$maps \
        timeout 60 "$@" 2>&1) || {
        echo "startup-libraries: '$*' failed: $out" >&2
        exit 1
    }
    [[ -s $maps ]] || {
        echo "startup-libraries: '$*' wrote no maps: $out" >&2
        exit 1
    }
    awk '$6 ~ /\.so(\.|$)/ { print $6 }' "$maps" | sort -u
}
names() { sed 's|.*/||' | sort -u; }

# Libraries the program links and the bare window does not: the image plugins
# the bare window loads bring libraries of their own (libmng brings LittleCMS,
# say), which would otherwise hide a library the program links.
linked=$(comm -23 <(ldd "$work/app/vantorel" | awk '{ print $1 }' | sort -u) \
    <(ldd "$bare" | awk '{ print $1 }' | sort -u))
if [[ -n $linked ]]; then
    echo "The program links libraries a bare Qt window does not (load them when used):" >&2
    echo "$linked" >&2
    exit 1
fi

# No run path: an empty entry in one is the current folder, searched first
# for every library the program links.
runpath=$(readelf -d "$work/app/vantorel" | grep -E '\((RPATH|RUNPATH)\)' || true)
if [[ -n $runpath ]]; then
    echo "The program carries a library search path of its own:" >&2
    echo "$runpath" >&2
    exit 1
fi

program=$(libraries "$work/app/vantorel")
[[ $program == *libQt6Widgets* ]] || {
    echo "startup-libraries: the maps name no Qt library: $program" >&2
    exit 1
}
bare=$(libraries "$bare")
extra=$(comm -23 <(names <<<"$program") <(names <<<"$bare"))
for name in "${allowed[@]+"${allowed[@]}"}"; do
    extra=$(grep -v "^${name//./\\.}" <<<"$extra" || true)
done
plugins=$(grep '/imageformats/' <<<"$program" | names || true)
if [[ -n $plugins ]]; then
    echo "Start-up loads image plugins (a picture read through Qt's plugins?):" >&2
    echo "$plugins" >&2
    exit 1
fi
if [[ -n $extra ]]; then
    echo "Start-up maps libraries that a bare Qt window does not and that have no place" >&2
    echo "in the allow-list of $0:" >&2
    echo "$extra" >&2
    exit 1
fi
echo "start-up maps no library beyond the bare window's${allowed[*]+ and: ${allowed[*]}}"
