#!/usr/bin/env bash
# Update benchmarks.
# (a) A wad of about 1 GB with 2,000 entries, updated by 200 files, against cp of the same wad
#     in the same run: ratio of the median times (target <= 1.5), and peak memory (target at
#     most the wad's size plus the sources plus 64 MB). The same update with --no-backup, paired
#     run by run: what keeping the previous version as WAD.bak costs (target <= 1.05).
# (b) A wad of 20,000 small entries updated by 20,000 files (half replacing, half added), then
#     both counts doubled: each run's time (target under one second; doubling at most doubles).
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
runs=${RUNS:-5}

bench_prepare
cli=build/src/cli/quillmoor-cli


# (a)
python3 bench/make_tree.py "$BENCH_DIR/big" "${BIG_FILES:-2000}" "${TOTAL_MB:-1024}" "$BENCH_DIR/big.wad" >/dev/null
python3 bench/make_sources.py "$BENCH_DIR/big" "$BENCH_DIR/big-mod" 200 0
rm -rf "$BENCH_DIR/big"
# cp replaces an earlier copy, as the update replaces the wad it rewrites.
cp "$BENCH_DIR/big.wad" "$BENCH_DIR/copy.wad"
for i in $(seq "$runs"); do
  bench_measure "$cli" update "$BENCH_DIR/big.wad" "$BENCH_DIR/big-mod" >>"$BENCH_DIR/update.txt"
  bench_measure "$cli" update --no-backup "$BENCH_DIR/big.wad" "$BENCH_DIR/big-mod" \
    >>"$BENCH_DIR/no-backup.txt"
  bench_measure cp "$BENCH_DIR/big.wad" "$BENCH_DIR/copy.wad" >>"$BENCH_DIR/cp.txt"
done
q=$(cut -d' ' -f1 "$BENCH_DIR/update.txt" | bench_median)
c=$(cut -d' ' -f1 "$BENCH_DIR/cp.txt" | bench_median)
qmem=$(cut -d' ' -f2 "$BENCH_DIR/update.txt" | sort -n | tail -1)
wad_kb=$(( $(stat -c %s "$BENCH_DIR/big.wad") / 1024 ))
sources_kb=$(du -sk "$BENCH_DIR/big-mod" | cut -f1)
n=$(cut -d' ' -f1 "$BENCH_DIR/no-backup.txt" | bench_median)
echo "update 1 GB: quillmoor ${q}s, cp ${c}s, ratio $(bench_ratio "$q" "$c") (target <= 1.5)"
echo "backup kept: ${q}s, --no-backup ${n}s, ratio $(bench_ratio "$q" "$n") (target <= 1.05)"
echo "peak memory: ${qmem} KB; wad ${wad_kb} KB + sources ${sources_kb} KB + 64 MB = $((wad_kb + sources_kb + 65536)) KB"

# (b)
for entries in 20000 40000; do
  rm -rf "$BENCH_DIR/small" "$BENCH_DIR/small-mod"
  python3 bench/make_tree.py "$BENCH_DIR/small" "$entries" $((entries / 10000)) \
    "$BENCH_DIR/small.wad" >/dev/null
  python3 bench/make_sources.py "$BENCH_DIR/small" "$BENCH_DIR/small-mod" $((entries / 2)) \
    $((entries / 2))
  cp "$BENCH_DIR/small.wad" "$BENCH_DIR/small-original.wad"
  : >"$BENCH_DIR/small.txt"
  for i in $(seq "$runs"); do
    cp "$BENCH_DIR/small-original.wad" "$BENCH_DIR/small.wad"
    bench_measure "$cli" update "$BENCH_DIR/small.wad" "$BENCH_DIR/small-mod" >>"$BENCH_DIR/small.txt"
  done
  echo "update $entries entries by $entries files: $(cut -d' ' -f1 "$BENCH_DIR/small.txt" | bench_median)s (median of $runs)"
done
