#!/usr/bin/env bash
# Installs the build and test tools that are missing (Debian 12, as root).
set -euo pipefail
need=()
have() { command -v "$1" >/dev/null 2>&1; }
have cmake || need+=(cmake)
have ninja || need+=(ninja-build)
have g++ || need+=(g++)
have clang-format || need+=(clang-format)
# clang with its runtime libraries builds the fuzz targets under libFuzzer.
have clang++ || need+=(clang)
compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null ||
    need+=(libclang-rt-dev)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686)
have wine || need+=(wine)
have wine64 || [ -x /usr/lib/wine/wine64 ] || need+=(wine64)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
# npm fetches the pinned SQLite amalgamation once (third_party/sqlite).
have npm || need+=(npm)
# Fonts the dialogs use under Wine (Wine's own faces, the dialog face Tahoma
# among them, the faces that stand in for Arial, Times New Roman and Courier
# New, and the Devanagari and Tamil faces behind the local-language faces
# "HIN Sans" and "TAM Sans").
# python3-fonttools (Debian's python3) builds the Tamil face with Latin letters (scripts/prefix.d).
for font in fonts-wine fonts-liberation fonts-lohit-deva fonts-lohit-taml \
    python3-fonttools; do
    dpkg -s "$font" >/dev/null 2>&1 || need+=("$font")
done
# Select Table reads database files through ODBC: under Wine the platform's
# odbc32 hands over to the system's driver manager (unixODBC), which serves
# SQLite files with the SQLite ODBC driver.
for pkg in unixodbc libodbc2 odbcinst libsqliteodbc; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
    echo "installing: ${need[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# The SQLite ODBC driver under the name a Windows installation gives it, so
# that the same connection string serves both.
if ! odbcinst -q -d -n "SQLite3 ODBC Driver" >/dev/null 2>&1; then
    driver_ini=$(mktemp)
    printf '[SQLite3 ODBC Driver]\nDescription=SQLite3 ODBC Driver\nDriver=libsqlite3odbc.so\nSetup=libsqlite3odbc.so\n' >"$driver_ini"
    odbcinst -i -d -f "$driver_ini" >/dev/null
    rm -f "$driver_ini"
fi
