#!/usr/bin/env bash
# Installs what is missing, builds everything with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/quiet.sh

scripts/deps.sh test
quiet cmake --preset dev
quiet cmake --build --preset dev
ctest --preset dev "$@"
