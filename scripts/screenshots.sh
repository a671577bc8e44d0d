#!/usr/bin/env bash
# Builds Quorbel and takes screenshots of the real window under Xvfb at 1280×1024 (start-up, the
# STEP dialog, the print preview, the print dialog, the colour dialog, the help window), prints
# the preview to a PDF through the print dialog and turns that PDF into PNG. Everything lands in
# build/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j 2 --target quorbel_screenshots
out="$PWD/build/screenshots"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r data/. "$work/"
mkdir -p "$work/UsCurves"
xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/qt/quorbel_screenshots "$work" "$out"
if command -v pdftoppm >/dev/null && [ -f "$out/printed.pdf" ]; then
  pdftoppm -png -r 50 "$out/printed.pdf" "$out/7-printed"
  echo "printed page: $out/7-printed-1.png"
fi
