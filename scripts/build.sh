#!/usr/bin/env bash
# Configures and builds every target: the native core (with sanitizers),
# the x86_64 and the i686 Windows builds, and the fuzz targets under
# libFuzzer where clang is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
presets=(native x64 i686)
if command -v clang++ >/dev/null 2>&1; then
    presets+=(fuzz)
fi
for preset in "${presets[@]}"; do
    [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
