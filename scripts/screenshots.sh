#!/usr/bin/env bash
# Builds Quorbel and takes screenshots of the real window under Xvfb at 1280×1024 (start-up, the
# STEP dialog, the print preview, the print dialog, the colour dialog, the help window), prints
# the preview to a PDF on A4 through the print dialog and turns that PDF into PNG (849 pixels
# high, as the preview); then the picture shown large on a 1920×1080 screen, and the window on a
# screen of two device pixels per logical pixel. Everything lands in build/screenshots/.
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
  pdftoppm -png -scale-to 849 "$out/printed.pdf" "$out/7-printed"
  echo "printed page: $out/7-printed-1.png"
fi
xvfb-run -a -s "-screen 0 1920x1080x24" build/tests/qt/quorbel_screenshots "$work" "$out" large
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2560x2048x24" build/tests/qt/quorbel_screenshots "$work" "$out" hidpi
