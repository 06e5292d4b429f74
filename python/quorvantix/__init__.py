"""Barcodes from Python: linear symbols, Data Matrix, PDF417 and MaxiCode as PNG or SVG.

The four controls are classes (Barcode1D, DataMatrix, PDF417, MaxiCode) whose attributes are the
published properties; render() returns an Image. The classes, their attributes and enumerations
are made at import from the library's property tables.
"""

import dataclasses as _dataclasses

from . import _core
from ._core import Image, Note


class SymbolError(ValueError):
    """The symbol cannot stand for the data (it would scan as something else, or nothing fits),
    or, with strict=True, the data was changed to fit. ``notes`` holds every note of the paint."""

    notes: tuple = ()


class QuorvantixWarning(UserWarning):
    """The data was changed to fit the symbology: characters left out, data padded or cut."""


Font = _dataclasses.make_dataclass(
    "Font",
    [(k, type(v), _dataclasses.field(default=v)) for k, v in _core._font_defaults().items()],
    frozen=True,
)
Font.__module__ = __name__
Font.__doc__ = """A font for the human-readable text; color is 0xRRGGBB, a positive height the
cell height in pixels, a negative one the character height."""

_core._bind(Font, SymbolError, QuorvantixWarning)

from ._generate import generate as _generate  # noqa: E402  (needs the bound types)

_generated = _generate(_core._controls(), _core._host_options())
globals().update(_generated.names)
render = _generated.render

__all__ = sorted(
    ["Font", "Image", "Note", "SymbolError", "QuorvantixWarning", "render", *_generated.names]
)


def _to_pil(self):
    """The image as a PIL image in RGB mode (needs Pillow); PNG images only."""
    if self.format != "png":
        raise ValueError(f"a {self.format} image has no raster; render with format=\"png\"")
    from PIL import Image as _PIL

    return _PIL.frombytes("RGB", (self.width, self.height), bytes(memoryview(self)))


Image.to_pil = _to_pil
