#!/usr/bin/env bash
# Compares xlrender with other programs that write PCL XL, on the same photographs: the example
# photograph (examples/photo.jpg) and the print benchmark's 2400 x 1600 photograph, each placed
# one inch from the top left corner of an A4 page at its own size at 600 dpi, sent by
#   - xlrender print: colour, raster fallback and JPEG ("JPEGEnable" "Maximum");
#   - Ghostscript's pxlcolor device: its lossless default and -dCompressMode=2 (JPEG);
#   - netpbm's pnmtopclxl (the photograph decoded by jpegtopnm on the way, which is timed too).
# For each it prints the spool bytes, the wall time of the conversion (the fastest of three runs) and the PSNR (over R, G
# and B) of the photograph's region of the page, drawn by `xlrender render` at 600 dpi, against
# the photograph decoded by jpegtopnm. The region is registered within +-2 pixels, since the
# peers round the image's position their own way; the offset found is shown. A spool file the
# renderer refuses shows the renderer's message instead of a PSNR.
#
# Ghostscript and netpbm are comparison tools, not dependencies of the product: the script
# installs them with apt-get when run as root, otherwise names them. Python 3 computes the PSNR.
#
# Usage: bench/peers.sh   (XLRENDER_BIN: folder of xlrender and xlrender-example-photo,
#                          build/release/bin by default; WORK: scratch folder, a new one by default)
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/script_setup.sh

if ! command -v gs >/dev/null || ! command -v pnmtopclxl >/dev/null; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "bench/peers.sh needs the Debian packages ghostscript and netpbm" >&2
    exit 2
  fi
  apt-get install -y --no-install-recommends ghostscript netpbm >/dev/null
fi

readonly dpi=600
readonly inch_mm=25.4
readonly margin_px=$dpi # the photograph's top left corner, one inch in from both edges
readonly search_px=2    # how far the photograph may be from where it was put

# now_ms: a clock for wall times.
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# psnr SOURCE.ppm PAGE_CROP.ppm: the best PSNR of SOURCE against the crop (SOURCE plus
# search_px on every side) over the offsets within search_px, as "dB (dx,dy)".
psnr() {
  python3 - "$1" "$2" "$search_px" <<'EOF'
import math, operator, sys

def read_ppm(path):
    data = open(path, "rb").read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit(f"{path}: not an 8-bit PPM")
    return int(fields[1]), int(fields[2]), data[pos + 1:]

def squared_error(src, w, h, page, pw, dx, dy, row_step):
    total = 0
    for y in range(0, h, row_step):
        a = src[y * w * 3:(y + 1) * w * 3]
        start = ((y + dy) * pw + dx) * 3
        d = list(map(operator.sub, a, page[start:start + w * 3]))
        total += sum(map(operator.mul, d, d))
    return total

w, h, src = read_ppm(sys.argv[1])
pw, ph, page = read_ppm(sys.argv[2])
reach = int(sys.argv[3])
offsets = [(dx, dy) for dy in range(2 * reach + 1) for dx in range(2 * reach + 1)]
# Register on every 16th row, then measure the whole photograph there.
dx, dy = min(offsets, key=lambda o: squared_error(src, w, h, page, pw, *o, 16))
mse = squared_error(src, w, h, page, pw, dx, dy, 1) / (w * h * 3)
db = "inf" if mse == 0 else f"{10 * math.log10(255 * 255 / mse):.2f}"
print(f"{db} ({dx - reach:+d},{dy - reach:+d})")
EOF
}

# measure NAME SPOOL: renders SPOOL and prints its table row, for the photograph at hand
# (photo_name, width, height, source.ppm) and the time `timed` took.
measure() {
  local name=$1 spool=$2 quality xlrender_error
  if xlrender_error=$("$bin/xlrender" render "$spool" -o "$spool.png" -r $dpi 2>&1 >/dev/null); then
    pngtopam "$spool.png" |
      pamcut -left $((margin_px - search_px)) -top $((margin_px - search_px)) \
        -width $((width + 2 * search_px)) -height $((height + 2 * search_px)) >"$spool.ppm"
    quality=$(psnr "$work/source.ppm" "$spool.ppm")
    rm -f "$spool.png" "$spool.ppm"
  else
    quality="refused: ${xlrender_error//$'\n'/ }"
  fi
  printf '%-15s %-26s %11d %8d  %s\n' "$photo_name" "$name" "$(stat -c %s "$spool")" \
    "$elapsed" "$quality"
}

