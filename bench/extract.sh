#!/usr/bin/env bash
# Extraction against tar: a wad of about 500 MB with 5,000 entries in nested folders,
# extracted by quillmoor-cli, and the same files extracted from a tar by tar -xf, in the same
# run. Prints the ratio of the median times and the peak memory of each.
# Target: ratio <= 1.2; Quillmoor's peak memory below 64 MB plus the largest entry.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
runs=${RUNS:-5}

bench_prepare

largest=$(python3 bench/make_tree.py "$BENCH_DIR/tree" "${FILES:-5000}" "${TOTAL_MB:-500}" \
  "$BENCH_DIR/data.wad")
tar -cf "$BENCH_DIR/data.tar" -C "$BENCH_DIR/tree" .

for i in $(seq "$runs"); do
  rm -rf "$BENCH_DIR/out" && mkdir "$BENCH_DIR/out"
  bench_measure build/src/cli/quillmoor-cli extract "$BENCH_DIR/data.wad" "$BENCH_DIR/out" \
    >>"$BENCH_DIR/quillmoor.txt"
  rm -rf "$BENCH_DIR/out" && mkdir "$BENCH_DIR/out"
  bench_measure tar -xf "$BENCH_DIR/data.tar" -C "$BENCH_DIR/out" >>"$BENCH_DIR/tar.txt"
done

q=$(cut -d' ' -f1 "$BENCH_DIR/quillmoor.txt" | bench_median)
t=$(cut -d' ' -f1 "$BENCH_DIR/tar.txt" | bench_median)
qmem=$(cut -d' ' -f2 "$BENCH_DIR/quillmoor.txt" | sort -n | tail -1)
tmem=$(cut -d' ' -f2 "$BENCH_DIR/tar.txt" | sort -n | tail -1)
echo "extract: quillmoor ${q}s, tar ${t}s, ratio $(bench_ratio "$q" "$t") (target <= 1.2)"
echo "peak memory: quillmoor ${qmem} KB, tar ${tmem} KB; largest entry $((largest / 1024)) KB (target below 64 MB + largest entry)"
