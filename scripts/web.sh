#!/usr/bin/env bash
# Builds Quorbel for the browser: build-web/index.html (with its files beside it, for a web
# server, with a service worker that keeps them for use with no network) and build-web/quorbel.html (one self-contained file that works from file://). As root it
# installs what is missing; the C libraries are built from Debian's sources (scripts/web-libs.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
bash scripts/web-libs.sh >/dev/null

out=build-web
emcmake cmake -S . -B "$out/core" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$out/core" -j 2 --target quorbel-web quorbel-render

# The page's files.
cp web/index.html web/quorbel.css web/*.js "$out/"
cp "$out/core/src/web/quorbel.js" "$out/core/src/web/quorbel.wasm" "$out/"
rm -rf "$out/data" "$out/fonts"
mkdir -p "$out/data/BtCurves" "$out/data/UsCurves" "$out/fonts"
cp data/Curves20.crx data/Vantorel.hlp "$out/data/"
cp data/BtCurves/*.crv "$out/data/BtCurves/"
# The faces the desktop finds through fontconfig, from Debian's font packages, with their licences.
fonts=(/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
       /usr/share/fonts/opentype/urw-base35/URWBookman-Light.otf /usr/share/fonts/opentype/urw-base35/URWBookman-Demi.otf
       /usr/share/fonts/opentype/urw-base35/URWBookman-LightItalic.otf
       /usr/share/fonts/opentype/urw-base35/URWBookman-DemiItalic.otf
       /usr/share/fonts/opentype/urw-base35/NimbusRoman-Regular.otf /usr/share/fonts/opentype/urw-base35/NimbusRoman-Italic.otf
       /usr/share/fonts/opentype/urw-base35/NimbusRoman-Bold.otf /usr/share/fonts/opentype/urw-base35/NimbusRoman-BoldItalic.otf
       /usr/share/fonts/opentype/league-spartan/LeagueSpartan-Bold.otf)
cp -L "${fonts[@]}" "$out/fonts/"
cp /usr/share/doc/fonts-ipafont-gothic/copyright "$out/fonts/LICENSE-IPAfont.txt"
cp /usr/share/doc/fonts-urw-base35/copyright "$out/fonts/LICENSE-URW-base35.txt"
cp /usr/share/doc/fonts-league-spartan/copyright "$out/fonts/LICENSE-League-Spartan.txt"
python3 scripts/web-bundle.py "$out"
# Installable and offline from a web server: the web app manifest, the icon from the program's
# artwork, the service worker and the list of files it keeps (the single file needs none of them).
cp web/quorbel.webmanifest "$out/"
for size in 192 512; do rsvg-convert -w "$size" -h "$size" src/qt/desktop/quorbel.svg -o "$out/icon-$size.png"; done
(cd "$out" && python3 -c '
import json, pathlib
files = ["index.html", "quorbel.css", "quorbel.js", "manifest.json", "quorbel.webmanifest", "icon-192.png", "icon-512.png"]
files += sorted(p.name for p in pathlib.Path(".").glob("*.js") if p.name not in ("quorbel.js", "ServiceWorker.js"))
files += json.load(open("manifest.json", encoding="utf-8"))["files"]
json.dump(files, open("offline.json", "w", encoding="utf-8"), ensure_ascii=False, indent=1)')
ls -l "$out/index.html" "$out/quorbel.html"
