#!/usr/bin/env bash
# Renders the corpus check's PCL XL files (Ghostscript's pxlmono and pxlcolor, netpbm's
# pnmtopclxl; made afresh by tests/corpus/check_corpus.sh, which also prints their agreement
# table) with `xlrender render` at 600 dpi, and prints for each file its pages, the CPU time
# per page (user + system, PNG writing included) and the peak resident memory of the run.
#
# Usage: bench/corpus_render.sh   (XLRENDER_BIN: folder of xlrender and page_agreement,
#                                  build/release/bin by default; WORK: scratch folder)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(realpath -m "${XLRENDER_BIN:-build/release/bin}")
for program in xlrender page_agreement; do
  if [ ! -x "$bin/$program" ]; then
    echo "no $bin/$program: build the release preset or set XLRENDER_BIN" >&2
    exit 2
  fi
done
work=$(realpath -m "${WORK:-$(mktemp -d)}")
readonly dpi=600

# The check fails while pages disagree; the files are made all the same.
tests/corpus/check_corpus.sh "$bin/xlrender" "$bin/page_agreement" "$work" || true
echo
printf '%-28s %5s %12s %12s  %s\n' file pages "CPU ms/page" "peak RSS MB" problem
for spool in "$work"/*.pxl; do
  name=$(basename "$spool" .pxl)
  rm -f "$work/bench-$name"-*.png
  problem=
  if ! /usr/bin/time -f '%U %S %M' -o "$work/bench-$name.time" \
    "$bin/xlrender" render "$spool" -o "$work/bench-$name-%d.png" -r "$dpi" \
    >/dev/null 2>"$work/bench-$name.err"; then
    problem=$(tail -n 1 "$work/bench-$name.err")
  fi
  if [ -n "$problem" ]; then
    printf '%-28s %5s %12s %12s  %s\n' "$name.pxl" - - - "$problem"
    continue
  fi
  pages=$(find "$work" -name "bench-$name-*.png" | wc -l)
  read -r user system peak_kb <"$work/bench-$name.time"
  awk -v f="$name.pxl" -v p="$pages" -v u="$user" -v s="$system" -v m="$peak_kb" \
    'BEGIN { printf "%-28s %5d %12.0f %12.1f\n", f, p, (u + s) * 1000 / p, m / 1024 }'
done
