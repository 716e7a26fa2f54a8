#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the screenshots need,
# and only those that are missing, so a second run costs nothing.
# With the argument "fuzz": the extra packages `make fuzz` needs instead.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libgif-dev libminizip-dev
  # libzip: the charset tests write and read zips with it, apart from the program's reader
  libzip-dev
  liblcms2-dev
  qt6-image-formats-plugins
  clang-format
  fonts-dejavu-core fonts-dejavu-extra xdotool
  # the fonts ET: Legacy and Warfork draw names with (their maps)
  fonts-jetbrains-mono fonts-droid-fallback
  xvfb xauth imagemagick
  time
  # the Debian package and its checks (make package, the package tests)
  dpkg-dev file lintian desktop-file-utils appstream
)

# make fuzz: clang with libFuzzer and the sanitizer runtimes
fuzz_packages=(clang-14 libclang-rt-14-dev)
if [ "${1:-}" = fuzz ]; then
  packages=("${fuzz_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
