#!/usr/bin/env bash
# Cross-builds the ActiveX server with mingw-w64 for x64 and x86 and tests both under Wine:
# registration (for all users, side by side, and for one user), the type library, a C++
# container, the GDI canvas against the native raster canvas, persistence, the controls sited
# and painted in a container's window, printing through metafiles, and the scripts.
set -euo pipefail
cd "$(dirname "$0")/.."
# The container test creates windows: everything runs on a virtual display of its own, so that
# Wine's desktop process and the test programs share one display.
if [ -z "${QV_ON_XVFB:-}" ]; then
    QV_ON_XVFB=1 exec timeout 2400 xvfb-run -a "$PWD/scripts/test-windows.sh" "$@"
fi
root=$PWD
# QV_WIN_BUILD, QV_LINUX_BUILD: other build folders (QV_WIN_BUILD gets -x64 and -x86 appended).
win=${QV_WIN_BUILD:-$root/build/win}
linux=${QV_LINUX_BUILD:-$root/build/activex-linux}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
    -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# The x64 build's package takes the x86 server from the x86 build.
for arch in x86 x64; do
    toolchain=$([ "$arch" = x64 ] && echo x86_64 || echo i686)
    cmake -S src/activex -B "$win-$arch" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-$toolchain.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DQV_OTHER_BUILD="$win-$([ $arch = x64 ] && echo x86 || echo x64)" \
        "${launcher[@]}" >/dev/null
done
cmake --build "$win-x86" -j2
cmake --build "$win-x64" -j2 --target all package
# QV_LINUX_LIBRARY: a static library the Linux build has just made (CI), instead of building one.
cmake -S tests/activex/reference -B "$linux" -G Ninja -DQV_LINUX_LIBRARY="${QV_LINUX_LIBRARY:-}" \
    "${launcher[@]}" >/dev/null
cmake --build "$linux" -j2 --target make_references decode_prints

# The x86 server is tested where this machine runs 32-bit programs and wine32 is installed.
. scripts/lib/can-run-i386.sh
arches=(x64)
if can_run_i386 && [ -x /usr/lib/wine/wine ]; then
    arches+=(x86)
else
    echo "== x86: built, not run: this machine cannot run 32-bit programs (no IA-32 emulation)"
fi

