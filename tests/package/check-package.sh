#!/usr/bin/env bash
# Checks on the Debian package as a user meets it.
#   check-package.sh build <cpack> <cpack config> <package folder>
#   check-package.sh program|desktop|appstream|lintian <package folder>
# Exit status 77 means skipped (a tool is missing, or no package was built).
set -euo pipefail

check=$1
shift
skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
need() {
    command -v "$1" >/dev/null || skip "$1 is not installed (scripts/install-deps.sh installs it)"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Unpacks the package into $work/root, as dpkg would install it.
unpack() {
    need dpkg-deb
    local debs=("$1"/*.deb)
    [[ -f ${debs[0]} ]] || skip "no package in $1: the package test's build step did not run"
    dpkg-deb -x "${debs[0]}" "$work/root"
    deb=${debs[0]}
}

case $check in
build)
    rm -rf "$3" # never check a package left from an earlier build
    need dpkg-deb
    need dpkg-shlibdeps
    "$1" -G DEB --config "$2" -B "$3" >"$work/log" 2>&1 || {
        cat "$work/log"
        fail "cpack could not build the package"
    }
    ;;

program)
    unpack "$1"
    # No library search path of its own: the system's folders only.
    runpath=$(readelf -d "$work/root/usr/bin/vantorel" | grep -E '\((RPATH|RUNPATH)\)' || true)
    [[ -z $runpath ]] || fail "the installed program carries a library search path: $runpath"
    # Moved to another prefix: the program finds its data relative to itself.
    prefix=$work/elsewhere/opt
    mkdir -p "$work/elsewhere"
    mv "$work/root/usr" "$prefix"
    tree() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }
    before=$(tree)
    home=$work/home
    mkdir "$home"
    start() {
        HOME=$home VTL_QUIT_AFTER_SHOW=1 timeout 30 "$@" "$prefix/bin/vantorel" 2>&1 ||
            fail "the program did not end by itself (status $?)"
    }

    # First start: the settings are created from the installed default, so
    # the greeting comes first and records first=no in the user's file.
    out=$(start env XDG_CONFIG_HOME="$home/config")
    settings=$home/config/vantorel/vtl.ini
    [[ -f $settings ]] || fail "no settings file in \$XDG_CONFIG_HOME/vantorel. Output: $out"
    grep -q '^first=no' "$settings" || fail "$settings does not record the greeting: $(cat "$settings")"
    [[ $out == *"first window: QMessageBox"* ]] || fail "the greeting did not come first. Output: $out"

    # Second start: straight to the main window, which shows only when its
    # glyph sheet loaded (a missing sheet puts up a message box first).
    out=$(start env XDG_CONFIG_HOME="$home/config")
    [[ $out == *"first window: "*"MainWindow"* ]] ||
        fail "the main window did not come first (no glyph sheet?). Output: $out"

    # Without XDG_CONFIG_HOME the settings go to ~/.config.
    out=$(start env -u XDG_CONFIG_HOME)
    [[ -f $home/.config/vantorel/vtl.ini ]] || fail "no settings in ~/.config/vantorel. Output: $out"

    echo "$out"
    after=$(tree)
    [[ $before == "$after" ]] || fail "the program changed its installed files: $(diff <(echo "$before") <(echo "$after"))"
    ;;

desktop)
    need desktop-file-validate
    unpack "$1"
    entries=("$work"/root/usr/share/applications/*.desktop)
    [[ -f ${entries[0]} ]] || fail "the package holds no desktop entry"
    desktop-file-validate "${entries[@]}"
    # One main category, so the entry shows in one place of the menus.
    main='AudioVideo|Audio|Video|Development|Education|Game|Graphics|Network|Office|Science|Settings|System|Utility'
    categories=$(sed -n 's/^Categories=//p' "${entries[0]}")
    count=$(tr ';' '\n' <<<"$categories" | grep -cxE "$main" || true)
    [[ $count == 1 ]] || fail "the entry has $count main categories: $categories"
    # The class Qt gives the window on X11 is the application name.
    grep -qx 'StartupWMClass=Vantorel G2' "${entries[0]}" ||
        fail "the entry's StartupWMClass does not match the window's class"
    icon=$(sed -n 's/^Icon=//p' "${entries[0]}")
    for size in scalable 16x16 32x32 48x48 256x256; do
        ext=png
        [[ $size == scalable ]] && ext=svg
        [[ -f $work/root/usr/share/icons/hicolor/$size/apps/$icon.$ext ]] ||
            fail "the entry's icon $icon has no $size picture"
    done
    ;;

appstream)
    need appstreamcli
    unpack "$1"
    appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml
    ;;

lintian)
    need lintian
    unpack "$1"
    lintian --fail-on error "$deb"
    ;;

*) fail "unknown check $check" ;;
esac
