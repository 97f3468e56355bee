#!/usr/bin/env bash
# Sources the bash completion of the four programs and checks what they
# offer: options, formats, dialects, guard modes, and the table names of
# the sample dictionary, for morvel2 in its folder and for dictdump's
# --table in -C's folder.
#
# usage: completion_test.sh BIN_DIR SOURCE_DIR
set -uo pipefail
bin=$(realpath "$1") source=$(realpath "$2")
export PATH=$bin:$PATH
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
mkdict "$source/sample/shop.ddl" -o shop >/dev/null 2>&1 || { echo "FAILED: mkdict could not build the sample"; exit 1; }
for program in morvel2 mkdict dictdump dictcheck; do
  source "$source/completion/$program" || { echo "FAILED: sourcing completion/$program"; exit 1; }
done
failures=0

# Each row: the folder to complete in, the replies as the shell gets them
# (quoted, sorted, as "a|b|c"), then the words of the command line, the last
# one being completed.
check() {
  local folder=$1 expected=$2
  shift 2
  local function
  function=$(complete -p "$1" | sed 's/.*-F \([^ ]*\).*/\1/')
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  (cd "$folder" && { "$function" || true; } && printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd'|') >"$scratch/reply"
  local actual
  actual=$(<"$scratch/reply")
  if [ "$actual" != "$expected" ]; then
    echo "FAILED: $* → '$actual', expected '$expected'"
    failures=$((failures + 1))
  fi
}

check . "--help|--version" morvel2 --
check shop "/P=|/a|/b|/c|/f|/i|/n|/o|/u|/x" morvel2 Customers /
check shop 'Order\ Items|Order\^Archive|Orders' morvel2 Ord
check shop "'*'|Customers|"'Order\ Items|Order\^Archive|Orders|Products|X\$Field|X\$File|X\$Index' morvel2 ""
check . "" morvel2 Ord
check . "csv|json|mkdict|sql" dictdump --format ""
check . "postgres" dictdump --format sql --dialect p
check . "Customers" dictdump -C shop --table C
check . 'X\$Field|X\$File|X\$Index' dictdump --directory shop --system --table X
check . "--data-only|--data-password|--dialect|--directory" dictdump --d
check . "shop" mkdict in.ddl -o sh
check . "all|changes" mkdict - --password-guards ""
check . "--allow-empty" mkdict --al
check . "--version" dictcheck --v
check . "--help|--password|--version|-C|-h" dictcheck ""
echo "$failures completions wrong"
[ "$failures" -eq 0 ]
