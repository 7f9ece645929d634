#!/usr/bin/env bash
# Checks that the packages are reproducible: two clean clones of the last commit, in two
# folders whose paths differ in length, are built one after the other as the README says,
# and the Debian packages they make must be the same to the byte. With --windows, the
# program for Windows, its installer and its zip as well, which needs the Qt for Windows
# (scripts/qt-mingw-dir.sh says where it is looked for).
#   scripts/check-reproducible.sh [--windows]
# Neither build sets SOURCE_DATE_EPOCH: the build takes the last commit's time itself.
# Changes not yet committed are not part of the check.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=false
case "${1:-}" in
  --windows) windows=true ;;
  "") ;;
  *) echo "usage: $0 [--windows]" >&2; exit 2 ;;
esac
# shellcheck source=scripts/qt-mingw-dir.sh
. scripts/qt-mingw-dir.sh
commit=$(git rev-parse HEAD)
git diff --quiet HEAD || echo "Not committed, so left out of this check: $(git diff --name-only HEAD | xargs)"

scratch=$(mktemp -d)
log=
finish() {
  local status=$?
  if [ "$status" -eq 0 ]; then rm -rf "$scratch"; return; fi
  [ -z "$log" ] || tail -n 30 "$log"
  echo "The builds are kept in $scratch."
}
trap finish EXIT
unset SOURCE_DATE_EPOCH

# Builds the commit in the folder $1 and copies what it made to $1.out/; the build's
# output goes to $1.log.
build() {
  local tree=$1
  mkdir -p "$(dirname "$tree")" "$tree.out"
  log=$tree.log
  exec 3>&1 >"$log" 2>&1
  git clone -q --no-checkout "$PWD" "$tree"
  git -C "$tree" checkout -q "$commit"
  (
    cd "$tree"
    # The README's build, without the tests, which the package leaves out anyway.
    cmake -S . -B build -G Ninja -DSORVANTO_BUILD_TESTS=OFF
    nice cmake --build build
    cd build && cpack
  )
  # shellcheck source=/dev/null # written by CMake
  . "$tree/build/sorvanto-facts.sh"
  cp "$tree/build/$SORVANTO_DEB_FILE" "$tree.out/"
  if $windows; then
    QT_MINGW_DIR=$qt_mingw nice "$tree/scripts/build-windows.sh" build-windows
    cp "$tree/build-windows/Sorvanto.exe" "$tree/build-windows/$SORVANTO_WINDOWS_INSTALLER" \
      "$tree/build-windows/$SORVANTO_WINDOWS_ZIP" "$tree.out/"
  fi
  exec >&3 2>&1 3>&-
  log=
}

# Where two files differ: each member of a package that differs, and its first bytes that do.
explain() {
  local first=$1 second=$2 name=${1##*/}
  case "$name" in
    *.deb)
      mkdir -p "$scratch/unpacked"
      dpkg-deb -R "$first" "$scratch/unpacked/1"
      dpkg-deb -R "$second" "$scratch/unpacked/2"
      diff -r "$scratch/unpacked/1" "$scratch/unpacked/2" || true
      (cd "$scratch/unpacked/1" && find . -type f) | while read -r member; do
        cmp -l "$scratch/unpacked/1/$member" "$scratch/unpacked/2/$member" 2>/dev/null |
          head -n 20 | sed "s|^|  $member: |" || true
      done
      rm -rf "$scratch/unpacked"
      ;;
    *) cmp -l "$first" "$second" | head -n 40 || true ;;
  esac
}

start=$(date +%s)
build "$scratch/one/sorvanto"
build "$scratch/a-folder-with-a-longer-path/sorvanto"
echo "Built commit ${commit:0:12} twice in $(($(date +%s) - start)) s."

status=0
for made in "$scratch/one/sorvanto.out"/*; do
  name=${made##*/}
  other=$scratch/a-folder-with-a-longer-path/sorvanto.out/$name
  if cmp -s "$made" "$other"; then
    echo "same:    $(sha256sum <"$made" | cut -d' ' -f1)  $name"
  else
    echo "DIFFERS: $name"
    sha256sum "$made" "$other"
    explain "$made" "$other"
    status=1
  fi
done
[ "$status" -eq 0 ]
