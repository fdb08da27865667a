#!/usr/bin/env bash
# Builds Vornix (Release) and shows the bundled sample car.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target vornix-cli
build/release/src/vornix-cli info data/sample/car.fce
