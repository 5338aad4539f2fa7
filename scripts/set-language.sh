#!/usr/bin/env bash
# Switches the local language of an application folder: installs the local
# string, message and locale libraries of one language (QVSSDSL.dll,
# QVComnSL.dll, QVMSGSL.dll, QVSSMSL.dll) and its shipped custom-lists store
# (Autofill.dll) from the build's lang/<code> folder. The host reports the
# local font those libraries name ("HIN ..." or "TAM ..."), so the dialogs
# follow the libraries.
#
#   bash scripts/set-language.sh hi|ta [application folder [user data folder]]
#
# The application folder defaults to build/x64/app. A store that is not one
# of the shipped stores byte for byte has been changed (lists were saved into
# it): the application folder's is kept beside the new one under another name,
# a user's is left as it is (the user keeps their lists and the built-in local
# lists it was made with); either is said. A user's store that is still a
# shipped one is replaced by the new language's.
set -euo pipefail
cd "$(dirname "$0")/.."
code=${1:-}
app=${2:-build/x64/app}
user=${3:-}
case "$code" in
hi | ta) ;;
*)
    echo "usage: $0 hi|ta [application folder [user data folder]]" >&2
    exit 2
    ;;
esac
lang_root="$(dirname "$app")/lang"
source_dir="$lang_root/$code"
for file in QVSSDSL.dll QVComnSL.dll QVMSGSL.dll QVSSMSL.dll Autofill.dll; do
    if [ ! -f "$source_dir/$file" ]; then
        echo "$source_dir/$file is missing: build first" >&2
        exit 1
    fi
done

# Whether a store is one of the shipped stores, unchanged.
is_shipped() {
    local shipped
    for shipped in "$lang_root"/*/Autofill.dll; do
        if cmp -s "$1" "$shipped"; then
            return 0
        fi
    done
    return 1
}

for lib in QVSSDSL QVComnSL QVMSGSL QVSSMSL; do
    cp "$source_dir/$lib.dll" "$app/$lib.dll"
done

store="$app/Autofill.dll"
if [ -f "$store" ] && ! is_shipped "$store"; then
    kept="$app/Autofill-$(date +%Y%m%d-%H%M%S).dll"
    mv "$store" "$kept"
    echo "$store had been changed since it was shipped: kept as $kept"
fi
cp "$source_dir/Autofill.dll" "$store"

if [ -n "$user" ] && [ -f "$user/Autofill.dll" ]; then
    if is_shipped "$user/Autofill.dll"; then
        cp "$source_dir/Autofill.dll" "$user/Autofill.dll"
    else
        echo "$user/Autofill.dll holds the user's own lists: left as it is" \
            "(its built-in local lists stay in the language it was made with)"
    fi
fi
echo "local language of $app: $code"
