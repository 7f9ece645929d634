#!/usr/bin/env bash
# Builds Sorvanto and starts it on the default weight table in examples/. Without a
# graphical session it plays a short run on a virtual screen instead and saves a
# screenshot of it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run

cmake -S . -B build -G Ninja -DSORVANTO_WERROR=ON -DSORVANTO_BUILD_TESTS=OFF
cmake --build build --target sorvanto

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cd examples
  exec ../build/app/sorvanto
fi
echo "No graphical session here (DISPLAY is not set), so Sorvanto runs on a virtual screen."
scripts/screenshot.sh build/sorvanto.png
echo "Screenshot of the run: build/sorvanto.png. Start this command from a desktop session to use the program."
