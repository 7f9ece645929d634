#!/usr/bin/env bash
# Checks the scripts with shellcheck and the C++ layout with clang-format; builds Sorvanto
# twice, plainly and with AddressSanitizer and UndefinedBehaviorSanitizer, with warnings
# as errors, and runs every test in both builds; checks that the plain build installs and
# packages like a desktop program (in a throwaway copy of this machine); fuzzes each
# libFuzzer target for a minute; and builds the Debian package from two clean clones to
# see it come out the same. Last, the program for Windows, cross-built, tested (its
# system information layer against Wine's registry too), installed under Wine and run from
# its zip: without a Qt for Windows that part is skipped, except under CI=true, where that
# is a failure.
# On this machine it installs only the Debian packages it builds and checks with.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# Each part runs with a temporary folder of its own, and the Windows part with a home
# folder of its own too, which must be empty at the part's end: Wine and the window
# manager keep their files in the build's and the screen's folders, and nothing is left
# in the home or /tmp of whoever runs this.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/linux-tmp" "$scratch/windows-tmp" "$scratch/windows-home"
nothing_left_in() {
  local left
  left=$(cd "$scratch" && find "$@" -mindepth 1 | head -n 20)
  [ -z "$left" ] || { printf 'Files left behind:\n%s\n' "$left" >&2; exit 1; }
}
export TMPDIR=$scratch/linux-tmp

echo "== shellcheck and clang-format"
git ls-files -z -- '*.sh' .ci/run | xargs -0 shellcheck
git ls-files -z -- '*.cpp' '*.h' '*.hpp' | xargs -0 clang-format --dry-run -Werror

cmake -S . -B build -G Ninja -DSORVANTO_WERROR=ON -DSORVANTO_BUILD_TESTS=ON -DSORVANTO_BUILD_BENCHMARKS=ON
cmake --build build
ctest --test-dir build --output-on-failure
scripts/check-package.sh build

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSORVANTO_WERROR=ON -DSORVANTO_SANITIZE=ON
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure

tests/fuzz/run-fuzzers.sh build-fuzz

echo "== Reproducible package"
scripts/check-reproducible.sh
nothing_left_in linux-tmp
echo "The Linux part took $((SECONDS / 60)) min $((SECONDS % 60)) s."

# shellcheck source=scripts/qt-mingw-dir.sh
. scripts/qt-mingw-dir.sh
if ! $qt_mingw_found; then
  if [ "${CI:-}" = true ]; then
    echo "No Qt for Windows in $qt_mingw, and CI checks the program for Windows too." >&2
    exit 1
  fi
  echo "Skipping the Windows part: it builds against a Qt for Windows, and there is none in" \
    "$qt_mingw (scripts/build-qt-mingw.sh $qt_mingw makes one, in about an hour; or name" \
    "one in QT_MINGW_DIR)."
  exit 0
fi

# The program for Windows: cross-built with its installer and zip, its tests run under
# Wine, the installer installed, used and removed under Wine, and the zip unpacked and
# used. Wine hands programs no QT_ variable, so the run at twice the pixels would only
# repeat the plain one: left out.
windows_start=$SECONDS
(
  export HOME=$scratch/windows-home TMPDIR=$scratch/windows-tmp
  unset XDG_CACHE_HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_STATE_HOME
  scripts/build-windows.sh build-windows
  ctest --test-dir build-windows --output-on-failure -E '^window_test_scaled$'
  tests/windows/check-installer.sh build-windows
  tests/windows/check-portable.sh build-windows
)
nothing_left_in windows-home windows-tmp
echo "The Windows part took $(((SECONDS - windows_start) / 60)) min $(((SECONDS - windows_start) % 60)) s."
