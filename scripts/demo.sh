#!/usr/bin/env bash
# Converts the bundled example drawings into out/ with the examples' settings file
# (examples/MQ400.INI) and the examples' drilling head (examples/Par.DAT, found
# through ROOT), then prints the report and what was written.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cli="$build/marquill400-cli"

# A fresh out/ each time: the part lists (MQ.PNX beside the drawings, out/DEMO.PTS)
# would otherwise grow by one line per drawing and run.
rm -rf out
mkdir -p out/drawings
cp examples/*.DXF out/drawings/

echo "== Converting the example drawings (settings examples/MQ400.INI, tool table examples/Par.DAT)"
status=0
ROOT="$PWD/examples" "$cli" --settings examples/MQ400.INI convert out/drawings/*.DXF --dest out || status=$?

echo
echo "== Written"
for f in out/* out/drawings/MQ.PNX; do
  [ -f "$f" ] && echo "$f"
done
echo
echo "== out/SIDE (the side panel's program)"
[ -f out/SIDE ] && tr -d '\r' < out/SIDE
exit "$status"
