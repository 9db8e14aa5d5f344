# Shared by the benchmarks: what they need installed, the data folder, timing and medians.

bench_install() {
  local missing=()
  command -v python3 >/dev/null || missing+=(python3)
  [ -x /usr/bin/time ] || missing+=(time)
  command -v tar >/dev/null || missing+=(tar)
  if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
  fi
}

# Installs what is missing, builds quillmoor-cli and makes the data folder BENCH_DIR, removed
# when the benchmark ends. Call from the project's root.
bench_prepare() {
  bench_install
  scripts/install-deps
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build --target quillmoor-cli >/dev/null
  BENCH_DIR=$(mktemp -d)
  trap 'rm -rf "$BENCH_DIR"' EXIT
}

# Prints the ratio of two times.
bench_ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'
}

# Runs a command, prints "SECONDS PEAK_KB".
bench_measure() {
  # What earlier commands left to write goes to the disk first, so that a command that syncs
  # doesn't pay for the writes of the one before it.
  sync
  /usr/bin/time -f "%e %M" -o "$BENCH_DIR/time.txt" "$@" >/dev/null
  cat "$BENCH_DIR/time.txt"
}

# The median of the numbers on standard input.
bench_median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
