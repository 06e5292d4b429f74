import math
import os
import pathlib
import subprocess
import sys
import warnings

import pytest

import quorvantix as qv

INT32 = (-(2**31), 2**31 - 1)


@pytest.mark.parametrize("name", ["Nope", "code", "Font.Name", "_get"])
def test_unknown_names_raise_attribute_error(name):
    control = qv.Barcode1D()
    with pytest.raises(AttributeError, match=f'unknown property "{name}"'):
        setattr(control, name, "1")
    with pytest.raises(AttributeError, match='unknown property "Nope"'):
        qv.Barcode1D(Nope=1)


# Values that do not fit, with the command line's message for the ones it would see.
BAD_VALUES = [
    ("X", "abc", ValueError, r'"abc" does not fit X \(a 32-bit integer\)'),
    ("X", 2**31, ValueError, r'"2147483648" does not fit X'),
    ("X", -(2**31) - 1, ValueError, "does not fit X"),
    ("barType", "QR", ValueError, r'"QR" does not fit barType \(CODE39, .* or a number\)'),
    ("checkCharacter", "maybe", ValueError, r'"maybe" does not fit checkCharacter'),
    ("checkCharacter", 2, ValueError, r'"2" does not fit checkCharacter'),
    ("H", "tall", ValueError, r'"tall" does not fit H \(a number\)'),
    ("BarColor", 0x1000000, ValueError, "16777216 does not fit BarColor"),
    ("BarColor", -1, ValueError, "does not fit BarColor"),
    ("BarColor", "#12345G", ValueError, "does not fit BarColor"),
    ("BarColor", "red", ValueError, "does not fit BarColor"),
    ("Code", "price: 5€", ValueError, "8-bit characters"),
    ("Font", "DejaVu Sans", ValueError, "does not fit Font"),
    ("X", 1.5, TypeError, "X takes an int, not float"),
    ("X", None, TypeError, "not NoneType"),
    ("Code", 12, TypeError, "Code takes str or bytes, not int"),
    ("Code", ["a"], TypeError, "not list"),
    ("H", "0.5j", ValueError, "does not fit H"),
    ("H", 1j, TypeError, "not complex"),
    ("BarColor", 1.0, TypeError, "not float"),
    ("Font", 3, TypeError, "Font takes a Font, str or None"),
    ("Font", qv.Font(height=2**31), ValueError, "does not fit Font.Height"),
    ("Font", qv.Font(name="Euro €"), ValueError, "8-bit"),
]


@pytest.mark.parametrize("name,value,error,message", BAD_VALUES,
                         ids=[f"{n}={v!r}" for n, v, _, _ in BAD_VALUES])
def test_bad_values_raise_and_write_nothing(name, value, error, message):
    control = qv.Barcode1D(Font=qv.Font(name="DejaVu Sans"))
    before = getattr(control, name), repr(control)
    with pytest.raises(error, match=message):
        setattr(control, name, value)
    assert (getattr(control, name), repr(control)) == before


@pytest.mark.parametrize("options,error,message", [
    (dict(nope=1), TypeError, "unexpected keyword argument 'nope'"),
    (dict(size="3"), ValueError, "WIDTHxHEIGHT"),
    (dict(size=(0, 10)), ValueError, "no area"),
    (dict(size=(30000, 10)), ValueError, "larger than the limit"),
])
def test_bad_render_options(options, error, message):
    with pytest.raises(error, match=message):
        qv.Barcode1D().render(**options)
    with pytest.raises(ValueError, match="is none the library writes"):
        qv.Barcode1D().render("gif")
    with pytest.raises(TypeError):
        qv.PDF417().segments(format=3)


def hostile(prop):
    return {"int": [2**30, -(2**30), *INT32, INT32[1] - 1], "short": [32767, -32768],
            "float": [math.nan, math.inf, -math.inf, 1e308, -1e308, 4e-324],
            "font": [qv.Font(name="DejaVu Sans", height=h) for h in INT32]
            + [qv.Font(name="", height=2**30)]}.get(prop["type"], [])


HOSTILE = [pytest.param(cls, p["name"], v, id=f"{cls.__name__}.{p['name']}={v!r}")
           for cls in (qv.Barcode1D, qv.DataMatrix, qv.PDF417, qv.MaxiCode)
           for p in cls._kind_info["properties"] if p["access"] == "read-write"
           for v in hostile(p)]


@pytest.mark.parametrize("cls,name,value", HOSTILE)
def test_hostile_values_never_crash(cls, name, value):
    control = cls(**{name: value})
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", qv.QuorvantixWarning)
        try:
            image = control.render()
        except (qv.SymbolError, ValueError):
            return
    assert image.width > 0 and len(image.data) > 0


def test_error_notes_raise_symbol_error_with_the_notes():
    with pytest.raises(qv.SymbolError, match="digits") as caught:
        qv.PDF417(Code="ABC", PDFMode="PDF_NUMERIC").render()
    assert [n.severity for n in caught.value.notes] == ["error"]
    with pytest.raises(qv.SymbolError):
        qv.DataMatrix(Code="").render()


def test_warning_notes_become_warnings_or_errors_with_strict():
    control = qv.Barcode1D(barType="CODE39", Code="PART-a1")
    with pytest.warns(qv.QuorvantixWarning, match="left out: a") as caught:
        image = control.render()
    assert [n.text for n in image.notes] == [str(w.message) for w in caught]
    with pytest.raises(qv.SymbolError, match="left out: a") as raised:
        control.render(strict=True)
    assert raised.value.notes[0].severity == "warning"
    with warnings.catch_warnings():
        warnings.simplefilter("error", qv.QuorvantixWarning)
        with pytest.raises(qv.QuorvantixWarning):
            control.render()


def test_warnings_of_the_one_liner_name_the_caller():
    with pytest.warns(qv.QuorvantixWarning) as caught:
        qv.render("code39", "PART-a1")
    assert caught[0].filename == __file__


def test_a_missing_font_library_raises_runtime_error(tmp_path):
    # Run where FreeType cannot be loaded: a preloaded shim makes dlopen of it fail.
    root = pathlib.Path(__file__).resolve().parents[2]
    shim = tmp_path / "hide.so"
    subprocess.run(["g++", "-std=c++20", "-shared", "-fPIC", "-o", str(shim),
                    str(root / "tests/support/hide_libraries.cpp"), "-ldl"], check=True)
    script = (
        "import quorvantix as qv\n"
        "c = qv.Barcode1D(barType='EAN13', Code='590123412345')\n"
        "assert c.render('png').data\n"  # default text: the built-in glyphs
        "c.Font = qv.Font(name='DejaVu Sans', height=13)\n"
        "try:\n"
        "    c.render('png')\n"
        "except RuntimeError as e:\n"
        "    print(e)\n"
    )
    env = dict(os.environ, LD_PRELOAD=str(shim), QV_HIDE_LIBRARIES="libfreetype.so.6")
    run = subprocess.run([sys.executable, "-c", script], env=env, capture_output=True,
                         text=True, timeout=120)
    assert run.returncode == 0, run.stderr
    assert "libfreetype.so.6" in run.stdout
