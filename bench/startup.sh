#!/usr/bin/env bash
# Start-up time and resident memory of Sorvanto against a bare Qt window in the same
# run, on a virtual screen. Each program is started RUNS times, in turn with the others
# and in a rotating order, and the medians are compared. Start-up runs from the start to
# the first window's mapping, as processor time (which the other work on a shared
# machine distorts far less) and as wall-clock time; memory is what the program holds
# resident half a second later, once the window is painted. The bare window with one
# line of text shows what showing any text costs.
#   bench/startup.sh BUILD_DIR [RUNS]
# BUILD_DIR holds app/sorvanto and, built with SORVANTO_BUILD_BENCHMARKS, the bare
# window and the probe in bench/.
set -euo pipefail
build=$(realpath "${1:?usage: bench/startup.sh BUILD_DIR [RUNS]}")
runs=${2:-15}
cd "$(dirname "$0")/.."
[ "${SORVANTO_VIRTUAL_SCREEN:-none}" = "${DISPLAY:-}" ] ||
  exec scripts/with-x.sh --size 1024x768 bench/startup.sh "$build" "$runs"
probe=("$build/bench/sorvanto_startup_probe" 500)
programs=(
  "$build/bench/sorvanto_startup_bare"
  "$build/bench/sorvanto_startup_bare text"
  "$build/app/sorvanto"
)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
export XDG_RUNTIME_DIR=$scratch

# Sorvanto reads its table from the folder it starts in.
cp examples/table.txt "$scratch/"
cd "$scratch"
measure() {
  # shellcheck disable=SC2086 # a program may come with an argument
  "${probe[@]}" $1 2>"$scratch/stderr" ||
    { echo "measuring $1 failed:"; cat "$scratch/stderr"; exit 1; } >&2
}
# One start of each first, so that all find their libraries in the page cache.
for program in "${programs[@]}"; do measure "$program" >/dev/null; done
for run in $(seq "$runs"); do
  for step in 0 1 2; do
    i=$(((run + step) % 3))
    measure "${programs[$i]}" >>"$scratch/$i.txt"
  done
done

python3 - "$scratch"/{0,1,2}.txt <<'PY'
import statistics, sys
bare, text, app = ([list(map(float, line.split())) for line in open(path)] for path in sys.argv[1:])
for name, column, unit, scale in (("Start-up, processor time", 1, "ms", 1),
                                  ("Start-up, wall-clock time", 0, "ms", 1),
                                  ("Resident memory", 2, "MiB", 1024)):
    a, b, t = (statistics.median(row[column] for row in rows) / scale for rows in (app, bare, text))
    verdict = "meets" if a / b <= 1.1 else "MISSES"
    print(f"{name}, Sorvanto / a bare Qt window: {a / b:.2f} ({a:.1f} / {b:.1f} {unit}; "
          f"target at most 1.1; {verdict} it)")
    print(f"  the bare window with one line of text: {t:.1f} {unit}, {t / b:.2f} of the bare "
          f"one; Sorvanto / that window: {a / t:.2f}")
PY
