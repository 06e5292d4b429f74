import re

import pytest

import quorvantix as qv
from decode import decode

# Every control, and the linear symbologies whose data comes back as written.
READABLE = [
    (qv.Barcode1D, dict(barType=qv.Symbology.EAN13, Code="590123412345"), "5901234123457"),
    (qv.Barcode1D, dict(barType="EAN8", Code="9638507"), "96385074"),
    (qv.Barcode1D, dict(barType="UPCA", Code="03600029145"), "036000291452"),
    (qv.Barcode1D, dict(barType="CODE128", Code="Quorvantix-128"), "Quorvantix-128"),
    (qv.Barcode1D, dict(barType="CODE39", Code="CODE 39", checkCharacter=False), "CODE 39"),
    (qv.Barcode1D, dict(barType="CODE93", Code="CODE93"), "CODE93"),
    (qv.DataMatrix, dict(Code="Hello from Python"), "Hello from Python"),
    (qv.PDF417, dict(Code="PDF417 from Python, with text"), "PDF417 from Python, with text"),
    (qv.MaxiCode, dict(data="MaxiCode from Python", mode=4), "MaxiCode from Python"),
]


@pytest.mark.parametrize("cls,props,text", READABLE, ids=lambda v: getattr(v, "__name__", None))
def test_every_control_renders_a_symbol_that_reads_back(cls, props, text):
    image = cls(**props).render(scale=2) if cls is not qv.MaxiCode else cls(**props).render()
    assert image.format == "png" and image.data.startswith(b"\x89PNG")
    assert decode(image) == text


def test_upc_e_takes_its_number_system_from_the_data():
    # Drawn with the default number system 1, a number-system-0 code would read as another.
    image = qv.Barcode1D(barType="UPCE", Code="012345000065").render(scale=2)
    assert decode(image) == "01234565"


def test_data_matrix_is_built_anew_at_every_render():
    matrix = qv.DataMatrix(Code="first")
    matrix.render()
    matrix.Code = "second"
    assert decode(matrix.render(scale=2)) == "second"


def test_one_liner_matches_the_control():
    control = qv.Barcode1D(barType="EAN13", Code="590123412345")
    assert qv.render("ean13", "590123412345").data == control.render().data
    assert qv.render("EAN-13", "590123412345").data == control.render().data
    svg = qv.render("EAN13", "590123412345", format="svg", X=2)
    assert svg.format == "svg" and b"<svg" in svg.data
    assert qv.render("datamatrix", "hi").data == qv.DataMatrix(Code="hi").render().data
    with pytest.raises(ValueError, match='unknown symbol "qr"'):
        qv.render("qr", "x")


def test_size_and_scale_options():
    control = qv.Barcode1D(barType="CODE128", Code="12345")
    assert (control.render(size=(300, 80)).width, control.render(size="300x80").height) == (300, 80)
    one, two = control.render(), control.render(scale=2)
    assert two.width > one.width
    assert control.render(quiet_zone=30).width > one.width
    assert control.X == 1  # options apply to the render, not to the settings


def test_results_are_those_of_the_last_render():
    ean = qv.Barcode1D(barType="EAN13", Code="590123412345")
    assert ean.codeText == ""
    ean.render()
    assert (ean.codeText, ean.L) == ("5901234123457", 95)
    matrix = qv.DataMatrix(Code="x" * 40)
    matrix.render()
    assert isinstance(matrix.CalculatedFormat, qv.Format)
    assert matrix.CalculatedFormat != qv.Format.AUTO
    assert matrix.CurrentX > matrix.Margin


def test_macro_pdf417_yields_every_segment():
    pdf = qv.PDF417(Code="".join(f"line {i:03d} of the letter\n" for i in range(60)), PDFMaxRows=10)
    images = list(pdf.segments())
    assert len(images) == pdf.PDFMacroSegmentCount > 1
    assert all(i.format == "png" for i in images)
    assert not hasattr(qv.Barcode1D(), "segments")
    with pytest.raises(qv.SymbolError, match="no data to split"):
        list(qv.PDF417(Code="").segments())


def test_repr_shows_what_differs_from_the_defaults():
    assert repr(qv.DataMatrix()) == "DataMatrix()"
    text = repr(qv.Barcode1D(barType="EAN13", Code="590123412345", BarColor=0x102030))
    assert text == "Barcode1D(Code='590123412345', BarColor=0x102030, barType=Symbology.EAN13)"
    assert eval(text, vars(qv)).render().data == qv.render("ean13", "590123412345",
                                                           BarColor=0x102030).data


def test_svg_is_a_document_with_the_image_size():
    image = qv.PDF417(Code="svg").render("svg")
    assert re.search(rb'width="%d"' % image.width, image.data)
