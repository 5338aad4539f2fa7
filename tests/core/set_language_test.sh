#!/usr/bin/env bash
# scripts/set-language.sh over a scratch build folder: the libraries and the
# store of the language are installed, a shipped store is replaced, and a
# store someone has saved lists into is never lost.
set -euo pipefail
script="$(cd "$(dirname "$0")/../.." && pwd)/scripts/set-language.sh"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
mkdir -p "$root/build/app" "$root/user" "$root/other"
for code in hi ta; do
    mkdir -p "$root/build/lang/$code"
    for file in QVSSDSL QVComnSL QVMSGSL QVSSMSL Autofill; do
        echo "$code $file" >"$root/build/lang/$code/$file.dll"
    done
done
app=$root/build/app
cp "$root/build/lang/hi/Autofill.dll" "$app/Autofill.dll"
cp "$root/build/lang/hi/Autofill.dll" "$root/user/Autofill.dll"
echo "a store with the user's lists" >"$root/other/Autofill.dll"

# Shipped stores, the application's and a user's, become the new language's.
bash "$script" ta "$app" "$root/user" >"$root/out"
cmp -s "$app/QVSSDSL.dll" "$root/build/lang/ta/QVSSDSL.dll" || fail "libraries not installed"
cmp -s "$app/Autofill.dll" "$root/build/lang/ta/Autofill.dll" || fail "store not installed"
cmp -s "$root/user/Autofill.dll" "$root/build/lang/ta/Autofill.dll" || fail "user store kept"
[ "$(ls "$app" | grep -c '^Autofill')" = 1 ] || fail "a shipped store was kept"

# A changed store: the application's is kept aside, a user's left alone; both said.
echo "lists saved into the application's store" >"$app/Autofill.dll"
bash "$script" hi "$app" "$root/other" >"$root/out"
cmp -s "$app/Autofill.dll" "$root/build/lang/hi/Autofill.dll" || fail "store not installed"
grep -l "lists saved into" "$app"/Autofill-*.dll >/dev/null || fail "changed store lost"
grep -q "kept as" "$root/out" || fail "keeping the changed store not said"
grep -q "user's lists" "$root/other/Autofill.dll" || fail "user's store replaced"
grep -q "left as it is" "$root/out" || fail "leaving the user's store not said"

# No language, or a language not built: refused, nothing changed.
if bash "$script" xx "$app" 2>/dev/null; then fail "unknown language accepted"; fi
rm "$root/build/lang/ta/Autofill.dll"
if bash "$script" ta "$app" 2>/dev/null; then fail "missing store accepted"; fi
cmp -s "$app/QVSSDSL.dll" "$root/build/lang/hi/QVSSDSL.dll" || fail "libraries changed"
echo "set-language: ok"
