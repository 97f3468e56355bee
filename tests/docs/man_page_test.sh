#!/usr/bin/env bash
# Renders one manual page with every groff warning switched on: it must
# print nothing at all. Skipped (77) where groff is not installed.
set -uo pipefail
page=$1
if ! command -v groff >/dev/null; then
  echo "groff is not installed: ${page##*/} not checked (scripts/install-deps installs it)"
  exit 77
fi
output=$(groff -man -ww -z "$page" 2>&1)
status=$?
if [ "$status" -ne 0 ] || [ -n "$output" ]; then
  echo "groff -man -ww -z ${page##*/}: exit $status"
  printf '%s\n' "$output"
  exit 1
fi
