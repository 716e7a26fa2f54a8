#!/usr/bin/env bash
# Builds the Windows libraries the Windows program needs, once, from Debian's
# own sources with MinGW-w64: Qt (Core, Gui, Widgets, Test, the windows
# platform plugin, the TGA image plugin), giflib, libzip, minizip, LittleCMS
# and GoogleTest.
# They go into a cache outside the repository,
#   ${VTL_WINDOWS_CACHE:-~/.cache/vantorel-windows}/<versions>
# which later runs reuse: a second run costs nothing. The last line printed is
# that folder. The first build takes long (see the README's Windows section);
# it runs at the lowest priority.
#
#   scripts/build-windows-deps.sh            build what is missing, print the folder
#   scripts/build-windows-deps.sh --print    print the folder when complete, else fail
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
# Bump the last part when the recipe below changes: the cache is then rebuilt.
QT_VERSION=6.4.2
GIF_VERSION=5.2.1
ZIP_VERSION=1.7.3
GTEST_VERSION=1.12.1
MINIZIP_VERSION=1.1
LCMS_VERSION=2.14
ID="qt${QT_VERSION}-gif${GIF_VERSION}-zip${ZIP_VERSION}-gtest${GTEST_VERSION}-r1"
cache=${VTL_WINDOWS_CACHE:-$HOME/.cache/vantorel-windows}
prefix=$cache/$ID
work=$cache/work-$ID
toolchain=$here/cmake/mingw-w64-x86_64.cmake
jobs=${JOBS:-$(nproc)}

# Each part leaves a stamp when it is in place; the cache is complete when all are.
# A part added later gets a stamp of its own, so caches built before it only
# build that part.
parts=(giflib libzip minizip googletest qtbase qtimageformats lcms2 licences)
complete() {
  local part
  for part in "${parts[@]}"; do [ -f "$prefix/.done-$part" ] || return 1; done
}
if [ "${1:-}" = "--print" ]; then
  complete || exit 1
  echo "$prefix"
  exit 0
fi
if complete; then
  echo "$prefix"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

# 1. The cross compilers, the host Qt tools the cross build runs, Wine, NSIS.
packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  libz-mingw-w64-dev
  qt6-base-dev qt6-base-dev-tools
  cmake ninja-build perl dpkg-dev xz-utils
  wine wine64 nsis zip unzip imagemagick
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
updated=no
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get -o DPkg::Lock::Timeout=900 update -qq
  updated=yes
  $SUDO apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
fi

# 2. Debian's source packages: a deb-src entry for the archive the machine
# already uses, in a file of its own, when there is none.
if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  src_list=/etc/apt/sources.list.d/vantorel-deb-src.sources
  echo "Adding $src_list"
  if compgen -G '/etc/apt/sources.list.d/*.sources' >/dev/null; then
    # deb822 files: the same stanzas with "Types: deb-src".
    cat /etc/apt/sources.list.d/*.sources |
      awk 'BEGIN{RS="";ORS="\n\n"} /(^|\n)Types:[^\n]*deb([ \n]|$)/ && /URIs:[^\n]*debian/ {print}' |
      sed -E 's/^Types:.*/Types: deb-src/' | $SUDO tee "$src_list" >/dev/null
  fi
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      $SUDO tee -a "$src_list" >/dev/null || true
  fi
  updated=no
fi

mkdir -p "$work" "$prefix"
cd "$work"
fetch() {  # fetch <source package> <upstream version>: unpacked folder name on stdout
  local dir
  dir=$(find . -maxdepth 1 -type d -name "$1-$2*" | head -n 1)
  if [ -z "$dir" ]; then
    if [ "$updated" != yes ] && [ ! -f "$work/.apt-updated" ]; then  # once, when needed
      $SUDO apt-get -o DPkg::Lock::Timeout=900 update -qq >&2
      touch "$work/.apt-updated"
    fi
    apt-get source -qq "$1" >&2
    dir=$(find . -maxdepth 1 -type d -name "$1-$2*" | head -n 1)
  fi
  [ -n "$dir" ] || { echo "apt-get source $1 did not give version $2" >&2; exit 1; }
  echo "$work/${dir#./}"
}
stamp() { touch "$prefix/.done-$1"; }
done_() { [ -f "$prefix/.done-$1" ]; }
log() { echo "[$(date +%T)] $*"; }

cmake_cross=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVTL_WINDOWS_DEPS="$prefix"
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix")
nice_build() { nice -n 19 cmake --build "$1" -j "$jobs"; }

start=$(date +%s)

# 3. giflib: a handful of C files; its Makefile is for Unix, so they are
# compiled here directly into a static library.
if ! done_ giflib; then
  src=$(fetch giflib "$GIF_VERSION")
  mkdir -p "$prefix/include" "$prefix/lib" "$work/giflib-build"
  objs=()
  for c in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
    [ -f "$src/$c.c" ] || continue
    nice -n 19 x86_64-w64-mingw32-gcc-posix -O2 -c "$src/$c.c" -o "$work/giflib-build/$c.o"
    objs+=("$work/giflib-build/$c.o")
  done
  rm -f "$prefix/lib/libgif.a"
  x86_64-w64-mingw32-ar rcs "$prefix/lib/libgif.a" "${objs[@]}"
  cp "$src/gif_lib.h" "$prefix/include/"
  stamp giflib
fi

# 4. libzip, static, with zlib from libz-mingw-w64-dev and nothing else.
if ! done_ libzip; then
  src=$(fetch libzip "$ZIP_VERSION")
  rm -rf "$work/libzip-build"
  nice -n 19 cmake -S "$src" -B "$work/libzip-build" "${cmake_cross[@]}" \
    -DBUILD_SHARED_LIBS=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
    -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF \
    -DENABLE_WINDOWS_CRYPTO=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF \
    -DBUILD_DOC=OFF
  nice_build "$work/libzip-build"
  cmake --install "$work/libzip-build" >/dev/null
  stamp libzip
fi

# 4b. minizip (zlib's pk3/zip reader), static, as the Linux build links it.
if ! done_ minizip; then
  src=$(fetch minizip "$MINIZIP_VERSION")
  mkdir -p "$prefix/include/minizip" "$work/minizip-build"
  objs=()
  for c in ioapi unzip zip iowin32; do
    [ -f "$src/$c.c" ] || continue
    nice -n 19 x86_64-w64-mingw32-gcc-posix -O2 -I/usr/x86_64-w64-mingw32/include \
      -c "$src/$c.c" -o "$work/minizip-build/$c.o"
    objs+=("$work/minizip-build/$c.o")
    cp "$src/$c.h" "$prefix/include/minizip/"
  done
  [ -f "$src/crypt.h" ] && cp "$src/crypt.h" "$prefix/include/minizip/"
  rm -f "$prefix/lib/libminizip.a"
  x86_64-w64-mingw32-ar rcs "$prefix/lib/libminizip.a" "${objs[@]}"
  stamp minizip
fi

