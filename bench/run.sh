#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: bench/run.sh [TESSERA_CLI]   (environment: BENCH_RUNS=5, BENCH_OUT=bench/out)
# Makes the inputs once, then times tessera-cli beside `xxd -i` and `cat` (and its palettes beside
# pngquant and ImageMagick's convert) and prints the table.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cli="${1:-$here/../build-bench/tessera-cli}"
out="${BENCH_OUT:-$here/out}"
runs="${BENCH_RUNS:-5}"

for tool in python3 xxd /usr/bin/time pngquant convert sox; do
    command -v "$tool" >/dev/null || { echo "bench: $tool is missing (make bootstrap)" >&2; exit 1; }
done
mkdir -p "$out"
python3 "$here/make_inputs.py" "$out"
# Warm the page cache, so the first of the runs is not the only one reading from the disk.
cat "$out"/*.bmp "$out"/*.png "$out"/*.wav >/dev/null
python3 "$here/bench.py" "$(realpath -m "$cli")" "$(realpath "$out")" "$runs"
