#!/usr/bin/env bash
# Installs a built tree into a scratch prefix, then builds and runs examples/ against it, once
# through the CMake package and once through pkg-config. Argument: the build folder (default
# build/release, which scripts/test.sh leaves behind).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --build "$build" --target quorvantix quorvantix_static quorvantix_shared
cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(find "$prefix" -name libquorvantix.so -printf '%h\n' | head -n1)
for f in bin/quorvantix bin/quorvantix-serve include/quorvantix/render.h share/man/man1/quorvantix.1 \
         "${libdir#"$prefix"/}/libquorvantix.a" "${libdir#"$prefix"/}/pkgconfig/quorvantix.pc" \
         "${libdir#"$prefix"/}/cmake/Quorvantix/QuorvantixConfig.cmake"; do
    [ -e "$prefix/$f" ] || { echo "test-install: $f was not installed" >&2; exit 1; }
done
"$prefix/bin/quorvantix" datamatrix -d installed -o "$work/cli.png"
# The command finds the service installed beside it, and the reader plugin in the installed tree.
"$prefix/bin/quorvantix" serve --help | grep -q -- --listen
for f in bin/quorvantix-serve "${libdir#"$prefix"/}/quorvantix/quorvantix-reader.so"; do
    [ -e "$prefix/$f" ] || { echo "test-install: $f was not installed" >&2; exit 1; }
done
LD_DEBUG=files "$prefix/bin/quorvantix" datamatrix -d installed --verify --info -o "$work/read.png" \
    >"$work/read.txt" 2>"$work/loaded.txt"
grep -q "verified: read back" "$work/read.txt"
grep -q "file=$prefix/[^ ]*quorvantix-reader.so " "$work/loaded.txt" ||
    { echo "test-install: the installed command did not open the installed reader" >&2; exit 1; }

# The CMake package.
cmake -S examples -B "$work/cmake-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
"$work/cmake-build/label" "$work/cmake.png"

# pkg-config.
export PKG_CONFIG_PATH=$libdir/pkgconfig
c++ -std=c++20 -o "$work/label-pc" examples/label.cpp $(pkg-config --cflags --libs quorvantix)
LD_LIBRARY_PATH=$libdir "$work/label-pc" "$work/pc.png"

# The program and the command draw the same symbol.
cmp "$work/cmake.png" "$work/pc.png"
"$prefix/bin/quorvantix" datamatrix -d "Quorvantix example" -o "$work/same.png"
cmp "$work/cmake.png" "$work/same.png"
echo "test-install: the installed package builds and runs with CMake and pkg-config"
