#!/usr/bin/env bash
# Packs the portable Windows download (绿色版): a zip that holds one folder,
# FOLDER/, with the 64-bit program as morvane.exe, the 32-bit one as
# morvane-32bit.exe, the user guide as guide.html, the license of the
# programs' Song face as font-license.txt and the browser page as
# morvane.html, for PCs that block programs. Every name is ASCII,
# since Windows 7's zip folder reads names in the OEM code page. The same
# files give the same zip, byte for byte: the files' times are the last
# commit's (SOURCE_DATE_EPOCH, else the newest changelog entry's), read in
# UTC, their order is fixed, and no owner, group or extra time is stored.
#
# Usage: make_portable.sh ZIP FOLDER PROGRAM64 PROGRAM32 GUIDE FONT_LICENSE PAGE
set -euo pipefail

zip=$(realpath -m "$1")
folder=$2
repo=$(cd "$(dirname "$0")/../.." && pwd)
epoch=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l "$repo/packaging/debian/changelog" -S Timestamp)}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$folder"
cp "$3" "$stage/$folder/morvane.exe"
cp "$4" "$stage/$folder/morvane-32bit.exe"
cp "$5" "$stage/$folder/guide.html"
cp "$6" "$stage/$folder/font-license.txt"
cp "$7" "$stage/$folder/morvane.html"
chmod 755 "$stage/$folder"
chmod 644 "$stage/$folder"/*
find "$stage" -exec touch --no-dereference --date="@$epoch" {} +

rm -f "$zip" "$zip.tmp"
(cd "$stage" && find "$folder" | LC_ALL=C sort | TZ=UTC zip -X -9 -q "$zip.tmp" -@)
mv "$zip.tmp" "$zip"
