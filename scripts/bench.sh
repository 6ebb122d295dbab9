#!/usr/bin/env bash
# Runs every benchmark program and prints its figures.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
for b in "$build"/bench/*; do
  if [ -x "$b" ] && [ -f "$b" ]; then
    echo "== $(basename "$b")"
    "$b"
  fi
done
