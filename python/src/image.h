// The image a render returns: encoded bytes, size, notes, and the raster on demand.
#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <memory>

#include "quorvantix/render.h"

namespace qvpy {

namespace py = pybind11;

class Image {
  public:
    // Takes the rendered bytes; needs the GIL (it makes the Python objects once). `name` is the
    // format as the caller named it ("png").
    Image(qv::RenderedImage&& rendered, qv::ImageFormat format, std::string name);

    const py::bytes& data() const { return data_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    qv::ImageFormat format() const { return format_; }
    const std::string& formatName() const { return formatName_; }
    const py::tuple& notes() const { return notes_; }

    // Writes the bytes to `path` atomically; OSError when that fails, ValueError when the
    // path's extension names the other format.
    void save(const std::string& path) const;

    // Rows of RGB pixels, decoded from the PNG at the first call and kept; nullptr for other
    // formats or when decoding fails (the reason in *error).
    const std::uint8_t* raster(std::string* error);

    // Shape and strides of the raster for the buffer protocol: height, width, 3 bytes.
    Py_ssize_t shape[3] = {0, 0, 3};
    Py_ssize_t strides[3] = {0, 3, 1};

  private:
    py::bytes data_;
    std::int32_t width_;
    std::int32_t height_;
    qv::ImageFormat format_;
    std::string formatName_;
    py::tuple notes_;
    std::unique_ptr<std::uint8_t[]> raster_;
};

// A note as Python sees it.
struct PyNote {
    std::string severity;  // "warning" or "error"
    std::string text;
};

py::tuple notesToPython(const std::vector<qv::Note>& notes);

void bindImage(py::module_& m);

}  // namespace qvpy
