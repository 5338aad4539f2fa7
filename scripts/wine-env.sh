# Sourced: the project's own headless Wine prefix (null display driver, no
# Mono/Gecko prompts) and the persistent wineserver around a run.
QVSSD_ROOT=${QVSSD_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$QVSSD_ROOT/build/wineprefix}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY

# Bump when the prefix's registry changes, so that old prefixes are rebuilt.
QVSSD_PREFIX_VERSION=2

wine_prefix_init() {
    if [ -f "$WINEPREFIX/.qvssd-ready-$QVSSD_PREFIX_VERSION" ]; then return 0; fi
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # The null display driver; the faces the dialogs and records name, mapped
    # to fonts that Wine has, so that they enumerate like on Windows.
    cat >"$WINEPREFIX/user.reg" <<'REG'
WINE REGISTRY Version 2

[Software\\Wine\\Drivers]
"Graphics"="null"

[Software\\Wine\\Fonts\\Replacements]
"Arial"="Liberation Sans"
"Courier New"="Liberation Mono"
"Tahoma"="DejaVu Sans"
"Times New Roman"="Liberation Serif"
REG
    wineboot -i >"$WINEPREFIX/../wineboot.log" 2>&1
    wineserver -w
    touch "$WINEPREFIX/.qvssd-ready-$QVSSD_PREFIX_VERSION"
}

wine_server_start() {
    (setsid wineserver -p >"$WINEPREFIX/../wineserver.log" 2>&1 </dev/null &)
    # a first process attaches to the persistent server
    wine cmd /c exit >/dev/null 2>&1 || true
}

wine_server_stop() {
    wineserver -k >/dev/null 2>&1 || true
}
