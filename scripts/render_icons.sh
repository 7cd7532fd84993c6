#!/usr/bin/env bash
# Renders the window icon's PNG sizes from ui/icons/morvane.svg, and from the
# 16 and 32 pixel ones the 16- and 256-colour palette images that the Windows
# icon holds beside them (imagemagick; transparency cut to on or off, since an
# icon of few colours has a one-bit mask). The PNGs are committed, so building
# needs neither an SVG renderer nor imagemagick; run this after editing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../ui/icons"

for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" morvane.svg --output "morvane-$size.png"
done
for size in 16 32; do
  for colours in 16 256; do
    convert "morvane-$size.png" -channel A -threshold 50% +channel +dither -colors "$colours" \
      "PNG8:morvane-$size-${colours}colours.png"
  done
done
