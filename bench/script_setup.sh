# Sourced by the benchmark scripts from the repository's root: sets `bin` to the folder of
# xlrender and xlrender-example-photo (XLRENDER_BIN, build/release/bin by default) and `work` to
# a scratch folder (WORK, a new one by default), and stops when xlrender is not built.
bin=$(realpath -m "${XLRENDER_BIN:-build/release/bin}")
if [ ! -x "$bin/xlrender" ]; then
  echo "no $bin/xlrender: build the release preset or set XLRENDER_BIN" >&2
  exit 2
fi
work=${WORK:-$(mktemp -d)}
mkdir -p "$work"
