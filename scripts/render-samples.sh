#!/usr/bin/env bash
# The main job: renders sample symbols to PNG and SVG files in the folder given (default samples/).
# With --gallery: one small PNG per symbology in docs/gallery/, the pictures of the README.
# QV_BIN names another build of the command.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${QV_BIN:-build/release/quorvantix}
if [ "${1:-}" = --gallery ]; then
    out=docs/gallery
    mkdir -p "$out"
    linear() {  # file name, symbology, data, more settings
        local name=$1 type=$2 data=$3
        shift 3
        "$bin" barcode1d -t "$type" -d "$data" --scale 2 --quiet-zone 10 "$@" -o "$out/$name.png"
    }
    linear code39 CODE39 QUORVANTIX
    linear code39-extended CODE39EXT "Quorvantix+"
    linear code93 CODE93 QUORVANTIX-93
    linear code93-extended CODE93EXT "Code 93 ext!"
    linear code128 CODE128 "Quorvantix 128"
    linear ean128 EAN128 "~20201234567890128" --set ProcessTilde=true
    linear interleaved-2-of-5 INTERLEAVED25 123456789
    linear industrial-2-of-5 IND25 123456
    linear matrix-2-of-5 MAT25 123456
    linear code11 CODE11 123-45
    linear codabar CODABAR 40156
    linear msi MSI 1234567
    linear ean13 EAN13 590123412345
    linear ean8 EAN8 9638507
    linear upca UPCA 03600029145
    linear upce UPCE 012345000065
    linear postnet POSTNET 555551237
    "$bin" datamatrix -d "Quorvantix Data Matrix" --quiet-zone 2 -o "$out/datamatrix.png"
    "$bin" pdf417 -d "Quorvantix PDF417" --set PDFColumns=4 --scale 2 --quiet-zone 2 \
        -o "$out/pdf417.png"
    "$bin" maxicode -d "Quorvantix MaxiCode" --set resolution=150 --quiet-zone 1 -o "$out/maxicode.png"
    echo "gallery written to $out/"
    exit 0
fi
out=${1:-samples}
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
