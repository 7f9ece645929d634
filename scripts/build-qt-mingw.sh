#!/usr/bin/env bash
# Builds the Qt that scripts/build-windows.sh builds Sorvanto for Windows against: Qt
# 6.4.2's qtbase from Debian 12's own source package (the version of Debian's Qt, whose
# host tools moc, rcc and uic the cross-build uses), cross-compiled for 64-bit Windows
# with Debian's MinGW-w64 g++ (posix threads), as shared libraries: Core, Gui, Widgets,
# Test, the Windows platform plugin and styles; no network, SQL, OpenGL or D-Bus. About
# an hour on two cores. Run as root on Debian 12:
#   scripts/build-qt-mingw.sh [PREFIX]    (by default where scripts/qt-mingw-dir.sh looks)
set -euo pipefail
cd "$(dirname "$0")/.."
toolchain=$(pwd)/cmake/mingw-w64-gcc.cmake
[ $# -eq 0 ] || QT_MINGW_DIR=$1
# shellcheck source=scripts/qt-mingw-dir.sh
. scripts/qt-mingw-dir.sh
prefix=$qt_mingw
mkdir -p "$prefix"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
apt-get install -y -qq g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools cmake ninja-build dpkg-dev >/dev/null

# Debian's source package, from the deb-src twin of the machine's package sources
# (deb-src lines are not enabled by default).
sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$work/src.sources"
apt_src=(-o Dir::Etc::SourceList="$work/src.sources" -o Dir::Etc::SourceParts=/dev/null -o Dir::State::Lists="$work/lists")
mkdir -p "$work/lists/partial"
apt-get "${apt_src[@]}" update -qq
(cd "$work" && apt-get "${apt_src[@]}" source --download-only qt6-base=6.4.2+dfsg-10)
tar -xf "$work"/qt6-base_6.4.2+dfsg.orig.tar.xz -C "$work"
# Debian's source leaves out the Wintab header (pen tablets), so the Windows platform
# plugin is built without tablet input.
plugin="$work/qtbase-everywhere-src-6.4.2/src/plugins/platforms/windows"
sed -i 's|QT_CONFIG(tabletevent)|0 /* no wintab.h in this source */|g' "$plugin"/*.cpp "$plugin"/*.h
sed -i 's/CONDITION QT_FEATURE_tabletevent/CONDITION OFF/' "$plugin/CMakeLists.txt" "$plugin/../direct2d/CMakeLists.txt"

cmake -S "$work/qtbase-everywhere-src-6.4.2" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF -DFEATURE_xml=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF \
  -DFEATURE_testlib=ON
cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build" --strip
echo "Qt for Windows: $prefix"
