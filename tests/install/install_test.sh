#!/usr/bin/env bash
# Installs a build into a temporary prefix, then builds the bundled sample
# with the installed mkdict, reports it with the installed morvel2 and checks
# it with the installed dictcheck (and dumps it with dictdump), with
# LD_LIBRARY_PATH unset: the installed programs must find the installed
# engine by their own run path. Checks the installed files, the engine's
# soname, the runs themselves and which engine morvel2 loaded.
#
# usage: install_test.sh CMAKE BUILD_DIR SOURCE_DIR LIBDIR
set -euo pipefail
cmake=$1 libdir=$4
build=$(realpath "$2") source=$(realpath "$3")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
failures=0

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# Shows both sides when they differ.
expect_same() {
  local what=$1 expected=$2 actual=$3
  if [ "$expected" != "$actual" ]; then
    fail "$what"
    diff -u <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") || true
  fi
}

"$cmake" --install "$build" --prefix "$prefix" >"$scratch/install.log" ||
  { cat "$scratch/install.log"; echo "FAILED: cmake --install"; exit 1; }

# Every installed file and link, and nothing else (no test engine).
# dictdump is expected once the build makes it.
dictdump_file=
[ -e "$build/bin/dictdump" ] && dictdump_file="bin/dictdump f
"
expected_files="bin/dictcheck f
${dictdump_file}bin/mkdict f
bin/morvel2 f
include/recmgr/recmgr.h f
include/recmgr/status.h f
include/recmgr/writer.h f
$libdir/librecmgr.so l librecmgr.so.1
$libdir/librecmgr.so.1 l librecmgr.so.1.0.0
$libdir/librecmgr.so.1.0.0 f
$libdir/librecmgr_writer.a f
share/bash-completion/completions/dictcheck f
share/bash-completion/completions/dictdump f
share/bash-completion/completions/mkdict f
share/bash-completion/completions/morvel2 f
share/doc/morvel2/file-format.md f
share/doc/morvel2/mkdict.md f
share/man/man1/dictcheck.1.gz f
share/man/man1/dictdump.1.gz f
share/man/man1/mkdict.1.gz f
share/man/man1/morvel2.1.gz f
share/man/man5/librecmgr.5.gz f"
actual_files=$(cd "$prefix" && find . ! -type d -printf '%P %y %l\n' | sed 's/ $//' | LC_ALL=C sort)
expect_same "installed files" "$expected_files" "$actual_files"

soname=$(LC_ALL=C readelf -d "$prefix/$libdir/librecmgr.so.1.0.0" | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p' || true)
expect_same "soname of the engine" "librecmgr.so.1" "$soname"

# The installed pages are the sources, compressed.
for page in man1/morvel2.1 man1/mkdict.1 man1/dictdump.1 man1/dictcheck.1 man5/librecmgr.5; do
  gzip -dc "$prefix/share/man/$page.gz" | cmp -s - "$source/docs/man/${page#*/}" ||
    fail "share/man/$page.gz is not docs/man/${page#*/}"
done

for program in morvel2 mkdict dictdump dictcheck; do
  cmp -s "$prefix/share/bash-completion/completions/$program" "$source/completion/$program" ||
    fail "share/bash-completion/completions/$program is not completion/$program"
done

# The sample, built and reported by the installed tools only.
run_installed() { env -u LD_LIBRARY_PATH "$@"; }
mkdir "$scratch/work"
cd "$scratch/work"
if ! run_installed "$prefix/bin/mkdict" "$source/sample/shop.ddl" -o shop >mkdict.out 2>&1; then
  cat mkdict.out
  fail "installed mkdict could not build the sample"
  exit 1
fi
cd shop

mask_date() { sed -E 's/Printed on [A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9:]{8} [0-9]{4}/Printed on (date)/'; }

status=0
run_installed "$prefix/bin/morvel2" "*" /a >installed.out 2>installed.err || status=$?
expect_same "exit code of the installed morvel2" 0 "$status"
grep -q '^Description of Table "Customers"\. Printed on ' installed.out ||
  fail "no report of Customers in the installed morvel2's output"

# The whole output is the build tree's, date aside.
"$build/bin/morvel2" "*" /a >built.out 2>built.err || true
expect_same "standard output, installed vs built" "$(mask_date <built.out)" "$(mask_date <installed.out)"
expect_same "standard error, installed vs built" "$(cat built.err)" "$(cat installed.err)"

# The other readers find the engine the same way: dictcheck finds the one
# table whose data file the sample leaves out, and the schema can be dumped.
status=0
run_installed "$prefix/bin/dictcheck" >dictcheck.out 2>&1 || status=$?
expect_same "installed dictcheck on the sample: exit code and output" "1 Order^Archive: data file archive/ORDERS23.DAT: file not found" "$status $(cat dictcheck.out)"
if [ -n "$dictdump_file" ]; then
  status=0
  run_installed "$prefix/bin/dictdump" --schema-only >dictdump.out 2>&1 || status=$?
  expect_same "exit code of the installed dictdump --schema-only" 0 "$status"
  grep -q Customers dictdump.out || fail "no Customers in the installed dictdump's output"
fi

# The engine it loaded is the installed one.
loaded=$(LD_DEBUG=libs run_installed "$prefix/bin/morvel2" Customers /n 2>&1 >/dev/null |
  sed -n 's/.*calling init: \(.*librecmgr\.so\)$/\1/p' | head -n 1)
if [ -z "$loaded" ]; then
  fail "the installed morvel2 loaded no librecmgr.so"
else
  expect_same "engine loaded" "$(realpath "$prefix/$libdir/librecmgr.so.1.0.0")" "$(realpath "$loaded")"
fi

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "installed tree in $libdir works without LD_LIBRARY_PATH"
