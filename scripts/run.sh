#!/usr/bin/env bash
# Builds Vornix (Release) and opens the bundled sample car in the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target vornix vornix-cli
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display to open the editor on; showing the sample car with vornix-cli instead."
    exec build/release/src/vornix-cli info data/sample/car.fce
fi
exec build/release/bin/vornix data/sample/car.fce