# One prefix for both bitnesses: it must be made with the 32-bit loader present (wine32).
export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/qv-wine.XXXXXX)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    timeout 30 wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# Once wine32 is installed, "wine" starts 32-bit programs; 64-bit ones need the 64-bit loader.
wine64=/usr/lib/wine/wine64
wine32=/usr/lib/wine/wine
system() {  # system <arch> <program>: a program of that bitness from its system folder
    [ "$1" = x64 ] && echo "C:\\windows\\system32\\$2" || echo "C:\\windows\\syswow64\\$2"
}
loader() { [ "$1" = x64 ] && echo "$wine64" || echo "$wine32"; }

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
boot=$wine64
[ ${#arches[@]} -eq 2 ] && boot=$wine32  # a prefix for both: made by the 32-bit loader
timeout 180 "$boot" wineboot -i >/dev/null 2>&1
c=$WINEPREFIX/drive_c
mkdir -p "$c/qv/ref" "$c/qv/prints"
cp tests/activex/controls.vbs "$c/qv/"
for arch in "${arches[@]}"; do
    mkdir -p "$c/qv/$arch"
    cp "$win-$arch/Quorvantix.dll" "$win-$arch/tests/activex_test.exe" "$c/qv/$arch/"
done
run "references" "$linux/make_references" "$c/qv/ref"

# Each bitness registered for all users, in its own registry view, and tested; the other stays
# registered meanwhile, so both are registered side by side at the end.
for arch in "${arches[@]}"; do
    dll="C:\\qv\\$arch\\Quorvantix.dll"
    test=("$(loader $arch)" "C:\\qv\\$arch\\activex_test.exe")
    run "$arch: register" "$(loader $arch)" "$(system $arch regsvr32.exe)" /s "$dll"
    run "$arch: registration" "${test[@]}" registered "$dll"
    run "$arch: type library" "${test[@]}" typelib
    run "$arch: container" "${test[@]}" container "$dll"
    run "$arch: drawing" "${test[@]}" drawing 'C:\qv\ref'
    run "$arch: persistence" "${test[@]}" persistence
    run "$arch: sited in a window" "${test[@]}" site 'C:\qv\ref'
    run "$arch: printing" "${test[@]}" printing "C:\\qv\\prints\\$arch"
done
for arch in "${arches[@]}"; do
    run "$arch: script, both registered" "$(loader $arch)" "$(system $arch cscript.exe)" //nologo 'C:\qv\controls.vbs'
done
for arch in "${arches[@]}"; do
    run "$arch: unregister" "$(loader $arch)" "$(system $arch regsvr32.exe)" /s /u "C:\\qv\\$arch\\Quorvantix.dll"
done
for arch in "${arches[@]}"; do
    run "$arch: unregistered, every view" "$(loader $arch)" "C:\\qv\\$arch\\activex_test.exe" \
        unregistered
done
run "prints decoded" "$linux/decode_prints" "${arches[@]/#/$c/qv/prints/}"

# For one user, without administrator rights: below HKEY_CURRENT_USER only, and removed again.
for arch in "${arches[@]}"; do
    dll="C:\\qv\\$arch\\Quorvantix.dll"
    test=("$(loader $arch)" "C:\\qv\\$arch\\activex_test.exe")
    run "$arch: register for the user" "$(loader $arch)" "$(system $arch regsvr32.exe)" /s /n /i:user "$dll"
    run "$arch: registration for the user" "${test[@]}" registered-user "$dll"
    run "$arch: unregister for the user" "$(loader $arch)" "$(system $arch regsvr32.exe)" /s /u /n /i:user "$dll"
    run "$arch: unregistered for the user" "${test[@]}" unregistered
done

# The package: unpacked, its layout as documented, and its scripts run as a user runs them.
pkg=$c/pkg
mkdir -p "$pkg"
(cd "$pkg" && cmake -E tar xf "$win-x64/Quorvantix-1.0-windows.zip")
listing=$(cd "$pkg/Quorvantix-1.0-windows" && find . -type f | sort | tr '\n' ' ')
expected="./Quorvantix.tlb ./activex.md ./examples/Quorvantix.bas ./examples/controls.js \
./examples/controls.vbs ./register-user.cmd ./register.cmd ./unregister-user.cmd \
./unregister.cmd ./x64/Quorvantix.dll ./x86/Quorvantix.dll "
echo "== package layout"
if [ "$listing" != "$expected" ]; then
    echo "FAILED: package layout: $listing" >&2
    failed=1
fi
top='C:\pkg\Quorvantix-1.0-windows'
export QV_ARCHES="${arches[*]}"
for scope in "" -user; do
    run "package: register$scope.cmd" "$(loader x64)" "$(system x64 cmd.exe)" /c "$top\\register$scope.cmd"
    # Wine's COM reads classes for all users only, so the examples run after register.cmd.
    for arch in "${arches[@]}"; do
        [ -z "$scope" ] || continue
        for example in controls.vbs controls.js; do
            run "package, $arch: $example after register$scope.cmd" \
                "$(loader $arch)" "$(system $arch cscript.exe)" //nologo "$top\\examples\\$example"
        done
    done
    run "package: unregister$scope.cmd" "$(loader x64)" "$(system x64 cmd.exe)" /c "$top\\unregister$scope.cmd"
    for arch in "${arches[@]}"; do
        run "package, $arch: unregistered$scope" "$(loader $arch)" \
            "C:\\qv\\$arch\\activex_test.exe" unregistered
    done
done
unset QV_ARCHES

# Registered from a folder whose name holds a blank: the short path is written.
mkdir -p "$c/qv blank"
cp "$win-x64/Quorvantix.dll" "$c/qv blank/"
blank='C:\qv blank\Quorvantix.dll'
run "register with a blank" "$(loader x64)" "$(system x64 regsvr32.exe)" /s "$blank"
run "registration with a blank" "$wine64" 'C:\qv\x64\activex_test.exe' registered "$blank"
run "unregister with a blank" "$(loader x64)" "$(system x64 regsvr32.exe)" /s /u "$blank"
[ "$failed" -eq 0 ] || exit 1
echo "Windows tests passed"
