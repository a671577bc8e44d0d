#!/usr/bin/env bash
# Builds Quorbel and runs the whole test suite: the desktop's, then the browser page's in headless
# Chromium and Firefox (built by scripts/web.sh). With --sanitize, the desktop's suite built with the address
# and undefined-behaviour sanitizers, in a build folder of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

build=build
options=(-DCMAKE_BUILD_TYPE=Release)
if [ "${1:-}" = "--sanitize" ]; then
  build=build-sanitize
  options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORBEL_SANITIZE=ON -DQUORBEL_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S . -B "$build" -G Ninja "${options[@]}"
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

if [ "$build" = build ]; then
  bash scripts/web.sh >/dev/null
  (cd web/tests && npm ci --no-audit --no-fund --loglevel=error && node --test page.test.mjs devices.test.mjs)
  # The same in Firefox, through WebDriver BiDi.
  (cd web/tests && QUORBEL_BROWSER=firefox node --test page.test.mjs devices.test.mjs)
fi
