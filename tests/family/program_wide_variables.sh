#!/bin/bash
# The project's objects keep at most four mutable program-wide variables:
# nm's data and bss symbols, a function's statics included, less the
# read-only-after-relocation ones. Names every other one and fails.
# Arguments: object files, or ;-separated lists of them.
set -euo pipefail

allowed=(
  "(anonymous namespace)::gLoaded"  # lib: the record manager's loaded entry
  "recmgr::engineState"             # engine: everything it keeps between calls
)
if ((${#allowed[@]} > 4)); then
  echo "more than four allowed program-wide variables" >&2
  exit 1
fi

mapfile -t objects < <(printf '%s\n' "$@" | tr ';' '\n' | grep .)
if ((${#objects[@]} == 0)); then
  echo "no objects given" >&2
  exit 1
fi

# One line per variable: its name (a guard variable counts as the variable
# it guards), a tab, the object. Written sections only: .data.rel.ro is
# read-only once relocated.
variables=$(nm -C --defined-only -f sysv "${objects[@]}" | awk -F'|' '
  /^Symbols from / { object = $0; sub(/^Symbols from /, "", object); sub(/:$/, "", object); sub(/.*\//, "", object) }
  $3 ~ /^ *[bBdDuvV] *$/ && $7 ~ /^\.t?(bss|data)/ && $7 !~ /^\.data\.rel\.ro/ && $1 !~ /^DW\.ref\./ {
    name = $1
    sub(/ +$/, "", name)
    sub(/^guard variable for /, "", name)
    print name "\t" object
  }' | sort -u)

# The allowed ones are there: nm read the objects.
if [[ -z $variables ]]; then
  echo "nm found no variables in the objects" >&2
  exit 1
fi

extra=$(printf '%s\n' "$variables" | awk -F'\t' -v list="$(printf '%s\n' "${allowed[@]}")" '
  BEGIN { n = split(list, names, "\n"); for (i = 1; i <= n; ++i) ok[names[i]] = 1 }
  NF == 2 && !($1 in ok)')
if [[ -n $extra ]]; then
  echo "mutable program-wide variables beyond the allowed ones:" >&2
  printf '%s\n' "$extra" >&2
  exit 1
fi
