#!/usr/bin/env bash
# update-tracks-from-registry.sh EXE PREFIX: quillmoor-cli.exe update-tracks, run under Wine in
# PREFIX without --game-folder, finds the game folder through the key the game's installer
# writes in the 32-bit view of HKEY_LOCAL_MACHINE, and updates the 17 track wads there.
set -euo pipefail
exe=$1
prefix=$2
source "$(dirname "$0")/common.sh"

key='HKLM\Software\Infogrames\Grand Prix 4\1.00\Install Dir'
game=$prefix/drive_c/GP4
work=$(mktemp -d)
cleanup() {
  "$runner" "$prefix" reg delete "$key" /f /reg:32 >/dev/null 2>&1 || true
  rm -rf "$work" "$game"
}
trap cleanup EXIT

tracks=(a1ring2001 barcelona2001 hockenheim2001 hungaroring2001 imola2001 indianapolis2001
  interlagos2001 magnycours2001 melborne2001 monaco2001 montreal2001 monza2001 nurburgring2001
  sepang2001 silverstone2001 spa2001 suzuka2001)
mkdir -p "$game" "$work/mod"
printf 'MZ' >"$game/GP4.exe"
for track in "${tracks[@]}"; do write_wad "$game/$track.wad"; done
printf 'X' >"$work/mod/x.dat"
source=$(winpath "$work/mod/x.dat")

win_cli update-tracks "$source" >/dev/null 2>&1 && fail "updated without knowing the game folder"

"$runner" "$prefix" reg add "$key" /v Directory /d 'C:\GP4' /f /reg:32 >/dev/null
win_cli update-tracks "$source" >/dev/null || fail "update-tracks failed"
for track in "${tracks[@]}"; do
  write_wad "$work/expected.wad" "maps\\\\$track\\\\x.dat" X
  cmp "$work/expected.wad" "$game/$track.wad" || fail "$track.wad was not updated"
done
echo "update-tracks found C:\\GP4 through the registry and updated its 17 wads"
