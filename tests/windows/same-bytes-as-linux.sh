#!/usr/bin/env bash
# same-bytes-as-linux.sh EXE LINUX_CLI PREFIX: quillmoor-cli.exe, run under Wine in PREFIX,
# lists, extracts, creates and updates hand-made wads whose names hold é and ü with exactly
# the output, files and wad bytes of the Linux quillmoor-cli; a missing wad is "Fichier
# introuvable." and exit 1.
set -euo pipefail
exe=$1
linux_cli=$2
prefix=$3
source "$(dirname "$0")/common.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The hand-made wad: names in the game's code page (\xE9 é, \xFC ü, \xC9 É) in nested folders,
# an empty entry and a last one whose block ends the file.
write_wad "$work/game.wad" \
  'cars\\f\xE9lix.tex' 'AAAA' \
  'tracks\\M\xFCnchen\\info.txt' 'hello' \
  'empty.dat' '' \
  'tracks\\\xC9t\xE9.dat' 'summer' \
  'b' 'BB'

echo "list"
"$linux_cli" list "$work/game.wad" >"$work/linux.list"
win_cli list "$(winpath "$work/game.wad")" >"$work/windows.list"
cmp "$work/linux.list" "$work/windows.list" || fail "list differs"
grep -q "félix.tex" "$work/windows.list" || fail "list does not spell é in UTF-8"

echo "extract"
"$linux_cli" extract "$work/game.wad" "$work/linux-out" >/dev/null
win_cli extract "$(winpath "$work/game.wad")" "$(winpath "$work/windows-out")" >/dev/null
diff -r "$work/linux-out" "$work/windows-out" || fail "extracted files differ"
[ -f "$work/windows-out/cars/félix.tex" ] || fail "no cars/félix.tex"
[ -f "$work/windows-out/tracks/München/info.txt" ] || fail "no tracks/München/info.txt"

echo "create"
mkdir -p "$work/sources é/Über" "$work/sources é/cars"
printf 'one' >"$work/sources é/Über/é.txt"
printf 'two' >"$work/sources é/cars/ü.dat"
printf 'three' >"$work/sources é/a.txt"
"$linux_cli" create "$work/sources é" "$work/linux-new.wad" >/dev/null
win_cli create "$(winpath "$work/sources é")" "$(winpath "$work/windows-new.wad")" >/dev/null
cmp "$work/linux-new.wad" "$work/windows-new.wad" || fail "created wads differ"

echo "update"
mkdir -p "$work/mod ü/tracks"
printf 'new info' >"$work/mod ü/tracks/info.txt"
printf 'added' >"$work/mod ü/tracks/grün.dat"
cp "$work/game.wad" "$work/linux-updated.wad"
cp "$work/game.wad" "$work/windows-updated.wad"
"$linux_cli" update "$work/linux-updated.wad" "$work/mod ü" >/dev/null
win_cli update "$(winpath "$work/windows-updated.wad")" "$(winpath "$work/mod ü")" >/dev/null
cmp "$work/linux-updated.wad" "$work/windows-updated.wad" || fail "updated wads differ"
cmp -s "$work/game.wad" "$work/windows-updated.wad" && fail "the update changed nothing"

echo "missing wad"
status=0
win_cli list "$(winpath "$work/missing.wad")" >"$work/missing.out" 2>"$work/missing.err" || status=$?
[ "$status" -eq 1 ] || fail "a missing wad gives exit $status"
[ "$(cat "$work/missing.err")" = "Fichier introuvable." ] || fail "a missing wad gives: $(cat "$work/missing.err")"
echo "quillmoor-cli.exe gives the Linux build's bytes"
