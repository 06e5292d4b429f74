"""What a run of the command loads: the libraries for text, fonts by name, PDF, the reader and
the HTTP service are opened only by the runs that need them (checked with the loader's own report,
LD_DEBUG=files), and `quorvantix serve` without its service program says so."""
import os
import re
import shutil
import subprocess
import tempfile
import unittest

BINARY = os.environ.get("QV_BINARY", "")

TEXT = "libfreetype.so"
FONTS = "libfontconfig.so"
PDF = "libcairo.so"
READER = "quorvantix-reader.so"
STDCXX = "libstdc++.so"
HEAVY = (TEXT, FONTS, PDF, READER, "libZXing.so", "libcpp-httplib.so", "libssl.so",
         "libcrypto.so", STDCXX)


def has(names, lib):
    return any(name.startswith(lib) or ("/" + lib) in name for name in names)


def loaded(args, cwd):
    env = dict(os.environ, LD_DEBUG="files")
    run = subprocess.run([BINARY, *args], cwd=cwd, env=env, capture_output=True, text=True,
                         timeout=120)
    names = set(re.findall(r"file=(\S+) \[\d+\];", run.stderr))
    return run, names


class LoadedLibraries(unittest.TestCase):
    def test_each_run_loads_only_what_it_draws(self):
        cases = [
            # (arguments, libraries it loads; every other heavy one it must not)
            (["--version"], ()),
            (["datamatrix", "-d", "no text here", "-o", "dm.png"], ()),
            (["pdf417", "-d", "no text here", "-o", "pdf417.png"], ()),
            (["maxicode", "-d", "no text here", "-o", "maxi.png"], ()),
            (["barcode1d", "-t", "CODE128", "-d", "abc", "--set", "Font=none", "-o", "c128.png"], ()),
            # Default text comes from the glyphs rendered at build time.
            (["barcode1d", "-t", "EAN13", "-d", "590123412345", "-o", "ean.svg"], ()),
            (["barcode1d", "-t", "EAN13", "-d", "590123412345", "-o", "ean.png"], ()),
            (["barcode1d", "-t", "EAN13", "-d", "590123412345", "--scale", "2", "-o", "ean2.png"],
             ()),
            # The built-in face at another size: FreeType, but no font configuration.
            (["barcode1d", "-t", "EAN13", "-d", "590123412345", "--set", "Font.Height=13",
              "-o", "ean13.png"], (TEXT,)),
            (["barcode1d", "-t", "CODE39", "-d", "ABC", "--set", "Font.Name=DejaVu Serif",
              "-o", "serif.png"], (TEXT, FONTS)),
            # cairo itself needs FreeType and fontconfig.
            (["datamatrix", "-d", "page", "-o", "dm.pdf"], (PDF, TEXT, FONTS)),
            (["barcode1d", "-t", "EAN13", "-d", "590123412345", "-o", "ean.eps"],
             (PDF, TEXT, FONTS)),
            # The reader plugin brings zxing-cpp and, with it, the shared C++ library.
            (["datamatrix", "-d", "read me", "--verify", "-o", "read.png"],
             (READER, "libZXing.so", "libstdc++.so")),
        ]
        with tempfile.TemporaryDirectory(prefix="qv-startup-") as work:
            # Sanitizer builds link the shared C++ library; the others carry their own.
            heavy = [lib for lib in HEAVY
                     if lib != STDCXX or not has(loaded(["--version"], work)[1], STDCXX)]
            for args, wanted in cases:
                with self.subTest(args=" ".join(args)):
                    run, names = loaded(args, work)
                    self.assertEqual(run.returncode, 0, run.stderr[-2000:])
                    if "-o" in args:
                        self.assertGreater(os.path.getsize(os.path.join(work, args[-1])), 0)
                    for lib in heavy:
                        self.assertEqual(has(names, lib), lib in wanted,
                                         "%s in %s" % (lib, sorted(names)))

    def test_named_fonts_still_come_from_the_font_configuration(self):
        with tempfile.TemporaryDirectory(prefix="qv-startup-") as work:
            files = []
            for name in ("Font.Name=Arial", "Font.Name=DejaVu Serif"):
                out = os.path.join(work, "%d.png" % len(files))
                subprocess.run([BINARY, "barcode1d", "-t", "CODE39", "-d", "ABC", "--set", name,
                                "-o", out], check=True, timeout=120)
                with open(out, "rb") as f:
                    files.append(f.read())
            self.assertNotEqual(files[0], files[1])


class ServiceProgram(unittest.TestCase):
    def test_serve_runs_the_service_beside_the_command(self):
        run = subprocess.run([BINARY, "serve", "--help"], capture_output=True, text=True,
                             timeout=120)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn("--listen", run.stdout)

    def test_serve_without_the_service_program_says_so(self):
        with tempfile.TemporaryDirectory(prefix="qv-startup-") as work:
            alone = os.path.join(work, "quorvantix")
            shutil.copy(BINARY, alone)
            run = subprocess.run([alone, "serve", "--help"], capture_output=True, text=True,
                                 timeout=120)
            self.assertEqual(run.returncode, 1)
            self.assertIn("quorvantix serve: cannot start %s/quorvantix-serve" % work, run.stderr)


if __name__ == "__main__":
    if not BINARY:
        raise SystemExit("set QV_BINARY to the quorvantix program")
    unittest.main()
