#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks the installed tree with
# scripts/check-installed: its files, and the installed tools run from there
# with LD_LIBRARY_PATH unset.
#
# usage: install_test.sh CMAKE BUILD_DIR SOURCE_DIR LIBDIR
set -euo pipefail
cmake=$1 build=$2 source=$3 libdir=$4

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$cmake" --install "$build" --prefix "$scratch/prefix" >"$scratch/install.log" ||
  { cat "$scratch/install.log"; echo "FAILED: cmake --install"; exit 1; }
"$source/scripts/check-installed" "$scratch/prefix" "$libdir" "$build/bin"
