#!/usr/bin/env bash
# Drives the Tab completion of quillmoor-cli as bash does and checks what it offers, in a
# folder of its own with wads, other files and folders.
set -uo pipefail
source "$1"
# compopt only works inside a real completion; the file-name marking it asks for is bash's.
compopt() { :; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p game mods/cars
touch cars.wad MONACO.WAD notes.txt mods/a.dat

failures=0
# expect_offers "WANTED" WORD...: completing the last WORD offers exactly WANTED (sorted).
expect_offers() {
  local wanted=$1
  shift
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _quillmoor_cli
  local offered
  offered=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort -u | paste -sd' ')
  if [ "$offered" != "$wanted" ]; then
    echo "FAILED: completing '$*' offered '$offered', wanted '$wanted'"
    failures=$((failures + 1))
  fi
}

expect_offers "--help --version create extract list undo undo-tracks update update-tracks" \
  quillmoor-cli ""
expect_offers "update update-tracks" quillmoor-cli upd
expect_offers "MONACO.WAD cars.wad game mods" quillmoor-cli list ""
expect_offers "" quillmoor-cli list cars.wad ""
expect_offers "mods/cars" quillmoor-cli list mods/
expect_offers "game mods" quillmoor-cli extract cars.wad ""
expect_offers "game mods" quillmoor-cli create ""
expect_offers "MONACO.WAD cars.wad game mods" quillmoor-cli create mods ""
expect_offers "MONACO.WAD cars.wad game mods notes.txt" quillmoor-cli update cars.wad ""
expect_offers "mods/a.dat mods/cars" quillmoor-cli update --dry-run cars.wad mods/
expect_offers "game" quillmoor-cli update-tracks --game-folder g
expect_offers "mods" quillmoor-cli update-tracks --game-folder game mo
expect_offers "--dry-run --game-folder --help --no-backup" quillmoor-cli update-tracks --
expect_offers "--dry-run --help --no-backup" quillmoor-cli update cars.wad --
expect_offers "MONACO.WAD cars.wad game mods" quillmoor-cli undo ""
expect_offers "game" quillmoor-cli undo-tracks --game-folder g
expect_offers "--help" quillmoor-cli list --

if [ "$failures" -ne 0 ]; then
  echo "$failures completion checks failed"
  exit 1
fi
echo "completion of quillmoor-cli: all checks passed"
