#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need (the browser build and
# its tests included), when any is missing.
# As root it runs apt-get; otherwise it prints the exact command and stops. With --fuzz, also
# the compiler of the fuzz targets.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libgtest-dev googletest libbenchmark-dev
          qt6-base-dev qt6-translations-l10n libfreetype-dev libfontconfig-dev libpng-dev libgif-dev
          fonts-ipafont-gothic fonts-urw-base35 fonts-league-spartan xvfb xauth poppler-utils
          libcairo2-dev librsvg2-bin emscripten nodejs node-acorn dpkg-dev chromium firefox-esr webkit2gtk-driver)
# The machine's Node.js may come with npm of its own, which Debian's npm package conflicts with.
command -v npm >/dev/null || packages+=(npm)
# Optional: the fuzz targets (scripts/fuzz.sh) need clang and its libFuzzer runtime.
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

command="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Quorbel needs these Debian packages: ${missing[*]}" >&2
  echo "Install them as root with:" >&2
  echo "  $command" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
