#!/usr/bin/env bash
# Builds Sorvanto twice, plainly and with AddressSanitizer and UndefinedBehaviorSanitizer,
# with warnings as errors, and runs every test in both builds; then checks that the plain
# build installs and packages like a desktop program. Last, a minute of fuzzing for each
# libFuzzer target, and the Windows system information layer under Wine.
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
tests/windows/run-wine-test.sh build-wine
