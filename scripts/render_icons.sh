#!/usr/bin/env bash
# Renders the window icon's PNG sizes from ui/icons/morvane.svg. The PNGs are
# committed, so building needs no SVG renderer; run this after editing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../ui/icons"

for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" morvane.svg --output "morvane-$size.png"
done
