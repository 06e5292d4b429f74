import os

import numpy as np
import pytest

import quorvantix as qv


@pytest.fixture(scope="module")
def image():
    return qv.Barcode1D(barType="CODE128", Code="image", BarColor=0x0000FF, Font=None).render()


def test_numpy_views_the_raster_without_copying(image):
    first, second = np.asarray(image), np.asarray(image)
    assert first.shape == (image.height, image.width, 3) and first.dtype == np.uint8
    assert np.shares_memory(first, second)
    assert not first.flags.writeable
    colours = {tuple(c) for c in first.reshape(-1, 3)}
    assert colours == {(255, 255, 255), (0, 0, 255)}


def test_pil_image_has_the_same_pixels(image):
    pil = image.to_pil()
    assert pil.size == (image.width, image.height) and pil.mode == "RGB"
    assert np.array_equal(np.asarray(pil), np.asarray(image))


def test_svg_has_no_raster():
    svg = qv.Barcode1D().render("svg")
    with pytest.raises(BufferError, match="no raster"):
        memoryview(svg)
    with pytest.raises(ValueError, match="no raster"):
        svg.to_pil()


def test_save_writes_the_bytes(image, tmp_path):
    image.save(tmp_path / "code.png")
    assert (tmp_path / "code.png").read_bytes() == image.data
    image.save(str(tmp_path / "any.name"))
    assert (tmp_path / "any.name").read_bytes() == image.data


def test_a_failed_save_raises_and_leaves_nothing(image, tmp_path):
    with pytest.raises(OSError, match="cannot write"):
        image.save(tmp_path / "missing" / "code.png")
    (tmp_path / "folder.png").mkdir()
    with pytest.raises(OSError):
        image.save(tmp_path / "folder.png")
    assert sorted(os.listdir(tmp_path)) == ["folder.png"]


def test_save_refuses_the_other_formats_extension(image, tmp_path):
    with pytest.raises(ValueError, match="another format"):
        image.save(tmp_path / "code.svg")
    assert not (tmp_path / "code.svg").exists()
