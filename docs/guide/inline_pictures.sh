#!/usr/bin/env bash
# Writes the guide as one self-contained page: every picture that the page in
# FOLDER names beside it (src="NAME.png") is put into the page itself as a
# data: address, so the page can be copied, mailed or opened anywhere alone.
#
# Usage: inline_pictures.sh GUIDE_HTML OUTPUT_HTML
set -euo pipefail

guide=$1
output=$2
folder=$(dirname "$guide")
picture='src="([A-Za-z0-9_-]+\.png)"'

while IFS= read -r line || [[ -n "$line" ]]; do
  while [[ "$line" =~ $picture ]]; do
    name=${BASH_REMATCH[1]}
    line=${line/"src=\"$name\""/"src=\"data:image/png;base64,$(base64 -w0 "$folder/$name")\""}
  done
  printf '%s\n' "$line"
done <"$guide" >"$output.tmp"
mv "$output.tmp" "$output"
