#!/usr/bin/env bash
# Switches the local language of an application folder: installs the local
# string, message and locale libraries of one language (QVSSDSL.dll,
# QVComnSL.dll, QVMSGSL.dll, QVSSMSL.dll) from the build's lang/<code>
# folder. The host reports the local font those libraries name ("HIN ..." or
# "TAM ..."), so the dialogs follow the libraries.
#
#   bash scripts/set-language.sh hi|ta [application folder]   (default build/x64/app)
set -euo pipefail
cd "$(dirname "$0")/.."
code=${1:-}
app=${2:-build/x64/app}
case "$code" in
hi | ta) ;;
*)
    echo "usage: $0 hi|ta [application folder]" >&2
    exit 2
    ;;
esac
source_dir="$(dirname "$app")/lang/$code"
for lib in QVSSDSL QVComnSL QVMSGSL QVSSMSL; do
    if [ ! -f "$source_dir/$lib.dll" ]; then
        echo "$source_dir/$lib.dll is missing: build first" >&2
        exit 1
    fi
done
for lib in QVSSDSL QVComnSL QVMSGSL QVSSMSL; do
    cp "$source_dir/$lib.dll" "$app/$lib.dll"
done
echo "local language of $app: $code"
