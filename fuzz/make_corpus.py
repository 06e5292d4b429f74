#!/usr/bin/env python3
"""Writes the seed corpus (fuzz/corpus/<target>/) from the string literals of the interop tests.

A control seed is: no property writes, a plain paint on a 120 x 120 surface, then the data; the
linear seeds also choose each symbology in turn. Run again after the interop tests change."""
import ast
import hashlib
import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')


def literals(module):
    text = open(os.path.join(ROOT, "tests", module, "interop_test.cpp"), encoding="latin-1").read()
    out = []
    for m in LITERAL.finditer(text):
        if text[max(0, m.start() - 9):m.start()].endswith("#include "):
            continue
        try:
            value = ast.literal_eval('b"' + m.group(1) + '"')
        except (ValueError, SyntaxError):
            continue
        if 2 <= len(value) <= 200 and value not in out:
            out.append(value)
    return out


def write(target, seeds):
    folder = os.path.join(ROOT, "fuzz", "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for seed in seeds:
        name = hashlib.sha1(seed).hexdigest()[:16]
        with open(os.path.join(folder, name), "wb") as f:
            f.write(seed)


def plain(data):
    return bytes([0, 0, 120, 120]) + data


BARTYPE_INDEX = 8  # position of barType in the linear control's property table
linear = literals("barcode1d") + [b"590123412345", b"03600029145", b"5512345", b"04210000526",
                                  b"CODE-39 $/+%", b"A1234B", b"~065~066~~x", b"12345678901234"]
linear_seeds = [plain(d) for d in linear]
for symbology in range(17):
    data = linear[symbology % len(linear)]
    linear_seeds.append(bytes([1, BARTYPE_INDEX, 16 + symbology, 0, 120, 120]) + data)
write("barcode1d", linear_seeds)
write("datamatrix", [plain(d) for d in literals("datamatrix")])
write("pdf417", [plain(d) for d in literals("pdf417")])
write("maxicode", [plain(d) for d in literals("maxicode")])

escapes = []
for d in literals("maxicode") + literals("datamatrix") + literals("barcode1d"):
    if b"~" in d or b"\\" in d:
        escapes += [bytes([0]) + d, bytes([2]) + d]
escapes += [bytes([0]) + b"~~~255~256~0x41~-12~", bytes([2]) + b"~1~2~3~5~6~7123456~d065~"]
write("escapes", escapes)

cli = [
    b"barcode1d\0-d\0" + b"590123412345\0-t\0EAN13\0-o\0a.png",
    b"datamatrix\0-d\0hello\0--info\0-o\0a.svg",
    b"pdf417\0--macro\0--set\0PDFMaxRows=3\0-d\0" + b"x" * 300 + b"\0-o\0seg.png",
    b"maxicode\0-d\0" + literals("maxicode")[0] + b"\0--size\0200x200\0-o\0m.png",
    b"barcode1d\0--help",
    b"pdf417\0--set\0PDFECLevel=9\0--strict\0--info",
    b"datamatrix\0--set\0PreferredFormat=C10X10\0-d\0toolongforthis\0-o\0x.png",
]
write("cli", cli)
