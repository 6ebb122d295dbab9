#!/usr/bin/env bash
# Converts the bundled example drawings into out/ and prints the report.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cli="$build/marquill400-cli"
mkdir -p out
shopt -s nullglob nocaseglob
drawings=(examples/*.dxf)
if [ ${#drawings[@]} -eq 0 ]; then
  echo "No example drawings in examples/."
  exit 0
fi
for d in "${drawings[@]}"; do
  echo "== $d"
  "$cli" inspect "$d" | head -c 2000
  echo
done
