#!/usr/bin/env bash
# Starts the desktop window on the example drawings: copies of them, a settings file
# whose DXF source path is those copies and whose destination is beside them, and the
# examples' drilling head through ROOT. Everything lives in out/run/, made anew each
# time, so the examples themselves are never changed.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
data="$PWD/out/run"

rm -rf "$data"
mkdir -p "$data/drawings" "$data/programs"
cp examples/*.DXF "$data/drawings/"
sed -e "s|^DXFPath=.*|DXFPath=$data/drawings/|" \
    -e "s|^DestinationPath=.*|DestinationPath=$data/programs/|" \
    -e "s|^Path=.*|Path=$data/programs/|" \
    -e '/^\[ConFiguration\]/a FormState=-1' \
    examples/MQ400.INI > "$data/MQ400.INI"

echo "Drawings: $data/drawings/   programs: $data/programs/   settings: $data/MQ400.INI"
ROOT="$PWD/examples" exec "$build/marquill400" --settings "$data/MQ400.INI"
