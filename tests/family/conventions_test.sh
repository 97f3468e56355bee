#!/usr/bin/env bash
# The habits every program of the family shares, one table of command lines
# run in a folder holding the sample dictionary (A): --help and --version on
# standard output with exit 0, -h for the tools, a full standard output is
# a failure, and - for the standard streams, up to dictdump | mkdict -
# rebuilding a dictionary.
#
# usage: conventions_test.sh BIN_DIR VERSION SOURCE_DIR
set -uo pipefail
bin=$(realpath "$1") version=$2 source=$(realpath "$3")
export PATH=$bin:$PATH
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
mkdict "$source/sample/shop.ddl" -o A >/dev/null 2>&1 || { echo "FAILED: mkdict could not build the sample"; exit 1; }
failures=0
full="cannot write standard output: No space left on device"
banner="Printing Report for ALL Tables."

# Each row: the exit code, what standard output begins with ("" for nothing),
# standard error exactly, and the command line, run by bash in A.
rows=()
for p in morvel2 mkdict dictdump dictcheck; do
  rows+=("0|$p $version||$p --version"
    "1||$p: $full|$p --version >/dev/full"
    "1||$p: $full|$p --help >/dev/full")
done
rows+=("0|
Usage: MORVEL2 ||morvel2 --help"
  "0|usage: mkdict ||mkdict --help"
  "0|usage: mkdict ||mkdict -h"
  "0|usage: dictdump ||dictdump --help"
  "0|usage: dictdump ||dictdump -h"
  "0|usage: dictcheck ||dictcheck --help"
  "0|usage: dictcheck ||dictcheck -h"
  # A whole report, a dump and a check that can't be written.
  "1||$banner
morvel2: $full|morvel2 '*' /a >/dev/full"
  "1||dictdump: $full|dictdump >/dev/full"
  "1||dictcheck: $full|dictcheck >/dev/full"
  # A report that names a data file it can't open is no failure; one that
  # can't find its table is.
  "0|Order^Archive||morvel2 Order^Archive /n"
  "1||Error (Nowhere): Return Code was 1.
Table Name not in database.|morvel2 Nowhere"
  # - is standard input for mkdict, and /dev/stdin is too; dictdump's
  # standard output piped into it builds the same dictionary again.
  "0|||dictdump | mkdict - -o ../B && cmp <(dictdump) <(dictdump -C ../B)"
  "0|||dictdump --format sql | cmp - <(dictdump -C ../B --format sql)"
  "0|||dictdump -o - | cmp - <(dictdump)"
  "0|||mkdict /dev/stdin -o ../C <$source/sample/shop.ddl && cmp <(dictdump) <(dictdump -C ../C)"
  # Two rows that clash are named by reading the description again, which
  # a pipe can't be.
  "1||-:1:14: duplicate key in unique index K of table T (standard input is read only once: the rows \
can't be named)|printf 'CREATE TABLE T (A INTEGER);CREATE UNIQUE INDEX K ON T (A);INSERT INTO T VALUES (1), \
(1);' | mkdict - -o ../D"
  "1||mkdict: standard input defines no table; --replace with it would empty ../B's dictionary \
(--allow-empty allows that)|mkdict - -o ../B --replace </dev/null"
  "0|||mkdict - -o ../C --replace --allow-empty </dev/null 2>/dev/null && cd ../C && morvel2 '*' /n 2>/dev/null")

for row in "${rows[@]}"; do
  IFS='|' read -r -d '' code out err command <<<"$row"
  command=${command%$'\n'}
  actual_out=$(cd A && bash -c "$command" 2>"$scratch/err"; echo "exit $?")
  actual_code=${actual_out##*exit }
  actual_out=${actual_out%exit *}
  actual_err=$(<"$scratch/err")
  if [ "$actual_code" != "$code" ] || [ "${actual_out:0:${#out}}" != "$out" ] || [ "$actual_err" != "$err" ] ||
    { [ -z "$out" ] && [ -n "$actual_out" ]; }; then
    echo "FAILED: $command"
    echo "  exit $actual_code, expected $code"
    echo "  standard output: ${actual_out:0:200}"
    echo "  standard error: $actual_err"
    failures=$((failures + 1))
  fi
done
echo "$failures of ${#rows[@]} command lines failed"
[ "$failures" -eq 0 ]
