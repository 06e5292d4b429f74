#!/usr/bin/env bash
# Installs every Debian package that building, testing and the demo need. Idempotent.
set -euo pipefail
pkgs=(build-essential cmake ninja-build pkg-config clang-format
      libgtest-dev libgmock-dev libbenchmark-dev
      libpng-dev libdeflate-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core libcairo2-dev
      poppler-utils ghostscript
      libzxing-dev zint libzint-dev python3
      clang libclang-rt-14-dev
      python3-dev python3-venv python3-pip python3-setuptools python3-pybind11
      python3-pytest python3-numpy python3-pil python3-zxing-cpp
      g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools wine wine64 libwine-dev xvfb xauth
      libcpp-httplib-dev wrk curl chromium chromium-driver python3-selenium)
# Wine for 32-bit programs, where the kernel runs them: without IA-32 emulation wine32 cannot
# start, and once installed it would take over the "wine" command.
. "$(dirname "$0")/lib/can-run-i386.sh"
if can_run_i386; then
    pkgs+=(wine32:i386)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        [ "$(id -u)" -eq 0 ] && dpkg --add-architecture i386 || sudo dpkg --add-architecture i386
    fi
fi
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" apt-get install -y -qq "${missing[@]}"
fi
