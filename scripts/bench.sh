#!/usr/bin/env bash
# Generates the benchmark drawings, times the converter on them and prints one table.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
dxflib=()
if [ -x "$build/bench/bench_read_dxflib" ]; then dxflib=("$build/bench/bench_read_dxflib"); fi
"$build/bench/bench_table" "$build/marquill400-cli" "${dxflib[@]}"
