#!/usr/bin/env bash
# Builds the benchmarks in Release and prints each target as a ratio against its
# reference in the same run; last, the program's start-up against a bare Qt window
# (bench/startup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSORVANTO_BUILD_BENCHMARKS=ON -DSORVANTO_BUILD_TESTS=OFF
cmake --build build-release --target sorvanto_bench sorvanto_window_bench \
  sorvanto sorvanto_startup_bare sorvanto_startup_probe

for bench in sorvanto_bench sorvanto_window_bench; do
  build-release/bench/$bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="build-release/$bench.json" --benchmark_out_format=json
done

python3 - build-release/sorvanto_bench.json build-release/sorvanto_window_bench.json <<'PY'
import json, sys
median = {b["run_name"]: b["cpu_time"] for path in sys.argv[1:]
          for b in json.load(open(path))["benchmarks"] if b.get("aggregate_name") == "median"}
def verdict(value, bound):
    return "meets" if value <= bound else "MISSES"
def ratio(name, target, reference, bound):
    value = median[target] / median[reference]
    print(f"{name}: {value:.2f} (target at most {bound}; {verdict(value, bound)} it)")
print()
ratio("DigestText / OpenSSL MD5 + hex", "BM_DigestText", "BM_OpenSslMd5Hex", 1.0)
ratio("Drawing tick / DigestText", "BM_DrawingTick", "BM_DigestTextOfTick", 1.5)
ratio("Window tick at 1 MB / at 10 KB", "BM_WindowDrawingTick/1048576", "BM_WindowDrawingTick/10240", 2.0)
long_box = median["BM_WindowDrawingTick/1048576"]
print(f"Window tick at 1 MB: {long_box:.0f} us (target under 1000 us; {verdict(long_box, 1000)} it)")
PY

echo
bench/startup.sh build-release
