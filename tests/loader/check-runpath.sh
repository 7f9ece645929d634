#!/usr/bin/env bash
# Fails on every ELF program or library under the folders given whose RUNPATH or RPATH
# holds an empty or relative entry: the dynamic loader reads such an entry against the
# folder the program starts in, and would load a library planted there.
#   tests/loader/check-runpath.sh DIR...
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 DIR..." >&2; exit 2; }
elves=0
faults=0
while IFS= read -r -d '' file; do
  [ "$(head -c 4 "$file")" = $'\x7fELF' ] || continue
  elves=$((elves + 1))
  # An entry is sound if it is absolute or relative to the program's own folder; an empty
  # search path is one empty entry.
  while IFS= read -r paths; do
    # shellcheck disable=SC2016 # $ORIGIN is the loader's word, not the shell's
    if tr ':' '\n' <<<"$paths" | grep -qvE '^(/|\$ORIGIN(/|$)|\$\{ORIGIN\}(/|$))'; then
      echo "empty or relative library search path [$paths] in $file"
      faults=$((faults + 1))
    fi
  done < <(readelf --dynamic "$file" | sed -n 's/.*(R\(UN\)\?PATH).*: \[\(.*\)\]$/\2/p')
done < <(find "$@" -type f \( -perm -u+x -o -name '*.so*' \) -print0)
echo "library search paths: $elves ELF files, $faults with an empty or relative entry"
[ "$elves" -gt 0 ] && [ "$faults" -eq 0 ]
