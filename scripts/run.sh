#!/usr/bin/env bash
# Builds Quorbel and starts it on the shipped curves.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)"
if [ -x build/src/qt/quorbel ]; then
  cd data && exec ../build/src/qt/quorbel
fi
# Without the desktop front end: draw the start-up picture headless.
build/src/quorbel-render -C data -o build/first.png
echo "The start-up picture is in build/first.png"
