# What the Windows stage's scripts share: running quillmoor-cli.exe under Wine, Windows paths
# for Linux files, and wads written byte by byte.
# Needs $exe (quillmoor-cli.exe) and $prefix (the Wine prefix) set by the script sourcing it.

export LC_ALL=C
runner=$(dirname "${BASH_SOURCE[0]}")/../../cmake/run-under-wine

# Runs quillmoor-cli.exe under Wine with the arguments; its output lines lose their "\r".
# The output goes through a pipe, so all of it has arrived when this returns.
win_cli() {
  "$runner" "$prefix" "$exe" "$@" 2> >(tr -d '\r' >&2) | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# The Windows path of a Linux path, through the drive Z: that every Wine prefix maps to /.
winpath() {
  local path=$1
  printf 'Z:%s' "${path//\//\\}"
}

# The four bytes of a signed 32-bit little-endian integer.
le32() {
  local n=$1
  printf "\\x$(printf %02x $((n & 255)))\\x$(printf %02x $((n >> 8 & 255)))"
  printf "\\x$(printf %02x $((n >> 16 & 255)))\\x$(printf %02x $((n >> 24 & 255)))"
}

# write_wad FILE NAME DATA [NAME DATA ...]: a wad of the entries in that order, each block right
# behind the previous one. Names are printf formats, so "\xE9" writes the code page's é.
write_wad() {
  local file=$1
  shift
  local count=$(($# / 2))
  local offset=$((4 + 136 * count))
  {
    le32 "$count"
    local rest=("$@")
    while [ ${#rest[@]} -gt 0 ]; do
      local name
      name=$(printf "${rest[0]}"; printf x)
      name=${name%x}
      printf '%s' "$name"
      head -c $((128 - ${#name})) /dev/zero
      le32 "$offset"
      le32 "${#rest[1]}"
      offset=$((offset + ${#rest[1]}))
      rest=("${rest[@]:2}")
    done
    local i
    for ((i = 2; i <= $#; i += 2)); do printf '%s' "${!i}"; done
  } >"$file"
}

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
