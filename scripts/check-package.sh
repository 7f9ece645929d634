#!/usr/bin/env bash
# Checks that Sorvanto installs like a desktop program, from an already built build
# folder: `cmake --install` into a scratch prefix with a blank in it gives a menu entry
# that validates and starts the installed program on its table, on a virtual screen;
# lintian finds nothing to report on the Debian package; and the package installs on
# this machine, starts from its menu entry, and removes again without leaving anything
# behind.
#   scripts/check-package.sh BUILD_DIR
# It installs and removes the package `sorvanto` on this machine, as root or with sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:?usage: scripts/check-package.sh BUILD_DIR}")

app_id=example.sorvanto.Sorvanto
entry=share/applications/$app_id.desktop
metainfo=share/metainfo/$app_id.metainfo.xml
installed=(
  bin/sorvanto
  share/sorvanto/table.txt
  share/icons/hicolor/scalable/apps/$app_id.svg
  share/icons/hicolor/32x32/apps/$app_id.png
  share/icons/hicolor/256x256/apps/$app_id.png
  "$entry"
  "$metainfo"
  share/doc/sorvanto/copyright
  share/doc/sorvanto/changelog.gz
  share/man/man1/sorvanto.1.gz
)

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300)

scratch=$(mktemp -d)
app=
xvfb=
package_installed=
cleanup() {
  [ -z "$app" ] || kill "$app" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  [ -z "$package_installed" ] || "${apt[@]}" purge sorvanto >/dev/null || true
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
  [ "$geometry" = 632x423 ] || { echo "window of $geometry:"; cat "$scratch/stderr"; exit 1; }
  if [ "$(tr '\0' '\n' <"/proc/$app/cmdline")" != "$2/bin/sorvanto" ] ||
    [ "$(readlink "/proc/$app/cwd")" != "$2/share/sorvanto" ]; then
    echo "the menu entry misses the installed program or its table:"
    cat "$1"
    exit 1
  fi
  kill "$app"
  timeout 10 tail --pid="$app" -f /dev/null
  app=
}

# Kept from resetting when its last client leaves, which would refuse the next start.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$scratch/display" &
xvfb=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$scratch/display")

echo "== cmake --install into a prefix with a blank"
prefix="$scratch/my apps"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in "${installed[@]}"; do
  [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
cmp examples/table.txt "$prefix/share/sorvanto/table.txt"
for size in 32 256; do
  file "$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png" |
    grep -q "PNG image data, $size x $size"
done
desktop-file-validate "$prefix/$entry"
appstreamcli validate --no-net "$prefix/$metainfo"
echo "== Starting it from that menu entry"
start_from_entry "$prefix/$entry" "$prefix"

echo "== Debian package"
rm -f "$build"/sorvanto_*.deb
(cd "$build" && cpack >/dev/null)
deb=$(ls "$build"/sorvanto_*.deb)
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for package in libqt6widgets6 qt6-qpa-plugins; do
  grep -q "\<$package\>" <<<"$depends" || { echo "Depends lacks $package"; exit 1; }
done
echo "== lintian"
lintian --fail-on error,warning "$deb"

# One check at a time on this machine: another one would install or remove the same
# package underneath it.
exec 9>"${TMPDIR:-/tmp}/sorvanto-check-package.lock"
flock 9
package_installed=yes
"${apt[@]}" --no-install-recommends install "$deb" >/dev/null
owned=()
while read -r path; do
  [ -d "$path" ] || owned+=("$path")
done < <(dpkg-query --listfiles sorvanto)
for file in "${installed[@]}"; do
  printf '%s\n' "${owned[@]}" | grep -qx "/usr/$file" || { echo "not packaged: $file"; exit 1; }
done

echo "== Starting the installed package from its menu entry"
start_from_entry "/usr/$entry" /usr

echo "== Removing the package"
"${apt[@]}" purge sorvanto >/dev/null
package_installed=
status=$(dpkg-query --show --showformat='${db:Status-Status}' sorvanto 2>/dev/null || true)
[ -z "$status" ] || [ "$status" = not-installed ] || { echo "sorvanto is $status"; exit 1; }
# Shared folders such as the icon theme's stay; the program's own folder goes.
for path in "${owned[@]}" /usr/share/sorvanto; do
  [ ! -e "$path" ] || { echo "left behind: $path"; exit 1; }
done
echo "The package installs, starts from its menu entry and removes cleanly."
