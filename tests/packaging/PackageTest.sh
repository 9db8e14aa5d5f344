#!/usr/bin/env bash
# Makes the Debian package from a finished build, unpacks it into a folder of its own and
# checks that everything a desktop install needs is in it, that the programs run from there,
# and that desktop-file-validate, appstreamcli and lintian accept what it installs.
# Arguments: the build folder, the desktop entry's name (reverse DNS).
set -euo pipefail
build=$1
app_id=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $*"
  exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work/dist" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack could not make the package"; }
deb=$work/dist/quillmoor_2.9_amd64.deb
[ -f "$deb" ] || fail "no $deb; cpack made: $(ls "$work/dist")"

root=$work/root
dpkg-deb -x "$deb" "$root"

expected=(
  usr/bin/quillmoor
  usr/bin/quillmoor-cli
  "usr/share/applications/$app_id.desktop"
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  "usr/share/metainfo/$app_id.metainfo.xml"
  usr/share/mime/packages/quillmoor.xml
  usr/share/man/man1/quillmoor.1.gz
  usr/share/man/man1/quillmoor-cli.1.gz
  usr/share/bash-completion/completions/quillmoor-cli
  usr/share/doc/quillmoor/README.md
  usr/share/doc/quillmoor/copyright
  usr/share/doc/quillmoor/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for file in "${expected[@]}"; do
  [ -s "$root/$file" ] || fail "the package lacks $file"
done
for size in 16 256; do
  identify "$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png" |
    grep -q " PNG ${size}x${size} " || fail "the ${size}x${size} icon is not a PNG of that size"
done

# The programs run from the unpacked package (no display needed for --version).
for program in quillmoor quillmoor-cli; do
  version=$("$root/usr/bin/$program" --version) || fail "$program --version failed"
  [ "$version" = "Quillmoor 2.9" ] || fail "$program --version said '$version'"
done

# The man page of quillmoor-cli is its --help, with the exit statuses and the backups.
man_page=$(zcat "$root/usr/share/man/man1/quillmoor-cli.1.gz")
for text in 'update\\-tracks' 'EXIT STATUS' 'BACKUPS' '\.wad\.bak'; do
  grep -q "$text" <<<"$man_page" || fail "the man page of quillmoor-cli lacks $text"
done

# Without a display the window program says, in one line, where to turn, and exits 1.
status=0
no_display=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/quillmoor" 2>&1) ||
  status=$?
[ "$status" = 1 ] || fail "quillmoor without a display exited $status"
[ "$(wc -l <<<"$no_display")" = 1 ] && grep -q "quillmoor-cli" <<<"$no_display" ||
  fail "quillmoor without a display said: $no_display"

# Each command has a line of its own in the man page of quillmoor-cli.
man_text=$(MANWIDTH=100 man -l "$root/usr/share/man/man1/quillmoor-cli.1.gz" 2>/dev/null)
for command in 'list WAD' 'extract WAD' 'create FOLDER' 'update WAD' 'update-tracks SOURCE' \
  'undo WAD' 'undo-tracks' 'test WAD' 'diff WAD'; do
  grep -qE "^ +$command" <<<"$man_text" ||
    fail "the man page of quillmoor-cli has no line that starts with '$command'"
done

# The .wad file type, installed beside the system's: a GP4 wad is a GP4 wad, and a wad with
# Doom's signature stays Doom's, by the file name and content tools xdg-mime asks.
mime=$work/mime
mkdir -p "$mime/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$root/usr/share/mime/packages/quillmoor.xml" \
  "$mime/mime/packages/"
update-mime-database "$mime/mime" 2>/dev/null
printf '\1\0\0\0' >"$work/cars.wad"
printf 'PWAD\1\0\0\0\14\0\0\0' >"$work/doom.wad"
printf 'IWAD\0\0\0\0\14\0\0\0' >"$work/DOOM2.WAD"
for file in cars.wad:application/x-gp4-wad doom.wad:application/x-doom-wad \
  DOOM2.WAD:application/x-doom-wad; do
  type=$(XDG_DATA_HOME="$work/none" XDG_DATA_DIRS="$mime" xdg-mime query filetype "$work/${file%%:*}")
  [ "$type" = "${file#*:}" ] || fail "xdg-mime took ${file%%:*} for $type"
done

fields=$(dpkg-deb --field "$deb" Package Version Architecture Section Maintainer Depends Recommends)
for field in "Package: quillmoor" "Version: 2.9" "Architecture: amd64" "Section: games" \
  "Maintainer: " "Depends: .*libc6.*" "Depends: .*libqt6widgets6" "Recommends: bash-completion"; do
  grep -q "^$field" <<<"$fields" || fail "the package's control lacks '$field':"$'\n'"$fields"
done

desktop-file-validate "$root/usr/share/applications/$app_id.desktop" ||
  fail "desktop-file-validate refused the desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "appstreamcli refused the metainfo"
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian found errors"
echo "package: all checks passed"
