#!/usr/bin/env bash
# Builds Sorvanto twice, plainly and with AddressSanitizer and UndefinedBehaviorSanitizer,
# with warnings as errors, and runs every test in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake -S . -B build -G Ninja -DSORVANTO_WERROR=ON -DSORVANTO_BUILD_BENCHMARKS=ON
cmake --build build
ctest --test-dir build --output-on-failure

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSORVANTO_WERROR=ON -DSORVANTO_SANITIZE=ON
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure
