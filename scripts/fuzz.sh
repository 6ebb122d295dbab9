#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS (default 60) each. The committed seeds
# (tests/fuzz/corpus/<target>; the conversion shares the reader's), the example drawings,
# the golden programs and settings files and the shared DXF corpus beside
# the repository start a working corpus in the build directory, so the committed one
# stays small. A crash, hang or sanitizer report is saved under <build>/findings/ and
# makes the script fail: each one becomes a regression test before it is fixed.
set -euo pipefail

build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
shared_corpus=${MARQUILL_CORPUS_DIR:-$top/../shared/dxf-corpus}
mkdir -p "$build/findings"

seed() {  # target, then the source directories or files of its seeds
  local target=$1 work="$build/corpus/$1"
  shift
  mkdir -p "$work"
  for source in "$@"; do
    [ -e "$source" ] || continue
    find "$source" -maxdepth 1 -type f ! -name '*.md' -size -1M -exec cp -n {} "$work/" \;
  done
  echo "$work"
}

failed=0
for target in read_dxf layer_names settings program_reader conversion batch_list; do
  committed="$top/tests/fuzz/corpus/$target"
  case $target in
    read_dxf | conversion) work=$(seed "$target" "$top/tests/fuzz/corpus/read_dxf" "$top/examples/"*.DXF "$shared_corpus") ;;
    settings) work=$(seed "$target" "$committed" "$top/examples/MQ400.INI" "$top/tests/data") ;;
    program_reader) work=$(seed "$target" "$committed" "$top"/tests/golden/*/expected/out) ;;
    *) work=$(seed "$target" "$committed") ;;
  esac
  echo "== fuzz_$target for ${seconds} s"
  if ! "$build/tests/fuzz/fuzz_$target" "$work" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
      -max_len=262144 -print_final_stats=1 -artifact_prefix="$build/findings/$target-" 2>"$build/findings/$target.log"; then
    echo "fuzz_$target found a problem: see $build/findings/$target.log" >&2
    tail -40 "$build/findings/$target.log" >&2
    failed=1
  fi
  grep -E "^stat::number_of_executed_units|^#[0-9]+ *DONE" "$build/findings/$target.log" | tail -2 || true
done
exit $failed
