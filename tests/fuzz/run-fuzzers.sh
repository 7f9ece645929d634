#!/usr/bin/env bash
# Builds the libFuzzer targets with clang 14 (the engine only, no Qt) and runs
# each for SECONDS seconds (60 unless given) on top of its seed corpus in
# tests/fuzz/corpus/. New inputs go to BUILD_DIR/corpus/, never into the seeds; an input
# that fails is left in BUILD_DIR/crashes/, and belongs in the seeds once fixed.
#   tests/fuzz/run-fuzzers.sh BUILD_DIR [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 BUILD_DIR [SECONDS]" >&2
  exit 2
fi
build=$1
seconds=${2:-60}

CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSORVANTO_WERROR=ON -DSORVANTO_BUILD_FUZZERS=ON
cmake --build "$build"
tests/loader/check-runpath.sh "$build"

# name, then libFuzzer options of its own. The table load must end within 100 ms, which
# the target checks itself; -timeout, in whole seconds, only stops a load that hangs.
# Inputs of up to 20 KB hold lines longer than the 4 KiB the load keeps of a line; the
# load's notes on standard error are closed off.
fuzzers=(
  "table_load_fuzzer -timeout=1 -max_len=20000 -close_fd_mask=2"
  "numbers_fuzzer"
)
mkdir -p "$build/crashes"
passed=0
failed=0
for entry in "${fuzzers[@]}"; do
  read -r name options <<<"$entry"
  seeds=tests/fuzz/corpus/${name%_fuzzer}
  mkdir -p "$build/corpus/$name"
  echo "== $name: ${seconds} s"
  # shellcheck disable=SC2086  # the options are separate words
  if "$build/tests/fuzz/$name" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/crashes/$name-" $options "$build/corpus/$name" "$seeds" \
      >"$build/$name.log" 2>&1; then
    passed=$((passed + 1))
    grep -E '^stat::number_of_executed_units|^Done ' "$build/$name.log" || true
  else
    failed=$((failed + 1))
    tail -n 40 "$build/$name.log"
  fi
done
rm -rf /tmp/sorvanto-fuzz-*  # the table target's scratch folders
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
