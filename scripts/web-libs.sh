#!/usr/bin/env bash
# Builds the C libraries the core needs (zlib, libpng, giflib, FreeType) for WebAssembly from Debian's own
# source packages, into build-web/libs (sources in build-web/sources, the installed libraries
# and headers in build-web/libs/prefix). Adds a deb-src entry for the suite this machine uses
# when there is none. Does nothing for a library that is already installed there.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD/build-web/libs"
sources="$root/sources"
prefix="$root/prefix"
mkdir -p "$sources" "$prefix"
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"

# The source entry mirrors the binary one: same archive, same suites.
if ! apt-get source --print-uris -qq zlib >/dev/null 2>&1; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "apt has no deb-src entry; as root, web.sh adds one" >&2
    exit 1
  fi
  sed -n 's/^Types: deb$/Types: deb-src/p; /^URIs:/p; /^Suites:/p; /^Components:/p; /^Signed-By:/p; /^$/p' \
    /etc/apt/sources.list.d/debian.sources > /etc/apt/sources.list.d/quorbel-deb-src.sources
  apt-get update -q
fi

fetch() {  # fetch SOURCE-PACKAGE: unpacks Debian's source into $sources/SOURCE-PACKAGE
  local package=$1
  [ -d "$sources/$package" ] && return
  local scratch
  scratch=$(mktemp -d "$sources/.fetch.XXXX")
  # The security archive may keep no sources; the suite's own version is then the one built.
  (cd "$scratch" && { apt-get source -qq "$package" >/dev/null 2>&1 ||
                      apt-get source -qq "$package/$(. /etc/os-release && echo "$VERSION_CODENAME")" >/dev/null; })
  local unpacked
  unpacked=$(find "$scratch" -mindepth 1 -maxdepth 1 -type d | head -1)
  mv "$unpacked" "$sources/$package"
  rm -rf "$scratch"
}

if [ ! -f "$prefix/lib/libz.a" ]; then
  fetch zlib
  # zlib is a handful of C files; its CMake file wants Windows resources Debian's source omits.
  mkdir -p "$root/build-zlib" "$prefix/lib" "$prefix/include"
  for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
              inftrees trees uncompr zutil; do
    emcc -O2 -DHAVE_UNISTD_H -c "$sources/zlib/$file.c" -o "$root/build-zlib/$file.o"
  done
  emar rcs "$prefix/lib/libz.a" "$root"/build-zlib/*.o
  cp "$sources/zlib/zlib.h" "$sources/zlib/zconf.h" "$prefix/include/"
fi

if [ ! -f "$prefix/lib/libpng16.a" ]; then
  fetch libpng1.6
  emcmake cmake -S "$sources/libpng1.6" -B "$root/build-png" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" -DM_LIBRARY="" >/dev/null
  cmake --build "$root/build-png" -j2 >/dev/null
  cmake --install "$root/build-png" >/dev/null
fi

if [ ! -f "$prefix/lib/libgif.a" ]; then
  fetch giflib
  # giflib's library is a handful of C files beside its tools; its Makefile builds the tools too.
  mkdir -p "$root/build-gif"
  for file in dgif_lib egif_lib gifalloc gif_err gif_hash openbsd-reallocarray quantize; do
    emcc -O2 -c "$sources/giflib/$file.c" -o "$root/build-gif/$file.o"
  done
  emar rcs "$prefix/lib/libgif.a" "$root"/build-gif/*.o
  cp "$sources/giflib/gif_lib.h" "$prefix/include/"
fi

if [ ! -f "$prefix/lib/libfreetype.a" ]; then
  fetch freetype
  # FreeType flattens quadratic curves by a different method on 32-bit targets without SSE2,
  # which shifts the grey of a few glyph edge pixels. The browser takes the 64-bit desktops'
  # method, so that text comes out exactly as on the desktop.
  grep -q "__wasm__" "$sources/freetype/src/smooth/ftgrays.c" ||
    sed -i 's/^#if FT_SSE2                || \\$/#if FT_SSE2 || defined( __wasm__ ) || \\/' \
      "$sources/freetype/src/smooth/ftgrays.c"
  grep -q "__wasm__" "$sources/freetype/src/smooth/ftgrays.c"
  emcmake cmake -S "$sources/freetype" -B "$root/build-freetype" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_PNG=ON \
    -DFT_REQUIRE_ZLIB=ON -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" >/dev/null
  cmake --build "$root/build-freetype" -j2 >/dev/null
  cmake --install "$root/build-freetype" >/dev/null
fi
echo "WebAssembly libraries in $prefix"
