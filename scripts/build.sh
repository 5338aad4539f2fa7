#!/usr/bin/env bash
# Configures and builds every target: the native core (with sanitizers),
# the x86_64 and the i686 Windows builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
for preset in native x64 i686; do
    [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
