import enum
import math

import pytest

import quorvantix as qv

CLASSES = [qv.Barcode1D, qv.DataMatrix, qv.PDF417, qv.MaxiCode]
FONT = qv.Font(name="DejaVu Sans", height=14, color=0x112233, bold=True, italic=True)
PYTHON_TYPE = {"str": str, "bool": bool, "int": int, "short": int, "float": float,
               "color": int}


def rows(settable):
    return [pytest.param(cls, p, id=f"{cls.__name__}.{p['name']}")
            for cls in CLASSES for p in cls._kind_info["properties"]
            if (p["access"] == "read-write") == settable]


def sample(cls, prop):
    """A value of the property's own Python type that differs from its default."""
    enum_cls = cls._enums[prop["name"]]
    if enum_cls is not None:
        return list(enum_cls)[-1]
    return {"str": "A1", "bool": not prop["default"], "int": 3, "short": 3, "float": 0.75,
            "color": 0x123456, "font": FONT}[prop["type"]]


@pytest.mark.parametrize("cls,prop", rows(settable=True))
def test_every_settable_property_round_trips_with_its_type(cls, prop):
    control = cls()
    value = sample(cls, prop)
    setattr(control, prop["name"], value)
    back = getattr(control, prop["name"])
    assert back == value
    if isinstance(value, enum.IntEnum):
        assert type(back) is type(value)
    elif prop["type"] == "font":
        assert isinstance(back, qv.Font)
    else:
        assert type(back) is PYTHON_TYPE[prop["type"]]
    # The constructor keyword says the same, and the value is sent with the render.
    assert getattr(cls(**{prop["name"]: value}), prop["name"]) == value
    assert prop["name"] in repr(control)


@pytest.mark.parametrize("cls,prop", rows(settable=False))
def test_results_are_readable_and_not_settable(cls, prop):
    control = cls()
    control.render()
    value = getattr(control, prop["name"])
    enum_cls = cls._enums[prop["name"]]
    assert isinstance(value, enum_cls or PYTHON_TYPE[prop["type"]])
    with pytest.raises(AttributeError, match="read-only"):
        setattr(control, prop["name"], value)


@pytest.mark.parametrize("text,expected", [("#123456", 0x123456), ("#ffffff", 0xFFFFFF)])
def test_colours_take_text_too(text, expected):
    control = qv.DataMatrix(BarColor=text)
    assert control.BarColor == expected


def test_a_colour_is_red_green_blue():
    image = qv.DataMatrix(Code="red", BackColor=0xFF0000).render()
    import numpy as np
    assert tuple(np.asarray(image)[0, 0]) == (255, 0, 0)


def test_enumerations_take_member_names_in_any_case_and_numbers():
    control = qv.Barcode1D(barType="ean13")
    assert control.barType is qv.Symbology.EAN13
    control.barType = 13
    assert control.barType is qv.Symbology.CODE128
    assert qv.PDF417(PDFMode="PDF_TEXT").PDFMode is qv.PDFMode.PDF_TEXT


def test_8_bit_data_as_bytes_or_str():
    control = qv.PDF417(Code=b"caf\xe9 \x00\xff")
    assert control.Code == "caf\xe9 \x00\xff"
    control.Code = "café"
    assert control.Code.encode("latin-1") == b"caf\xe9"
    control.Code = bytearray(b"ab")
    assert control.Code == "ab"


def test_fonts_set_whole_by_text_or_none():
    control = qv.Barcode1D(Font="DejaVu Sans,12")
    assert (control.Font.name, control.Font.height) == ("DejaVu Sans", 12)
    control.Font = None
    assert control.Font is None


def test_floats_keep_every_bit():
    control = qv.Barcode1D(H=0.1 + 0.2)
    assert control.H == 0.1 + 0.2
    control.H = 3
    assert control.H == 3.0 and type(control.H) is float
    control.H = math.inf
    assert control.H == math.inf


def test_controls_do_not_share_settings():
    a, b = qv.Barcode1D(Code="A"), qv.Barcode1D()
    assert b.Code != a.Code
