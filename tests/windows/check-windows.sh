#!/usr/bin/env bash
# The Windows program as users get it, checked under Wine (run by
# scripts/test-windows.sh, which sets up the Wine prefix):
#   check-windows.sh zip <zip> <Linux program> <this folder>
#   check-windows.sh installer <setup.exe>
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
wine=$(command -v wine)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Wine passes WINEQT_* to the program as QT_* (scripts/test-windows.sh).
export WINEDEBUG=-all WINEQT_QPA_PLATFORM=offscreen
# The program finds Qt beside itself, not through the build's search path.
unset WINEPATH
# Console output through Wine: the Windows line ends go.
win() { "$wine" "$@" | tr -d '\r'; }

case $1 in
zip)
  zip=$2 linux=$3 here=$4
  [[ -f $zip ]] || fail "$zip is missing: run make windows"
  (cd "$work" && unzip -q "$zip")
  dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d)
  for f in vantorel.exe vantorel.com Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
    libstdc++-6.dll zlib1.dll lcms2.dll platforms/qwindows.dll imageformats/qtga.dll imageformats/qgif.dll \
    imageformats/qjpeg.dll styles/qwindowsvistastyle.dll q3a/q3-white.gif vtl.ini \
    docs/index.html README.txt LICENSE.txt licences/LGPL-3.txt licences/qt6-base.txt; do
    [[ -f $dir/$f ]] || fail "the zip has no $f"
  done
  [[ $(cat "$dir/vtl.ini") == $'[Vantorel]\r\nfirst=yes\r' ]] || fail "vtl.ini is not the default"

  # The console side answers as the Linux program does.
  [[ $(win "$dir/vantorel.com" --version) == "$("$linux" --version)" ]] ||
    fail "--version: $(win "$dir/vantorel.com" --version)"
  printf 'name "^1A^7b" //VTL G2 v6.3\r\nname "plain"\r\n' >"$work/names.cfg"
  set +e
  linux_out=$(cd "$work" && "$linux" --check --mode quake3 names.cfg 2>&1)
  linux_status=$?
  windows_out=$(cd "$work" && win "$dir/vantorel.com" --check --mode quake3 names.cfg 2>&1)
  windows_status=$?
  set -e
  [[ $windows_out == "$linux_out" && $windows_status == "$linux_status" ]] ||
    fail "--check differs: Windows ($windows_status) '$windows_out', Linux ($linux_status) '$linux_out'"

  # Started from the unpacked folder: the greeting first, recorded in the
  # settings beside the program, which is a portable copy.
  out=$(VTL_QUIT_AFTER_SHOW=1 timeout 60 "$wine" "$dir/vantorel.exe" 2>&1 | tr -d '\r') ||
    fail "the program did not end by itself: $out"
  [[ $out == *"first window: QMessageBox"* ]] || fail "no greeting first: $out"
  grep -q '^first=no' "$dir/vtl.ini" || fail "the settings beside the program were not written"
  out=$(VTL_QUIT_AFTER_SHOW=1 timeout 60 "$wine" "$dir/vantorel.exe" 2>&1 | tr -d '\r')
  [[ $out == *"first window: "*"MainWindow"* ]] || fail "no main window: $out"
  ;;

installer)
  setup=$2
  [[ -f $setup ]] || fail "$setup is missing: run make windows"
  target='C:\vantorel-test'
  unix_target=$("$wine" winepath -u "$target" 2>/dev/null)
  rm -rf "$unix_target"
  "$wine" "$setup" /S "/D=$target"
  for f in vantorel.exe vantorel.com uninstall.exe Qt6Core.dll q3a/q3-white.gif vtl.ini docs/index.html; do
    [[ -f $unix_target/$f ]] || fail "the installer put no $f"
  done
  programs=$("$wine" winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs' 2>/dev/null)
  [[ -f "$programs/Vantorel G2.lnk" ]] || fail "no Start menu entry"
  "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VantorelG2' \
    /v DisplayVersion >/dev/null 2>&1 || fail "no uninstall entry"
  # In place (_?=), so it finishes before this goes on.
  "$wine" "$unix_target/uninstall.exe" /S "_?=$target"
  left=$(if [[ -d $unix_target ]]; then cd "$unix_target" && find . -type f ! -name uninstall.exe; fi)
  [[ -z $left ]] || fail "the uninstaller left: $left"
  [[ ! -e "$programs/Vantorel G2.lnk" ]] || fail "the Start menu entry stayed"
  rm -rf "$unix_target"
  ;;
*) fail "unknown check $1" ;;
esac
echo "ok"
