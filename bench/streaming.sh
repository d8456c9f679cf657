#!/usr/bin/env bash
# Memory and speed of long jobs: `xlrender print` of photo pages (a 2400 x 1600 photograph at its
# own size on each A4 page at 600 dpi, as the print benchmark places it) sent as raster (the
# default) and as JPEG ("JPEGEnable" "Maximum", colour), then `xlrender dump --strict` and
# `xlrender render -r 50` of each spool file. For every run it prints the peak resident memory
# and the wall time (GNU time), and for print and dump the throughput in MB of spool per second
# beside `cat FILE > /dev/null` of the same file in the same run. The peak memory should not
# grow with the page count.
#
# The spool files are big (about 11.5 MB per raster page): each is deleted once measured.
#
# Usage: bench/streaming.sh   (XLRENDER_BIN: folder of xlrender and xlrender-example-photo,
#                              build/release/bin by default; WORK: scratch folder, a new one by
#                              default; RASTER_PAGES and JPEG_PAGES: the page counts to run,
#                              "10 100 200" and "10 100 1000" by default)
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/script_setup.sh
if [ ! -x /usr/bin/time ]; then
  echo "bench/streaming.sh needs GNU time (/usr/bin/time, Debian package time)" >&2
  exit 2
fi
raster_pages=${RASTER_PAGES:-"10 100 200"}
jpeg_pages=${JPEG_PAGES:-"10 100 1000"}

photo=$work/photo-2400x1600.jpg
[ -f "$photo" ] || "$bin/xlrender-example-photo" 2400 1600 "$photo"

# job FILE PAGES EXTRA_KEYS: a job of PAGES photo pages.
job() {
  local file=$1 pages=$2 keys=$3
  {
    printf '{%s"pages": [' "$keys"
    for ((p = 0; p < pages; ++p)); do
      [ "$p" -eq 0 ] || printf ','
      printf '{"content": [{"image": "%s", "at": {"x": 20, "y": 30, "width": 101.6, "height": 67.7333333}}]}' "$photo"
    done
    printf ']}\n'
  } >"$file"
}

# measure LABEL SPOOL COMMAND...: runs the command under GNU time and prints its peak resident
# memory, wall time and MB of SPOOL per second (SPOOL is read after the command, so print can
# name the file it writes).
measure() {
  local label=$1 spool=$2
  shift 2
  /usr/bin/time -f '%M %e' -o "$work/time.txt" "$@"
  local kb seconds bytes
  read -r kb seconds <"$work/time.txt"
  bytes=$(stat -c %s "$spool")
  awk -v l="$label" -v k="$kb" -v s="$seconds" -v b="$bytes" 'BEGIN {
    printf "%-30s peak %7.1f MB  wall %8.2f s  %8.1f MB/s\n", l, k / 1024, s, (s > 0 ? b / 1e6 / s : 0) }'
}

# run KIND PAGES KEYS: prints, dumps and renders a job of PAGES photo pages.
run() {
  local kind=$1 pages=$2 keys=$3
  local jobfile=$work/$kind-$pages.json spool=$work/$kind-$pages.spl
  job "$jobfile" "$pages" "$keys"
  measure "print $kind $pages pages" "$spool" "$bin/xlrender" print "$jobfile" -o "$spool"
  echo "  spool file: $(($(stat -c %s "$spool") / 1000000)) MB"
  measure "  cat" "$spool" sh -c 'cat "$1" >/dev/null' sh "$spool"
  measure "  dump --strict" "$spool" sh -c '"$1" dump --strict "$2" >/dev/null' sh "$bin/xlrender" "$spool"
  mkdir -p "$work/pages"
  measure "  render -r 50" "$spool" sh -c '"$1" render -r 50 "$2" -o "$3" >/dev/null' sh \
    "$bin/xlrender" "$spool" "$work/pages/p%d.png"
  rm -rf "$work/pages" "$spool" "$jobfile"
}

echo "$("$bin/xlrender" --version), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
for pages in $raster_pages; do
  run raster "$pages" ''
done
for pages in $jpeg_pages; do
  run jpeg "$pages" '"features": {"JPEGEnable": "Maximum"}, "publicDevmode": {"color": "color"}, '
done
