#!/usr/bin/env bash
# Cross-builds the ActiveX server with mingw-w64 and tests it under Wine: registration, the type
# library, a C++ container, the GDI canvas against the native raster canvas, persistence, the
# controls sited and painted in a container's window, and a VBScript.
set -euo pipefail
cd "$(dirname "$0")/.."
# The container test creates windows: everything runs on a virtual display of its own, so that
# Wine's desktop process and the test programs share one display.
if [ -z "${QV_ON_XVFB:-}" ]; then
    QV_ON_XVFB=1 exec timeout 1500 xvfb-run -a "$PWD/scripts/test-windows.sh" "$@"
fi
root=$PWD
win=${QV_WIN_BUILD:-$root/build/win}  # QV_WIN_BUILD, QV_LINUX_BUILD: other build folders
linux=${QV_LINUX_BUILD:-$root/build/activex-linux}

cmake -S src/activex -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win" -j2
# QV_LINUX_LIBRARY: a static library the Linux build has just made (CI), instead of building one.
cmake -S tests/activex/reference -B "$linux" -G Ninja -DQV_LINUX_LIBRARY="${QV_LINUX_LIBRARY:-}" >/dev/null
cmake --build "$linux" -j2 --target make_references

export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/qv-wine.XXXXXX)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    timeout 30 wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

run() {  # run <what> <command...>: every Windows program under a time limit
    local what=$1
    shift
    echo "== $what"
    if ! timeout 120 "$@"; then
        echo "FAILED: $what" >&2
        failed=1
    fi
}
failed=0
timeout 180 wine wineboot -i >/dev/null 2>&1
dir=$WINEPREFIX/drive_c/qv
mkdir -p "$dir/ref"
cp "$win/Quorvantix.dll" "$win/tests/activex_test.exe" tests/activex/controls.vbs "$dir/"
run "references" "$linux/make_references" "$dir/ref"

dll='C:\qv\Quorvantix.dll'
run "register" wine regsvr32 /s "$dll"
run "registration" wine 'C:\qv\activex_test.exe' registered "$dll"
run "type library" wine 'C:\qv\activex_test.exe' typelib
run "container" wine 'C:\qv\activex_test.exe' container "$dll"
run "drawing" wine 'C:\qv\activex_test.exe' drawing 'C:\qv\ref'
run "persistence" wine 'C:\qv\activex_test.exe' persistence
run "sited in a window" wine 'C:\qv\activex_test.exe' site 'C:\qv\ref'
run "script" wine cscript //nologo 'C:\qv\controls.vbs'
run "unregister" wine regsvr32 /s /u "$dll"
run "unregistered" wine 'C:\qv\activex_test.exe' unregistered
# Registered from a folder whose name holds a blank: the short path is written.
mkdir -p "$WINEPREFIX/drive_c/qv blank"
cp "$win/Quorvantix.dll" "$WINEPREFIX/drive_c/qv blank/"
blank='C:\qv blank\Quorvantix.dll'
run "register with a blank" wine regsvr32 /s "$blank"
run "registration with a blank" wine 'C:\qv\activex_test.exe' registered "$blank"
run "unregister with a blank" wine regsvr32 /s /u "$blank"
[ "$failed" -eq 0 ] || exit 1
echo "Windows tests passed"
