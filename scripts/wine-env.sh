# Sourced: the project's own headless Wine prefix (null display driver, no
# Mono/Gecko prompts) and the persistent wineserver around a run.
QVSSD_ROOT=${QVSSD_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$QVSSD_ROOT/build/wineprefix}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY

wine_prefix_init() {
    if [ -f "$WINEPREFIX/.qvssd-ready" ]; then return 0; fi
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    printf 'WINE REGISTRY Version 2\n\n[Software\\\\Wine\\\\Drivers]\n"Graphics"="null"\n' \
        >"$WINEPREFIX/user.reg"
    wineboot -i >"$WINEPREFIX/../wineboot.log" 2>&1
    wineserver -w
    touch "$WINEPREFIX/.qvssd-ready"
}

wine_server_start() {
    (setsid wineserver -p >"$WINEPREFIX/../wineserver.log" 2>&1 </dev/null &)
    # a first process attaches to the persistent server
    wine cmd /c exit >/dev/null 2>&1 || true
}

wine_server_stop() {
    wineserver -k >/dev/null 2>&1 || true
}
