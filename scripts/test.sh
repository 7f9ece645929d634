#!/usr/bin/env bash
# Builds Sorvanto twice, plainly and with AddressSanitizer and UndefinedBehaviorSanitizer,
# with warnings as errors, and runs every test in both builds; then checks that the plain
# build installs and packages like a desktop program. Last, a minute of fuzzing for each
# libFuzzer target, and the program for Windows, cross-built, tested (its system
# information layer against Wine's registry too) and installed under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake -S . -B build -G Ninja -DSORVANTO_WERROR=ON -DSORVANTO_BUILD_TESTS=ON -DSORVANTO_BUILD_BENCHMARKS=ON
cmake --build build
ctest --test-dir build --output-on-failure
scripts/check-package.sh build

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSORVANTO_WERROR=ON -DSORVANTO_SANITIZE=ON
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure

tests/fuzz/run-fuzzers.sh build-fuzz

# The program for Windows: cross-built with its installer, its tests run under Wine, and
# the installer installed, used and removed under Wine. Wine hands programs no QT_
# variable, so the run at twice the pixels would only repeat the plain one: left out.
scripts/build-windows.sh build-windows
ctest --test-dir build-windows --output-on-failure -E '^window_test_scaled$'
tests/windows/check-installer.sh build-windows
