#!/usr/bin/env bash
# Builds everything and runs the demo host: it opens each dialog over a sample
# record, prints the record the dialog returns and renders every dialog in
# English and in the local language to PNG under out/screens.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
source scripts/wine-env.sh
wine_prefix_init
wine_server_start
trap wine_server_stop EXIT
mkdir -p out/screens
wine build/x64/app/twhost.exe --demo --out "$(winepath -w out/screens)" "$@"
echo "screens: out/screens"
