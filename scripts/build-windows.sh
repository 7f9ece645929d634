#!/usr/bin/env bash
# Cross-builds Sorvanto for 64-bit Windows with MinGW-w64 and makes its installer and its
# portable zip in BUILD_DIR (Sorvanto-VERSION-win64.exe and .zip). The Qt for Windows is
# the one that scripts/qt-mingw-dir.sh finds, by default beside the repository;
# scripts/build-qt-mingw.sh makes one.
#   scripts/build-windows.sh [BUILD_DIR]    (build-windows by default)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=${1:-build-windows}
# shellcheck source=scripts/qt-mingw-dir.sh
. scripts/qt-mingw-dir.sh
if ! $qt_mingw_found; then
  echo "No Qt for Windows in $qt_mingw: make one with scripts/build-qt-mingw.sh $qt_mingw," >&2
  echo "or name one in QT_MINGW_DIR." >&2
  exit 1
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DSORVANTO_QT_MINGW_DIR="$qt_mingw" \
  -DSORVANTO_WERROR=ON -DSORVANTO_BUILD_TESTS=ON
cmake --build "$build"
(cd "$build" && cpack)
# shellcheck source=/dev/null # written by CMake
. "$build/sorvanto-facts.sh"
echo "Installer: $build/$SORVANTO_WINDOWS_INSTALLER"
echo "Zip: $build/$SORVANTO_WINDOWS_ZIP"
