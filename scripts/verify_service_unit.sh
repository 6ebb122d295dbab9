#!/usr/bin/env bash
# Checks a shipped systemd unit with `systemd-analyze verify`, its program replaced by
# the one just built (verify insists that the program exists). Any complaint about the
# unit fails the check. Exits 77 (skipped) where systemd-analyze is not installed.
set -euo pipefail
unit=$1 program=$2
if ! command -v systemd-analyze >/dev/null 2>&1; then
  echo "systemd-analyze not found: unit not checked"
  exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
name=$(basename "$unit")
sed -E "s#^ExecStart=[^ ]+#ExecStart=${program}#" "$unit" > "$scratch/$name"
grep -q "^ExecStart=${program} " "$scratch/$name" || { echo "$name: no ExecStart to check"; exit 1; }
output=$(cd "$scratch" && systemd-analyze verify "./$name" 2>&1) || { echo "$output"; exit 1; }
complaints=$(grep -F "$name" <<<"$output" || true)
if [ -n "$complaints" ]; then
  echo "$complaints"
  exit 1
fi
echo "$name: verified"
