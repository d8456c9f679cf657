#!/usr/bin/env bash
# Prints a small corpus of documents through other PCL XL writers (Ghostscript's pxlmono and
# pxlcolor at 300 and 600 dpi, netpbm's pnmtopclxl), draws each page with `xlrender render` and
# compares it with Ghostscript drawing the same document straight to PNG at the same resolution.
# Prints a table (file, pages, worst agreement) and fails when a page cannot be drawn or agrees
# less than the threshold. The files are made afresh on every run, so the check follows the
# writers the machine has; exit status 77 (skipped) when they are missing
# (`scripts/install-deps.sh corpus` installs them).
#
#   check_corpus.sh XLRENDER PAGE_AGREEMENT WORK_DIR
set -uo pipefail

readonly kThreshold=99.5
xlrender=$(realpath "$1") agreement=$(realpath "$2") work=$3
sources=$(cd "$(dirname "$0")" && pwd)
photo=$sources/../../examples/photo.jpg

for tool in gs groff jpegtopnm pnmtops pnmtopclxl; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is missing (scripts/install-deps.sh corpus installs it)"
    exit 77
  fi
done
mkdir -p "$work" && cd "$work" && work=$(pwd) || exit 1
rm -f ./*.pxl ./*.png

# Inputs are named by full path: Ghostscript looks even ./NAME up in its own library first
# (which holds a lines.ps, for one).
gs_run() {  # device dpi output input
  gs -q -dSAFER -dBATCH -dNOPAUSE -sPAPERSIZE=letter -dFIXEDMEDIA -sDEVICE="$1" -r"$2" \
    -sOutputFile="$3" "$work/$4"
}

# The documents: the PostScript pages beside this script, a manual page set by groff (two
# pages: the fonts a writer downloads for the first must still draw the second), one of them as
# PDF, and the example photograph as a PostScript image.
cp "$sources"/*.ps . || exit 1
groff -man -Tps "$sources/xlrender.1" >manual.ps || exit 1
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pdfwrite -sOutputFile=images.pdf "$work/images.ps" || exit 1
jpegtopnm "$photo" 2>/dev/null >photo.ppm || exit 1
read -r _ photo_height < <(sed -n 2p photo.ppm)
# At 300 dpi, one image pixel per device pixel, in the sheet's bottom-left corner.
pnmtops -dpi 300 -equalpixels -nocenter -noturn -width 8.5 -height 11 -psfilter -flate \
  -ascii85 photo.ppm 2>/dev/null >photo.ps || exit 1

# name source writer dpi: the writer is a Ghostscript device or pnmtopclxl. The monochrome
# writer prints no colour images: pxlmono turns their pixels into gray with other weights than
# Ghostscript's gray rendering does (a green pixel of the image page: 156 against 202), so the
# reference would not be the same page.
jobs=(
  "manual-mono-300 manual.ps pxlmono 300"
  "manual-color-600 manual.ps pxlcolor 600"
  "drawing-mono-300 drawing.ps pxlmono 300"
  "drawing-color-600 drawing.ps pxlcolor 600"
  "line-styles-color-300 line-styles.ps pxlcolor 300"
  "line-styles-mono-600 line-styles.ps pxlmono 600"
  "images-color-300 images.ps pxlcolor 300"
  "images-color-600 images.ps pxlcolor 600"
  "images-pdf-color-300 images.pdf pxlcolor 300"
  "photo-color-600 photo.ps pxlcolor 600"
  "photo-pnmtopclxl-300 photo.ps pnmtopclxl 300"
)

failed=0
printf '%-26s %5s %9s  %s\n' file pages worst problem
for job in "${jobs[@]}"; do
  read -r name source writer dpi <<<"$job"
  if [ "$writer" = pnmtopclxl ]; then
    top=$(awk -v h="$photo_height" -v dpi="$dpi" 'BEGIN { printf "%.6f", 11 - h / dpi }')
    pnmtopclxl -dpi "$dpi" -xoffs 0 -yoffs "$top" -format letter -colorok photo.ppm \
      2>/dev/null >"$name.pxl"
  else
    gs_run "$writer" "$dpi" "$name.pxl" "$source"
  fi || { echo "$name: the writer failed"; failed=1; continue; }
  # A monochrome writer's page is compared with Ghostscript's own gray rendering: its colour
  # management turns colours into gray levels that no fixed formula reproduces.
  reference_device=png16m
  [ "$writer" = pxlmono ] && reference_device=pnggray
  gs_run "$reference_device" "$dpi" "$name-ref-%d.png" "$source" ||
    { echo "$name: no reference"; failed=1; continue; }
  problem=
  if ! "$xlrender" render "$name.pxl" -o "$name-%d.png" -r "$dpi" >/dev/null 2>"$name.err"; then
    problem=$(tail -n 1 "$name.err")
  fi
  pages=0 worst=100
  for reference in "$name"-ref-*.png; do
    page=${reference##*-ref-}
    pages=$((pages + 1))
    if [ ! -f "$name-$page" ]; then
      worst=0 problem=${problem:-"page ${page%.png} missing"}
      continue
    fi
    score=$("$agreement" "$name-$page" "$reference") || score=0
    worst=$(awk -v a="$worst" -v b="$score" 'BEGIN { print (b < a ? b : a) }')
  done
  if [ -n "$problem" ] || awk -v w="$worst" -v t="$kThreshold" 'BEGIN { exit !(w < t) }'; then
    failed=1
    problem=${problem:-"below $kThreshold%"}
  fi
  printf '%-26s %5d %9s  %s\n' "$name.pxl" "$pages" "$worst" "$problem"
done
exit $failed
