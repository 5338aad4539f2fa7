#!/usr/bin/env bash
# Builds everything and runs every test: the native core tests under
# AddressSanitizer and UBSan, a bounded run of every fuzz target, and the
# end-to-end tests of the x86_64 build under headless Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
source scripts/wine-env.sh
wine_prefix_init
wine_server_start
trap wine_server_stop EXIT
wine_desktop_hold build/x64/tests/desktop_holder.exe
status=0
ctest --preset native -j2 || status=1
if [ -f build/fuzz/build.ninja ]; then
    ctest --preset fuzz -j2 || status=1
fi
ctest --preset x64 -j2 || status=1
exit $status
