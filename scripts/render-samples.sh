#!/usr/bin/env bash
# The main job: renders sample symbols to PNG and SVG files in the folder given (default samples/).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-samples}
bin=build/release/quorvantix
mkdir -p "$out"
render() {  # name, then arguments for the command
    local name=$1
    shift
    for ext in png svg; do
        "$bin" "$@" -o "$out/$name.$ext"
    done
}
render ean13-addon5 barcode1d -t EAN13 -d 590123412345 --set UPCEANSupplement5=true --set supplement=52495
render upce barcode1d -t UPCE -d 01234565
render code39 barcode1d -t CODE39 -d QUORVANTIX-39
render code93ext barcode1d -t CODE93EXT -d "Code 93 ext!"
echo "samples written to $out/"