# 4c. LittleCMS, the colour distance's library, as lcms2.dll: the program opens
# it by that name the first time it compares colours (QLibrary ignores the
# Unix version number on Windows). Its C files only, compiled here directly
# as for giflib; lcms2.pc gives the Windows build its header.
if ! done_ lcms2; then
  src=$(fetch lcms2 "$LCMS_VERSION")
  mkdir -p "$prefix/include" "$prefix/bin" "$prefix/lib/pkgconfig"
  nice -n 19 x86_64-w64-mingw32-gcc-posix -O2 -shared -DCMS_DLL_BUILD -I"$src/include" \
    "$src"/src/*.c -o "$prefix/bin/lcms2.dll" -static-libgcc -Wl,--no-insert-timestamp
  x86_64-w64-mingw32-strip --strip-unneeded "$prefix/bin/lcms2.dll"
  cp "$src/include/lcms2.h" "$prefix/include/"
  printf '%s\n' "prefix=$prefix" 'includedir=${prefix}/include' '' 'Name: lcms2' \
    'Description: LittleCMS (header only: the program opens lcms2.dll itself)' \
    "Version: $LCMS_VERSION" 'Cflags: -I${includedir}' >"$prefix/lib/pkgconfig/lcms2.pc"
  stamp lcms2
fi

# 5. GoogleTest from Debian's own copy of its source.
if ! done_ googletest; then
  rm -rf "$work/googletest-build"
  nice -n 19 cmake -S /usr/src/googletest -B "$work/googletest-build" "${cmake_cross[@]}" \
    -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF
  nice_build "$work/googletest-build"
  cmake --install "$work/googletest-build" >/dev/null
  stamp googletest
fi

# 6. Qt: FreeType only for the offscreen platform the tests run on; shared
# libraries, so the program, its plugins and every test program
# use one copy of Qt (a static Qt would be linked into each of the many test
# programs) and Qt stays replaceable as its licence (LGPL) expects.
if ! done_ qtbase; then
  src=$(fetch qt6-base "$QT_VERSION")
  log "Qt base from $src"
  # Debian's source leaves out the Wintab headers (their licence forbids
  # changes), which the windows plugin's Wintab tablet path includes. That path
  # is opt-in (Qt reads pens through Windows Ink by default), so the plugin is
  # built without it; the rest of Qt keeps its tablet events. Idempotent.
  plugin=$src/src/plugins/platforms/windows
  if grep -rqs 'QT_CONFIG(tabletevent)' "$plugin"; then
    grep -rl 'QT_CONFIG(tabletevent)' "$plugin" | xargs sed -i 's/QT_CONFIG(tabletevent)/0/g'
    sed -i 's/CONDITION QT_FEATURE_tabletevent$/CONDITION OFF/' "$plugin/CMakeLists.txt"
  fi
  # Qt 6.4's Gui builds its DirectWrite font database only with Direct2D, which
  # is off here, while the windows plugin asks only for DirectWrite 3 before
  # naming it: the plugin then fails to link. That database is opt-in
  # (-platform windows:fontengine=directwrite); the default GDI one stays.
  sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$plugin/qwindowsintegration.cpp"
  # Configured once: a run that was stopped goes on where it stopped.
  [ -f "$work/qtbase-build/build.ninja" ] ||
  nice -n 19 cmake -S "$src" -B "$work/qtbase-build" "${cmake_cross[@]}" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DQT_BUILD_BENCHMARKS=OFF -DQT_BUILD_MANUAL_TESTS=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_icu=OFF \
    -DFEATURE_direct2d=OFF -DFEATURE_androiddeployqt=OFF -DFEATURE_windeployqt=OFF \
    -DFEATURE_zlib=ON -DFEATURE_system_zlib=OFF -DFEATURE_png=ON -DFEATURE_system_png=OFF \
    -DFEATURE_jpeg=ON -DFEATURE_system_jpeg=OFF -DFEATURE_gif=ON \
    -DFEATURE_pcre2=ON -DFEATURE_system_pcre2=OFF \
    -DFEATURE_harfbuzz=ON -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF \
    -DFEATURE_testlib=ON -DFEATURE_sql_sqlite=OFF
  nice_build "$work/qtbase-build"
  cmake --install "$work/qtbase-build" >/dev/null
  stamp qtbase
  log "Qt base built in $(( ($(date +%s) - start) / 60 )) min"
fi

# 7. The TGA image plugin (Quake III fonts are TGA pictures); the small WBMP
# and ICNS plugins come with it, the ones with libraries of their own do not.
if ! done_ qtimageformats; then
  src=$(fetch qt6-imageformats "$QT_VERSION")
  rm -rf "$work/qtimageformats-build"
  nice -n 19 "$prefix/bin/qt-cmake" -S "$src" -B "$work/qtimageformats-build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release -DQT_HOST_PATH=/usr \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_tiff=OFF -DFEATURE_webp=OFF -DFEATURE_mng=OFF -DFEATURE_jasper=OFF
  nice_build "$work/qtimageformats-build"
  cmake --install "$work/qtimageformats-build" >/dev/null
  stamp qtimageformats
fi

# 8. The licences of what ships beside the program (Qt with the libraries in
# its source, LittleCMS, minizip, zlib, the GCC and MinGW-w64 runtimes), for
# the package's licences folder: each source's Debian copyright file and the
# licence texts they refer to.
if ! done_ licences; then
  mkdir -p "$prefix/licences"
  for part in qt6-base qt6-imageformats lcms2 minizip; do
    dir=$(find "$work" -maxdepth 1 -type d -name "$part-[0-9]*" | head -n 1)
    [ -f "$dir/debian/copyright" ] || { echo "No Debian copyright file for $part in $work" >&2; exit 1; }
    cp "$dir/debian/copyright" "$prefix/licences/$part.txt"
  done
  cp /usr/share/doc/gcc-mingw-w64-base/copyright "$prefix/licences/gcc-runtime.txt"
  cp /usr/share/doc/mingw-w64-common/copyright "$prefix/licences/mingw-w64.txt"
  cp /usr/share/doc/libz-mingw-w64-dev/copyright "$prefix/licences/zlib.txt"
  for text in LGPL-3 GPL-3; do cp "/usr/share/common-licenses/$text" "$prefix/licences/$text.txt"; done
  stamp licences
fi

log "Windows libraries complete in $(( ($(date +%s) - start) / 60 )) min"
complete || { echo "The Windows libraries are incomplete" >&2; exit 1; }
echo "$prefix"
