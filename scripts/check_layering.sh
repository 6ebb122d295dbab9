#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, so that the
# layers stay one way: input < engine < output < shell < cli, gui. cli and gui are front
# ends side by side and do not include each other; the core (input, engine, output,
# shell) includes no Qt header. Lists every offending `file:line: include`.
#
#   check_layering.sh [SRC_DIR]   checks SRC_DIR (default: the repository's src)
#   check_layering.sh --self-test checks that a tree with bad includes is refused
set -euo pipefail

check() {
  local src=${1%/}
  [ -d "$src" ] || { echo "check_layering: no directory $src" >&2; return 2; }
  find "$src" -type f -print0 | sort -z | xargs -0 -r awk -v root="$src" '
    BEGIN {
      rank["input"] = 0; rank["engine"] = 1; rank["output"] = 2; rank["shell"] = 3
      rank["cli"] = 4; rank["gui"] = 4
      bad = 0
    }
    FNR == 1 {
      files++
      rel = substr(FILENAME, length(root) + 2)
      layer = rel; sub(/\/.*/, "", layer)
      dir = rel; sub(/\/[^\/]*$/, "", dir)
      if (!(layer in rank)) {
        print FILENAME ": not in a layer (input engine output shell cli gui)"; bad++; nextfile
      }
    }
    /^[ \t]*#[ \t]*include[ \t]*[<"]/ {
      path = $0; sub(/^[^<"]*/, "", path); quoted = path ~ /^"/
      path = substr(path, 2); sub(/[>"].*$/, "", path)
      if (!quoted && path ~ /^Q/ && rank[layer] < 4) { report(); next }
      target = path; sub(/\/.*/, "", target)
      # A quoted name that starts with no layer is looked up beside the including file.
      if (!(target in rank) && quoted) { target = resolve(dir "/" path); sub(/\/.*/, "", target) }
      if (!(target in rank) || target == layer) next
      if (rank[target] >= rank[layer]) report()
    }
    function report() { print FILENAME ":" FNR ": " $0; bad++ }
    # The path without "." and ".." parts; a path leaving src/ resolves to "".
    function resolve(p,    parts, n, i, out, depth, kept) {
      n = split(p, parts, "/"); depth = 0
      for (i = 1; i <= n; i++) {
        if (parts[i] == "" || parts[i] == ".") continue
        if (parts[i] == "..") { if (depth == 0) return ""; depth--; continue }
        kept[++depth] = parts[i]
      }
      out = kept[1]
      for (i = 2; i <= depth; i++) out = out "/" kept[i]
      return out
    }
    END {
      if (bad > 0) { print bad " layering violation(s)" > "/dev/stderr"; exit 1 }
      print files " files, includes layered one way"
    }'
}

self_test() {
  tree=$(mktemp -d)
  trap 'rm -rf "$tree"' EXIT
  mkdir -p "$tree"/{input,engine/sub,output,cli,gui}
  printf '#include "input/a.h"\n#include "engine/b.h"\n' >"$tree/engine/sub/ok.cpp"
  printf '#include "engine/b.h"\n#include <QString>\n' >"$tree/gui/ok.cpp"
  check "$tree" >/dev/null || { echo "self-test: a clean tree was refused" >&2; return 1; }
  printf '// up\n#include "output/c.h"\n' >"$tree/engine/sub/up.cpp"
  printf '#include "../output/c.h"\n' >"$tree/input/relative.h"
  printf '#include <QtCore/QString>\n' >"$tree/output/qt.cpp"
  printf '#include "gui/w.h"\n' >"$tree/cli/front.cpp"
  local found
  found=$(check "$tree" 2>/dev/null | sed "s|^$tree/||" | sort) && { echo "self-test: bad tree passed" >&2; return 1; }
  local expected='cli/front.cpp:1: #include "gui/w.h"
engine/sub/up.cpp:2: #include "output/c.h"
input/relative.h:1: #include "../output/c.h"
output/qt.cpp:1: #include <QtCore/QString>'
  [ "$found" = "$expected" ] || { printf 'self-test: found\n%s\nexpected\n%s\n' "$found" "$expected" >&2; return 1; }
  echo "check_layering self-test passed"
}

if [ "${1:-}" = "--self-test" ]; then
  self_test
else
  check "${1:-$(dirname "$0")/../src}"
fi
