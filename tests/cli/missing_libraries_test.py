"""The command on a machine that lacks FreeType, cairo or fontconfig (their loading made to fail
by a preloaded shim): a symbol that needs the missing library fails with a message that names it
and writes no file; everything else is drawn as usual."""
import os
import subprocess
import tempfile
import unittest

BINARY = os.environ.get("QV_BINARY", "")
SHIM = os.environ.get("QV_HIDE_SHIM", "")

FREETYPE = "libfreetype.so.6"
CAIRO = "libcairo.so.2"
FONTCONFIG = "libfontconfig.so.1"


def run(hide, args, cwd):
    env = dict(os.environ, LD_PRELOAD=SHIM, QV_HIDE_LIBRARIES=hide)
    # Sanitizer builds: the shim comes before their runtime in the preload list.
    env["ASAN_OPTIONS"] = ":".join(filter(None, [os.environ.get("ASAN_OPTIONS"),
                                                 "verify_asan_link_order=0"]))
    return subprocess.run([BINARY, *args], cwd=cwd, env=env, capture_output=True, text=True,
                          timeout=120)


EAN = ["barcode1d", "-t", "EAN13", "-d", "590123412345"]


class MissingLibraries(unittest.TestCase):
    def test_each_symbol_needs_only_its_own_libraries(self):
        cases = [
            # (library hidden, arguments, the library the run fails for, or None)
            (FREETYPE, EAN + ["-o", "ean.png"], None),  # default text: built-in glyphs
            (FREETYPE, EAN + ["--set", "Font.Height=13", "-o", "ean13.png"], FREETYPE),
            (FREETYPE, ["barcode1d", "-t", "CODE39", "-d", "ABC", "--set",
                        "Font.Name=DejaVu Serif", "-o", "serif.png"], FREETYPE),
            (FREETYPE, ["barcode1d", "-t", "CODE128", "-d", "abc", "--set", "Font=none",
                        "-o", "c128.png"], None),
            (FREETYPE, ["datamatrix", "-d", "no text", "-o", "dm.png"], None),
            (FREETYPE, EAN + ["--set", "Font.Height=13", "--rotate", "90", "-o", "turned.png"],
             FREETYPE),
            (CAIRO, ["datamatrix", "-d", "page", "-o", "dm.pdf"], CAIRO),
            (CAIRO, EAN + ["-o", "ean.eps"], CAIRO),
            (CAIRO, ["datamatrix", "-d", "page", "-o", "dm2.png"], None),
            # A named font without fontconfig: the built-in face stands in.
            (FONTCONFIG, ["barcode1d", "-t", "CODE39", "-d", "ABC", "--set",
                          "Font.Name=DejaVu Serif", "-o", "serif2.png"], None),
        ]
        with tempfile.TemporaryDirectory(prefix="qv-missing-") as work:
            for hide, args, fails in cases:
                with self.subTest(hide=hide, args=" ".join(args)):
                    r = run(hide, args, work)
                    out = os.path.join(work, args[-1])
                    if fails is None:
                        self.assertEqual(r.returncode, 0, r.stderr[-2000:])
                        self.assertGreater(os.path.getsize(out), 0)
                    else:
                        # Status 1, as for any output that could not be made; not a usage
                        # error with advice on sizes.
                        self.assertEqual(r.returncode, 1, r.stderr)
                        self.assertIn(fails, r.stderr)
                        self.assertNotIn("smaller", r.stderr)
                        self.assertFalse(os.path.exists(out), "a file was written")
                    self.assertEqual([n for n in os.listdir(work) if ".tmp" in n], [])

    def test_a_batch_writes_the_lines_it_can(self):
        with tempfile.TemporaryDirectory(prefix="qv-missing-") as work:
            with open(os.path.join(work, "lines.txt"), "w") as f:
                f.write("590123412345\n400638133393\n")
            r = run(FREETYPE, ["barcode1d", "-t", "EAN13", "--set", "Font.Height=13",
                               "--batch", "lines.txt", "-o", "%d.png"], work)
            self.assertEqual(r.returncode, 1, r.stderr)
            self.assertIn(FREETYPE, r.stderr)
            self.assertEqual(sorted(os.listdir(work)), ["lines.txt"])

    def test_the_shim_hides_nothing_unasked(self):
        with tempfile.TemporaryDirectory(prefix="qv-missing-") as work:
            r = run("", EAN + ["--set", "Font.Height=13", "-o", "ean.png"], work)
            self.assertEqual(r.returncode, 0, r.stderr)


if __name__ == "__main__":
    if not BINARY or not SHIM:
        raise SystemExit("set QV_BINARY and QV_HIDE_SHIM")
    unittest.main()
