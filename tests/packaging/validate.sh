#!/bin/sh
# Installs the build into a scratch folder and checks what a desktop and a
# software centre read there: the desktop entry, the metainfo, and that the
# icon the entry names exists in every size. Exit 77 (skipped) when the
# validators are not installed.
set -eu
build="$1"
for tool in appstreamcli desktop-file-validate; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (Debian: appstream, desktop-file-utils; scripts/setup installs them)"
    exit 77
  fi
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install "$build" --prefix "$stage/usr" >/dev/null

share="$stage/usr/share"
id=org.example.rumena
desktop-file-validate "$share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$share/metainfo/$id.metainfo.xml"
# The tree check also ties the metainfo to its desktop entry.
appstreamcli validate-tree --no-net --pedantic "$stage"

icon=$(sed -n 's/^Icon=//p' "$share/applications/$id.desktop")
[ "$icon" = "$id" ] || { echo "the desktop entry names icon '$icon', not $id"; exit 1; }
for size in 16 32 48 64 128 256; do
  [ -s "$share/icons/hicolor/${size}x${size}/apps/$id.png" ] || { echo "no ${size}px icon"; exit 1; }
done
[ -s "$share/icons/hicolor/scalable/apps/$id.svg" ] || { echo "no scalable icon"; exit 1; }
# The speech service looks for its audio module in lib/rumena beside bin.
ls "$stage"/usr/lib/rumena/rumena_audio.so "$stage"/usr/lib/*/rumena/rumena_audio.so 2>/dev/null | grep -q . ||
  { echo "no audio module in lib/rumena"; exit 1; }
echo "desktop entry, metainfo, icons and audio module in place"
