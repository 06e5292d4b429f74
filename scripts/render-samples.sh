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
# Linear symbols.
render ean13-addon5 barcode1d -t EAN13 -d 590123412345 --set UPCEANSupplement5=true --set supplement=52495
render upce barcode1d -t UPCE -d 012345000065
render code39 barcode1d -t CODE39 -d QUORVANTIX-39
render code93ext barcode1d -t CODE93EXT -d "Code 93 ext!"
# Data Matrix: a square and a rectangular symbol.
render datamatrix-square datamatrix -d "Quorvantix Data Matrix 0123456789"
render datamatrix-rectangle datamatrix -d "Rectangular 16x48" --set PreferredFormat=C16X48
# PDF417: plain, truncated, and a Macro PDF417 sequence of three symbols (name-001 to name-003).
render pdf417 pdf417 -d "Quorvantix PDF417 sample" --set PDFECLevel=2 --set BarHeightPixels=4
render pdf417-truncated pdf417 -d "Truncated PDF417" --set PDFTruncated=true --set BarHeightPixels=4
render pdf417-macro pdf417 --macro -d "$(printf 'Macro PDF417 segment data %.0s' {1..9})" \
    --set PDFMaxRows=22 --set PDFColumns=4 --set PDFMacroFileId=17 --set BarHeightPixels=4
# MaxiCode: a mode-2 parcel symbol with its postal primary, and a mode-4 message.
render maxicode-mode2 maxicode --set LeftMargin=10 --set TopMargin=10 --set mode=2 --set zipCode=152382802 --set country=840 \
    --set serviceClass=001 -d "Parcel for Quorvantix"
render maxicode-mode4 maxicode --set LeftMargin=10 --set TopMargin=10 -d "MaxiCode mode 4 from Quorvantix"
echo "samples written to $out/"
