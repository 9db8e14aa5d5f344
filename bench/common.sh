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

# Runs a command, prints "SECONDS PEAK_KB".
bench_measure() {
  /usr/bin/time -f "%e %M" -o "$BENCH_DIR/time.txt" "$@" >/dev/null
  cat "$BENCH_DIR/time.txt"
}

# The median of the numbers on standard input.
bench_median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
