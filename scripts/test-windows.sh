#!/usr/bin/env bash
# Runs the tests of the Windows build under Wine, as `make test` runs the
# Linux ones: CTest in the cross build folder; each test program is started
# through Wine (the build's emulator) on Qt's offscreen platform.
#   scripts/test-windows.sh [build folder [ctest options]]   (default build-windows)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build-windows}" && pwd)
deps=$(bash "$here/scripts/build-windows-deps.sh" --print) || {
  echo "No Windows libraries: run make windows first" >&2
  exit 1
}
jobs=${JOBS:-$(nproc)}

# A Wine prefix of the tests' own, made once; nothing of the user's Wine.
export WINEPREFIX=${VTL_WINEPREFIX:-$HOME/.cache/vantorel-windows/wineprefix}
export WINEDEBUG=-all
# No Mono or Gecko install prompts: the tests need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
wine=$(command -v wine)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix $WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1 || true
fi
# One Wine server for the whole run, ended when the run ends: starting one
# per test program would cost seconds each.
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT

# Qt and the C++ runtime come from the program's own folder; Qt Test and the
# offscreen platform, which the program does not ship, from the libraries'
# folder; the platform finds its fonts (the ones the Linux tests use) by
# QT_QPA_FONTDIR. Wine keeps the host's QT_* variables from Windows programs
# (they are meant for the Linux Qt) and passes WINEQT_* on as QT_* instead.
export WINEPATH="$("$wine" winepath -w "$build/app" 2>/dev/null);$("$wine" winepath -w "$deps/bin" 2>/dev/null)"
export WINEQT_PLUGIN_PATH=$("$wine" winepath -w "$deps/plugins" 2>/dev/null)
export WINEQT_QPA_FONTDIR=$("$wine" winepath -w /usr/share/fonts/truetype/dejavu 2>/dev/null)
export WINEQT_QPA_PLATFORM=offscreen

ctest --test-dir "$build" --output-on-failure -j "$jobs" "${@:2}"
