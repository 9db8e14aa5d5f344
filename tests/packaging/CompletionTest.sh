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
touch cars.wad cars.wad.bak MONACO.WAD notes.txt mods/a.dat ./-dash.dat

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

expect_offers "--help --version create diff extract list test undo undo-tracks update update-tracks" \
  quillmoor-cli ""
expect_offers "update update-tracks" quillmoor-cli upd
expect_offers "MONACO.WAD cars.wad game mods" quillmoor-cli list ""
expect_offers "" quillmoor-cli list cars.wad ""
expect_offers "mods/cars" quillmoor-cli list mods/
expect_offers "MONACO.WAD cars.wad game mods" quillmoor-cli test ""

# extract WAD [FOLDER] [PATTERN...]: the patterns, and with -O everything behind the wad, are
# the user's to type.
expect_offers "game mods" quillmoor-cli extract cars.wad ""
expect_offers "game mods" quillmoor-cli extract -q cars.wad ""
expect_offers "" quillmoor-cli extract cars.wad out ""
expect_offers "" quillmoor-cli extract -O cars.wad ""
expect_offers "" quillmoor-cli extract -qO cars.wad ""
expect_offers "" quillmoor-cli extract --to-stdout cars.wad ""
expect_offers "-- --help --quiet --to-stdout --verbose" quillmoor-cli extract --
expect_offers "-- --help --quiet --to-stdout --verbose -O -q -v" quillmoor-cli extract -

expect_offers "game mods" quillmoor-cli create ""
expect_offers "MONACO.WAD cars.wad game mods" quillmoor-cli create mods ""

# update WAD SOURCE... and update-tracks SOURCE...: a source wherever one may go.
expect_offers "-dash.dat MONACO.WAD cars.wad cars.wad.bak game mods notes.txt" \
  quillmoor-cli update cars.wad ""
expect_offers "mods/a.dat mods/cars" quillmoor-cli update --dry-run cars.wad mods/
expect_offers "mods/a.dat mods/cars" quillmoor-cli update cars.wad notes.txt mods/
expect_offers "mods/a.dat mods/cars" quillmoor-cli update-tracks mods/a.dat -v mods/
expect_offers "game" quillmoor-cli update-tracks --game-folder g
expect_offers "game" quillmoor-cli update-tracks --game-folder = g
expect_offers "--game-folder=game" quillmoor-cli update-tracks --game-folder=g
expect_offers "mods" quillmoor-cli update-tracks --game-folder game mo
expect_offers "mods" quillmoor-cli update-tracks --game-folder = game mo
expect_offers "-- --dry-run --game-folder --help --no-backup --quiet --verbose" \
  quillmoor-cli update-tracks --
expect_offers "-- --dry-run --help --no-backup --quiet --verbose" quillmoor-cli update cars.wad --
# Behind "--" a word that starts with a dash is a file's name.
expect_offers "-dash.dat" quillmoor-cli update cars.wad -- -d
expect_offers "MONACO.WAD cars.wad game mods" quillmoor-cli update -- ""

expect_offers "MONACO.WAD cars.wad game mods" quillmoor-cli undo ""
expect_offers "game" quillmoor-cli undo-tracks --game-folder g
expect_offers "-- --help" quillmoor-cli list --

# diff A.wad B.wad, or a wad and a folder; a backup is a wad to compare.
expect_offers "cars.wad cars.wad.bak" quillmoor-cli diff ca
expect_offers "MONACO.WAD cars.wad cars.wad.bak game mods" quillmoor-cli diff cars.wad.bak ""
expect_offers "" quillmoor-cli diff a.wad b.wad ""

if [ "$failures" -ne 0 ]; then
  echo "$failures completion checks failed"
  exit 1
fi
echo "completion of quillmoor-cli: all checks passed"
