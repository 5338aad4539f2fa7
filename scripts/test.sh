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
ctest --preset native -j2 --output-on-failure || status=1
# The fuzz targets need no window: they run beside the dialog tests, their
# report printed when both are done.
fuzz_pid=
if [ -f build/fuzz/build.ninja ]; then
    ctest --preset fuzz -j1 --output-on-failure >build/fuzz-tests.log 2>&1 &
    fuzz_pid=$!
fi
# The dialog tests share one desktop, and with it one foreground window and
# one keyboard focus: a second test program opening a dialog would take them
# from the first. They run one at a time.
ctest --preset x64 -j1 --output-on-failure || status=1
if [ -n "$fuzz_pid" ]; then
    wait "$fuzz_pid" || status=1
    cat build/fuzz-tests.log
fi
exit $status
