#!/usr/bin/env bash
# Runs every benchmark program with interleaved repetitions and prints the
# table of each case against its floors (bench/table.sh; see README.md).
#
# Usage: bench/run.sh OUTDIR [REPETITIONS]
# Reads the programs from $TAVIR_BUILD_DIR/bench (default build-release/bench,
# a Release build); writes OUTDIR/<program>.json, OUTDIR/<program>.log and
# OUTDIR/table.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${TAVIR_BUILD_DIR:-$root/build-release}/bench
out=$1
reps=${2:-9}
mkdir -p "$out"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} LC_ALL=C LANG=C
for p in calc_bench db_bench report_bench site_file_bench startup_bench tree_bench; do
  "$bin/$p" --benchmark_repetitions="$reps" --benchmark_enable_random_interleaving=true \
    --benchmark_out="$out/$p.json" --benchmark_out_format=json >"$out/$p.log" 2>&1
done
"$root/bench/table.sh" "$out"
