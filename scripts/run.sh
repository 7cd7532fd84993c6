#!/usr/bin/env bash
# Installs what is missing, builds the optimised program and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/quiet.sh

scripts/deps.sh build
quiet cmake --preset release
quiet cmake --build --preset release
exec build/release/ui/qt/morvane "$@"
