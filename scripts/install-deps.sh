#!/usr/bin/env bash
# Installs the Debian packages Sorvanto builds, runs and tests with, and only those that
# are missing, so it is quick to run again. "install-deps.sh run" installs only what
# building and running the program needs.
set -euo pipefail

# What building and running the program needs; git dates the build by the last commit.
packages=(
  cmake ninja-build g++ pkg-config git
  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core librsvg2-bin
  xvfb xauth x11-utils xdotool imagemagick
)
# What the tests, benchmarks, package check, fuzzers, the Wine test, the Windows build and
# its installer check, and the checks of the scripts and the C++ layout need besides.
if [ "${1:-test}" != run ]; then
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev libssl-dev libxcb1-dev locales
    dpkg-dev file desktop-file-utils libglib2.0-bin appstream lintian
    clang-14 libclang-rt-14-dev g++-mingw-w64-x86-64 wine64 wine
    g++-mingw-w64-x86-64-posix googletest nsis icoutils zip unzip xclip openbox
    shellcheck clang-format
  )
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}"
fi

# The conversion tests check that a locale with a decimal comma changes nothing.
if [ "${1:-test}" != run ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  "${as_root[@]}" sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  "${as_root[@]}" locale-gen >/dev/null
fi
