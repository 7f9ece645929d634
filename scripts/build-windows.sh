#!/usr/bin/env bash
# Cross-builds Sorvanto for 64-bit Windows with MinGW-w64 and makes its installer,
# BUILD_DIR/Sorvanto-1.0.0-win64.exe. The Qt for Windows is taken from QT_MINGW_DIR,
# by default ../shared/qt6-mingw/qt beside the repository; scripts/build-qt-mingw.sh
# makes one.
#   scripts/build-windows.sh [BUILD_DIR]    (build-windows by default)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=${1:-build-windows}
qt=${QT_MINGW_DIR:-../shared/qt6-mingw/qt}
if [ ! -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "No Qt for Windows in $qt: make one with scripts/build-qt-mingw.sh $qt," >&2
  echo "or name one in QT_MINGW_DIR." >&2
  exit 1
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DSORVANTO_QT_MINGW_DIR="$(cd "$qt" && pwd)" \
  -DSORVANTO_WERROR=ON -DSORVANTO_BUILD_TESTS=ON
cmake --build "$build"
(cd "$build" && cpack)
echo "Installer: $build/Sorvanto-1.0.0-win64.exe"
