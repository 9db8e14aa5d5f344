#!/usr/bin/env bash
# Creation against tar: 5,000 files of about 500 MB in nested folders, packed by
# quillmoor-cli create and by tar -cf, in the same run. Prints the ratio of the median times
# (target <= 1.2) and the peak memory of each.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
runs=${RUNS:-5}

bench_prepare

python3 bench/make_tree.py "$BENCH_DIR/tree" "${FILES:-5000}" "${TOTAL_MB:-500}" >/dev/null

# Each writes over its output of the run before, as a user packing a mod again would.
for i in $(seq "$runs"); do
  bench_measure build/src/cli/quillmoor-cli create "$BENCH_DIR/tree" "$BENCH_DIR/data.wad" \
    >>"$BENCH_DIR/quillmoor.txt"
  bench_measure tar -cf "$BENCH_DIR/data.tar" -C "$BENCH_DIR/tree" . >>"$BENCH_DIR/tar.txt"
done

q=$(cut -d' ' -f1 "$BENCH_DIR/quillmoor.txt" | bench_median)
t=$(cut -d' ' -f1 "$BENCH_DIR/tar.txt" | bench_median)
qmem=$(cut -d' ' -f2 "$BENCH_DIR/quillmoor.txt" | sort -n | tail -1)
tmem=$(cut -d' ' -f2 "$BENCH_DIR/tar.txt" | sort -n | tail -1)
echo "create: quillmoor ${q}s, tar ${t}s, ratio $(bench_ratio "$q" "$t") (target <= 1.2)"
echo "peak memory: quillmoor ${qmem} KB, tar ${tmem} KB"
