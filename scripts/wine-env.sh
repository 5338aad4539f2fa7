# Sourced: the project's own headless Wine prefix (null display driver, no
# Mono/Gecko prompts) and the persistent wineserver around a run.
QVSSD_ROOT=${QVSSD_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$QVSSD_ROOT/build/wineprefix}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY

# Wine's 64-bit loader (this package has no preloader to keep the low address
# space free) maps the shared user data at the fixed address 0x7ffe0000. With
# address-space randomisation its own heap now and then starts there, and the
# program ends at once, exit code 1 and no output ("failed to map the shared
# user data"): about one start in two thousand, enough to fail a test run now
# and then. The project's Wine programs start without randomisation, where
# that address is always free; scripts/wine-run does the same for ctest.
WINE_FIXED_LAYOUT=(setarch "$(uname -m)" -R)
wine() { "${WINE_FIXED_LAYOUT[@]}" wine "$@"; }
wineboot() { "${WINE_FIXED_LAYOUT[@]}" wineboot "$@"; }
winepath() { "${WINE_FIXED_LAYOUT[@]}" winepath "$@"; }

# Each part of the product that needs something in the prefix (a printer,
# fonts, database drivers) sets it up with a script of its own in prefix.d,
# run in name order after wineboot. The prefix is rebuilt whenever this file,
# one of those scripts or a file in a folder beside them (the data a script
# installs) changes.
QVSSD_PREFIX_PARTS="$QVSSD_ROOT/scripts/prefix.d"

qvssd_prefix_stamp() {
    local part
    {
        cat "$QVSSD_ROOT/scripts/wine-env.sh"
        for part in "$QVSSD_PREFIX_PARTS"/*.sh "$QVSSD_PREFIX_PARTS"/*/*; do
            if [ -f "$part" ]; then cat "$part"; fi
        done
    } | sha1sum | cut -c1-12
}

wine_prefix_init() {
    local stamp
    stamp=$(qvssd_prefix_stamp)
    if [ -f "$WINEPREFIX/.qvssd-ready-$stamp" ]; then return 0; fi
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
"Times New Roman"="Liberation Serif"
REG
    wineboot -i >"$WINEPREFIX/../wineboot.log" 2>&1
    local part
    for part in "$QVSSD_PREFIX_PARTS"/*.sh; do
        [ -f "$part" ] || continue
        # shellcheck source=/dev/null
        if ! (source "$part") >>"$WINEPREFIX/../wineboot.log" 2>&1; then
            echo "wine prefix: $(basename "$part") failed, see $WINEPREFIX/../wineboot.log" >&2
            return 1
        fi
    done
    wineserver -w
    touch "$WINEPREFIX/.qvssd-ready-$stamp"
}

wine_server_start() {
    (setsid wineserver -p >"$WINEPREFIX/../wineserver.log" 2>&1 </dev/null &)
    # a first process attaches to the persistent server
    wine cmd /c exit >/dev/null 2>&1 || true
}

# Starts the given program (tests/wine/desktop_holder.c) so that the desktop
# process is started by it, with its output away from any test, and waits
# until it reports that the desktop is up. Otherwise the first test program to
# open a window starts the desktop, which keeps that test's output pipe open
# until the end of the run and makes ctest time the test out.
wine_desktop_hold() {
    local ready="$WINEPREFIX/../desktop-holder.out" i
    rm -f "$ready"
    (setsid "${WINE_FIXED_LAYOUT[@]}" wine "$1" </dev/null >"$ready" 2>/dev/null &)
    for i in $(seq 600); do
        if grep -q '^ready' "$ready" 2>/dev/null; then return 0; fi
        sleep 0.1
    done
    echo "the desktop did not come up: $(cat "$ready" 2>/dev/null)" >&2
    return 1
}

wine_server_stop() {
    wineserver -k >/dev/null 2>&1 || true
}
