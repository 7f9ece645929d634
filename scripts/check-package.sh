#!/usr/bin/env bash
# Checks that Sorvanto installs like a desktop program, from an already built build
# folder: `cmake --install` into a scratch prefix with a blank in it gives a menu entry
# that validates and starts the installed program on its table; lintian finds nothing to
# report on the Debian package; the package holds every file, none with a library search
# path that names the start folder, and its program starts, unpacked, from its own menu
# entry; and the package installs, starts from its menu entry, and removes again without
# leaving anything behind. The package goes into a throwaway copy of this machine
# (scripts/throwaway-root.sh), never into this machine's own package database: a
# `sorvanto` installed here before is still installed, untouched, afterwards, which the
# check makes sure of as well. The program runs on a virtual screen.
#   scripts/check-package.sh BUILD_DIR
# It needs root, or sudo, for the throwaway copy. Where none can be made (a chroot whose
# / is no mount point, a container where nothing may be mounted) it leaves the install
# out and says so in one line; under CI=true that is a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${SORVANTO_VIRTUAL_SCREEN:-none}" = "${DISPLAY:-}" ] ||
  exec scripts/with-x.sh --size 800x600 scripts/check-package.sh "$@"
# With --installed, it runs in the throwaway copy (below).
installed=false
if [ "${1:-}" = --installed ]; then
  installed=true
  shift
fi
build=$(realpath "${1:?usage: scripts/check-package.sh BUILD_DIR}")
# shellcheck source=/dev/null # written by CMake
. "$build/sorvanto-facts.sh"

