#!/usr/bin/env bash
# Runs the desktop application without a screen on the example drawings and saves
# pictures of its windows into out/screenshots/. The drawings, the settings file and
# the programs written live in out/screenshots-data/, made anew each time.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
data=out/screenshots-data

rm -rf "$data" out/screenshots
mkdir -p "$data/drawings" "$data/programs"
cp examples/*.DXF "$data/drawings/"
# The examples' settings with the paths of this run, the default settings shown and a
# tool substitution to look at.
sed -e "s|^DXFPath=.*|DXFPath=$PWD/$data/drawings/|" \
    -e "s|^DestinationPath=.*|DestinationPath=$PWD/$data/programs/|" \
    -e "s|^Path=.*|Path=$PWD/$data/programs/|" \
    -e '/^\[ConFiguration\]/a FormState=-1\nTipsEnable=1' \
    examples/MQ400.INI > "$data/MQ400.INI"
printf '[ToolSubData]\nEnabled1=1\nTool1=5\nToolSub1=31\nEnabled2=0\nTool2=12\nToolSub2=32\n' >> "$data/MQ400.INI"

QT_QPA_PLATFORM=offscreen ROOT="$PWD/examples" \
  "$build/marquill400" --settings "$data/MQ400.INI" --screenshots out/screenshots