# mm PIXELS: the length of PIXELS at 600 dpi in millimetres.
mm() { awk "BEGIN { printf \"%.6f\", $1 * $inch_mm / $dpi }"; }

# xlrender_job PHOTO WIDTH HEIGHT FEATURES: a job putting PHOTO on A4 as every peer does.
xlrender_job() {
  cat <<EOF
{"features": {$4}, "publicDevmode": {"paper": "A4", "color": "color"},
 "pages": [{"content": [{"image": "$1", "at": {"x": $inch_mm, "y": $inch_mm,
   "width": $(mm "$2"), "height": $(mm "$3")}}]}]}
EOF
}

# ghostscript_page PHOTO WIDTH HEIGHT: PostScript drawing PHOTO where the other jobs put it.
ghostscript_page() {
  cat <<EOF
%!PS
/W $2 def /H $3 def /pt_per_px 72 $dpi div def
72 842 72 sub H pt_per_px mul sub translate
W pt_per_px mul H pt_per_px mul scale
/DeviceRGB setcolorspace
<< /ImageType 1 /Width W /Height H /BitsPerComponent 8 /Decode [0 1 0 1 0 1]
   /ImageMatrix [W 0 0 H neg 0 H] /DataSource ($1) (r) file /DCTDecode filter >> image
showpage
EOF
}

# timed OUT COMMAND...: runs COMMAND `runs` times with standard output to OUT; sets `elapsed` to
# the fastest run's wall time (ms), the one least disturbed by other work on the machine.
readonly runs=3
timed() {
  local out=$1 start run_ms
  shift
  elapsed=
  for _ in $(seq $runs); do
    start=$(now_ms)
    "$@" >"$out"
    run_ms=$(($(now_ms) - start))
    if [ -z "$elapsed" ] || [ "$run_ms" -lt "$elapsed" ]; then
      elapsed=$run_ms
    fi
  done
}

bench_photo="$work/bench-photo-2400x1600.jpg"
"$bin/xlrender-example-photo" 2400 1600 "$bench_photo"

printf '%-15s %-26s %11s %8s  %s\n' photo "tool / mode" "spool bytes" "ms" "PSNR dB (dx,dy)"
for photo in "$(realpath examples/photo.jpg)" "$bench_photo"; do
  photo_name=$(basename "$photo" .jpg)
  photo_name=${photo_name#bench-}
  jpegtopnm -quiet "$photo" >"$work/source.ppm"
  read -r width height < <(head -c 64 "$work/source.ppm" | sed -n 2p)

  xlrender_job "$photo" "$width" "$height" "" >"$work/raster.json"
  timed /dev/null "$bin/xlrender" print "$work/raster.json" -o "$work/xlrender-raster.spl"
  measure "xlrender raster fallback" "$work/xlrender-raster.spl"
  xlrender_job "$photo" "$width" "$height" '"JPEGEnable": "Maximum"' >"$work/jpeg.json"
  timed /dev/null "$bin/xlrender" print "$work/jpeg.json" -o "$work/xlrender-jpeg.spl"
  measure "xlrender JPEG" "$work/xlrender-jpeg.spl"

  ghostscript_page "$photo" "$width" "$height" >"$work/page.ps"
  for mode in 1 2; do
    timed "$work/gs-$mode.spl" gs -q -dBATCH -dNOPAUSE -sDEVICE=pxlcolor -r$dpi \
      -sPAPERSIZE=a4 -dFIXEDMEDIA --permit-file-read="$photo" -dCompressMode=$mode \
      -sOutputFile=- "$work/page.ps"
    measure "gs pxlcolor CompressMode=$mode" "$work/gs-$mode.spl"
  done

  timed "$work/pnmtopclxl.spl" sh -c "jpegtopnm -quiet '$photo' |
    pnmtopclxl -quiet -colorok -dpi=$dpi -xoffs=1 -yoffs=1 -format=a4"
  measure "netpbm pnmtopclxl" "$work/pnmtopclxl.spl"
done
echo "spool files in $work"