scratch=$(mktemp -d)
app=
cleanup() {
  [ -z "$app" ] || kill "$app" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# Starts the program from the menu entry $1 as a desktop does, with GLib's launcher, which
# reads Exec= and Path= by the desktop entry format; and checks that the main window
# appears, of the program installed under the prefix $2, started with no arguments in
# the folder of its table. A start-up error shows a message box with the same title, so
# the window must be the main window's size as well.
start_from_entry() {
  gio launch "$1" 2>"$scratch/stderr"
  local window geometry
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Sorvanto$' | head -n 1) ||
    { echo "no window appeared:"; cat "$scratch/stderr"; exit 1; }
  app=$(xdotool getwindowpid "$window")
  geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: //p')
  [ "$geometry" = "$SORVANTO_INNER_SIZE" ] ||
    { echo "window of $geometry:"; cat "$scratch/stderr"; exit 1; }
  if [ "$(tr '\0' '\n' <"/proc/$app/cmdline")" != "$2/$SORVANTO_LINUX_PROGRAM" ] ||
    [ "$(readlink "/proc/$app/cwd")" != "$2/$SORVANTO_LINUX_TABLE_DIR" ]; then
    echo "the menu entry misses the installed program or its table:"
    cat "$1"
    exit 1
  fi
  kill "$app"
  timeout 10 tail --pid="$app" -f /dev/null
  app=
}

# In the throwaway copy: installs the package with apt as a person would, starts it from
# its menu entry, and purges it.
if $installed; then
  [ "$(findmnt --noheadings --output FSTYPE /)" = overlay ] ||
    { echo "--installed installs packages: only in scripts/throwaway-root.sh" >&2; exit 2; }
  apt=(env DEBIAN_FRONTEND=noninteractive apt-get -y -qq)
  "${apt[@]}" --no-install-recommends install "$build/$SORVANTO_DEB_FILE" >/dev/null
  owned=()
  while read -r path; do
    [ -d "$path" ] || owned+=("$path")
  done < <(dpkg-query --listfiles sorvanto)
  for file in "${SORVANTO_LINUX_FILES[@]}"; do
    printf '%s\n' "${owned[@]}" | grep -qx "/usr/$file" || { echo "not packaged: $file"; exit 1; }
  done
  echo "== Starting the installed package from its menu entry"
  start_from_entry "/usr/$SORVANTO_LINUX_ENTRY" /usr
  echo "== Removing the package"
  "${apt[@]}" purge sorvanto >/dev/null
  status=$(dpkg-query --show --showformat='${db:Status-Status}' sorvanto 2>/dev/null || true)
  [ -z "$status" ] || [ "$status" = not-installed ] || { echo "sorvanto is $status"; exit 1; }
  # Shared folders such as the icon theme's stay; the program's own folder goes.
  for path in "${owned[@]}" "/usr/$SORVANTO_LINUX_TABLE_DIR"; do
    [ ! -e "$path" ] || { echo "left behind: $path"; exit 1; }
  done
  exit 0
fi

echo "== cmake --install into a prefix with a blank"
prefix="$scratch/my apps"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in "${SORVANTO_LINUX_FILES[@]}"; do
  [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
  # A bitmap icon must have the size its folder names.
  size=$(sed -n 's|.*/\([0-9]*\)x\1/apps/[^/]*\.png$|\1|p' <<<"$file")
  [ -z "$size" ] || file "$prefix/$file" | grep -q "PNG image data, $size x $size" ||
    { echo "not a $size-pixel icon: $file"; exit 1; }
done
cmp examples/table.txt "$prefix/$SORVANTO_LINUX_TABLE_DIR/table.txt"
desktop-file-validate "$prefix/$SORVANTO_LINUX_ENTRY"
appstreamcli validate --no-net "$prefix/$SORVANTO_LINUX_METAINFO"
echo "== Starting it from that menu entry"
start_from_entry "$prefix/$SORVANTO_LINUX_ENTRY" "$prefix"

echo "== Debian package"
rm -f "$build"/sorvanto_*.deb
(cd "$build" && cpack >/dev/null)
deb=$build/$SORVANTO_DEB_FILE
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for package in libqt6widgets6 qt6-qpa-plugins; do
  grep -q "\<$package\>" <<<"$depends" || { echo "Depends lacks $package"; exit 1; }
done
echo "== lintian"
# lintian leaves a database file in its temporary folder.
TMPDIR=$scratch lintian --fail-on error,warning "$deb"

echo "== The package unpacked, started from its menu entry"
unpacked=$scratch/unpacked
dpkg-deb --extract "$deb" "$unpacked"
for file in "${SORVANTO_LINUX_FILES[@]}"; do
  [ -f "$unpacked/usr/$file" ] || { echo "not packaged: $file"; exit 1; }
done
tests/loader/check-runpath.sh "$unpacked"
# The entry names the program and the table's folder under /usr: here they are unpacked.
sed -e "s|^Exec=\"/usr/|Exec=\"$unpacked/usr/|" -e "s|^Path=/usr/|Path=$unpacked/usr/|" \
  "$unpacked/usr/$SORVANTO_LINUX_ENTRY" >"$scratch/unpacked.desktop"
start_from_entry "$scratch/unpacked.desktop" "$unpacked/usr"

if ! throwaway=$(scripts/throwaway-root.sh --check 2>&1); then
  note="Left out: installing and removing the package with apt, since no throwaway copy of"
  note+=" this machine can be made here ($(tail -n 1 <<<"$throwaway"))."
  [ "${CI:-}" != true ] || { echo "$note CI checks that too." >&2; exit 1; }
  echo "$note"
  exit 0
fi

# This machine's own sorvanto package, if any: its state and each of its files.
host_package() {
  dpkg-query --show --showformat='${db:Status-Status} ${Version}\n' sorvanto 2>/dev/null || true
  { dpkg-query --listfiles sorvanto 2>/dev/null || true; } | while read -r path; do
    [ ! -f "$path" ] || sha256sum "$path"
  done
}
before=$(host_package)
echo "== Installing the package in a throwaway copy of this machine"
scripts/throwaway-root.sh --share "$build" scripts/check-package.sh --installed "$build"
[ "$(host_package)" = "$before" ] || { echo "this machine's sorvanto package changed"; exit 1; }
echo "This machine's own sorvanto package: $(head -n 1 <<<"$before" | sed 's/^$/none/'), untouched."
echo "The package installs, starts from its menu entry and removes cleanly."
