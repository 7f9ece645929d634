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

# The working folder and the command line that a launcher takes from a menu entry's
# Path= and Exec=, a line each: string escapes first, then Exec='s quoting (arguments
# split at blanks outside double quotes; within them a backslash escapes " ` $ and
# itself), then field codes, of which this entry has only %%.
launch_command() {
  python3 - "$1" <<'PY'
import sys
keys = {}
group = None
for line in open(sys.argv[1], encoding="utf-8"):
    line = line.rstrip("\n")
    if line.startswith("["):
        group = line
    elif group == "[Desktop Entry]" and "=" in line and not line.startswith("#"):
        key, value = line.split("=", 1)
        keys[key.strip()] = value

def unescape(value):
    out, i = [], 0
    while i < len(value):
        if value[i] == "\\" and i + 1 < len(value):
            out.append({"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}
                       .get(value[i + 1], "\\" + value[i + 1]))
            i += 2
        else:
            out.append(value[i])
            i += 1
    return "".join(out)

def split_exec(value):
    args, arg, i = [], None, 0
    while i < len(value):
        c = value[i]
        if c == " ":
            if arg is not None:
                args.append(arg)
            arg, i = None, i + 1
        elif c == '"':
            arg, i = arg or "", i + 1
            while True:
                if i == len(value):
                    sys.exit("Exec= has an unterminated quote")
                if value[i] == "\\" and value[i + 1:i + 2] in ('"', "`", "$", "\\"):
                    arg, i = arg + value[i + 1], i + 2
                elif value[i] == '"':
                    i += 1
                    break
                else:
                    arg, i = arg + value[i], i + 1
        else:
            arg, i = (arg or "") + c, i + 1
    if arg is not None:
        args.append(arg)
    return [a.replace("%%", "%") for a in args]

print(unescape(keys["Path"]))
for arg in split_exec(unescape(keys["Exec"])):
    print(arg)
PY
}

# Starts the program as a launcher would from the menu entry $1, and checks that its
# main window appears. A start-up error shows a message box with the same title, so the
# window must be the main window's size as well.
start_from_entry() {
  local command
  mapfile -t command < <(launch_command "$1")
  env -C "${command[0]}" "${command[@]:1}" 2>"$scratch/stderr" &
  app=$!
  local window geometry
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Sorvanto$' | head -n 1) ||
    { echo "no window appeared:"; cat "$scratch/stderr"; exit 1; }
  geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: //p')
  [ "$geometry" = 632x423 ] || { echo "window of $geometry:"; cat "$scratch/stderr"; exit 1; }
  kill -0 "$app"
  kill "$app"
  wait "$app" || true
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
mapfile -t command < <(launch_command "$prefix/$entry")
[ "${command[*]}" = "$prefix/share/sorvanto $prefix/bin/sorvanto" ] && [ ${#command[@]} -eq 2 ] ||
  { echo "the menu entry misses the installed program or its table:"; cat "$prefix/$entry"; exit 1; }
cmp examples/table.txt "$prefix/share/sorvanto/table.txt"
for size in 32 256; do
  file "$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png" |
    grep -q "PNG image data, $size x $size"
done
desktop-file-validate "$prefix/$entry"
appstreamcli validate --no-net "$prefix/$metainfo"
echo "== Starting it from that menu entry"
start_from_entry "$prefix/$entry"

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
start_from_entry "/usr/$entry"

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
