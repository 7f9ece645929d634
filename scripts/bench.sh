#!/usr/bin/env bash
# Builds the benchmarks in Release and prints each target as a ratio against its
# reference in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSORVANTO_BUILD_BENCHMARKS=ON -DSORVANTO_BUILD_TESTS=OFF
cmake --build build-release --target sorvanto_bench

results=build-release/bench.json
build-release/bench/sorvanto_bench --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_out="$results" --benchmark_out_format=json

python3 - "$results" <<'PY'
import json, sys
median = {b["run_name"]: b["cpu_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
          if b.get("aggregate_name") == "median"}
def ratio(name, target, reference, bound):
    value = median[target] / median[reference]
    verdict = "meets" if value <= bound else "MISSES"
    print(f"{name}: {value:.2f} (target at most {bound}; {verdict} it)")
print()
ratio("DigestText / OpenSSL MD5 + hex", "BM_DigestText", "BM_OpenSslMd5Hex", 1.0)
ratio("Drawing tick / DigestText", "BM_DrawingTick", "BM_DigestTextOfTick", 1.5)
PY
