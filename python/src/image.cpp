#include "image.h"

#include <png.h>

#include <cstring>

#include "quorvantix/png.h"

namespace qvpy {
namespace {

// The buffer protocol by hand, so that a request that cannot be met raises BufferError instead
// of passing a C++ exception through the interpreter.
int getBuffer(PyObject* self, Py_buffer* view, int flags) {
    view->obj = nullptr;
    if (flags & PyBUF_WRITABLE) {
        PyErr_SetString(PyExc_BufferError, "an image's raster is read-only");
        return -1;
    }
    Image* image = nullptr;
    try {
        image = &py::cast<Image&>(py::handle(self));
    } catch (...) {
        PyErr_SetString(PyExc_BufferError, "not an image");
        return -1;
    }
    std::string error;
    const std::uint8_t* pixels = image->raster(&error);
    if (!pixels) {
        PyErr_SetString(PyExc_BufferError, error.c_str());
        return -1;
    }
    view->buf = const_cast<std::uint8_t*>(pixels);
    view->obj = self;
    Py_INCREF(self);
    view->len = image->shape[0] * image->shape[1] * 3;
    view->itemsize = 1;
    view->readonly = 1;
    view->format = (flags & PyBUF_FORMAT) ? const_cast<char*>("B") : nullptr;
    view->ndim = 3;
    view->shape = (flags & PyBUF_ND) ? image->shape : nullptr;
    view->strides = (flags & PyBUF_STRIDES) == PyBUF_STRIDES ? image->strides : nullptr;
    view->suboffsets = nullptr;
    view->internal = nullptr;
    if (!view->shape) view->ndim = 1;
    return 0;
}

}  // namespace

Image::Image(qv::RenderedImage&& rendered, qv::ImageFormat format, std::string name)
    : data_(reinterpret_cast<const char*>(rendered.bytes.data()), rendered.bytes.size()),
      width_(rendered.size.width),
      height_(rendered.size.height),
      format_(format),
      formatName_(std::move(name)),
      notes_(notesToPython(rendered.notes)) {
    shape[0] = height_;
    shape[1] = width_;
    strides[0] = static_cast<Py_ssize_t>(width_) * 3;
}

void Image::save(const std::string& path) const {
    if (const auto named = qv::imageFormatOf(path); named && *named != format_)
        throw py::value_error(path + " names another format than the image's (" + formatName_ +
                              ")");
    const char* bytes = PyBytes_AS_STRING(data_.ptr());
    const auto size = static_cast<std::size_t>(PyBytes_GET_SIZE(data_.ptr()));
    std::string error;
    bool written = false;
    {
        py::gil_scoped_release nogil;
        written = qv::writeFileAtomically(path, bytes, size, &error);
    }
    if (!written) {
        PyErr_SetString(PyExc_OSError,
                        ("cannot write " + path + (error.empty() ? "" : ": " + error)).c_str());
        throw py::error_already_set();
    }
}

const std::uint8_t* Image::raster(std::string* error) {
    if (raster_) return raster_.get();
    if (format_ != qv::ImageFormat::Png) {
        *error = "a " + formatName_ + " image has no raster; render with format=\"png\"";
        return nullptr;
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    const char* bytes = PyBytes_AS_STRING(data_.ptr());
    if (!png_image_begin_read_from_memory(
            &png, bytes, static_cast<std::size_t>(PyBytes_GET_SIZE(data_.ptr())))) {
        *error = std::string("cannot read the PNG back: ") + png.message;
        return nullptr;
    }
    png.format = PNG_FORMAT_RGB;
    const auto size = PNG_IMAGE_SIZE(png);
    std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[size]);
    if (!pixels) {
        png_image_free(&png);
        *error = "out of memory for the raster";
        return nullptr;
    }
    if (!png_image_finish_read(&png, nullptr, pixels.get(), 0, nullptr) ||
        static_cast<std::int32_t>(png.width) != width_ ||
        static_cast<std::int32_t>(png.height) != height_) {
        *error = std::string("cannot read the PNG back: ") + png.message;
        png_image_free(&png);
        return nullptr;
    }
    raster_ = std::move(pixels);
    return raster_.get();
}

py::tuple notesToPython(const std::vector<qv::Note>& notes) {
    py::tuple out(notes.size());
    for (std::size_t i = 0; i < notes.size(); ++i)
        out[i] = py::cast(PyNote{
            notes[i].severity == qv::Note::Severity::Error ? "error" : "warning", notes[i].text});
    return out;
}

void bindImage(py::module_& m) {
    py::class_<PyNote>(m, "Note", "What a paint left out, padded, cut or could not represent.")
        .def_readonly("severity", &PyNote::severity, "\"warning\" or \"error\"")
        .def_readonly("text", &PyNote::text, "what happened, as the command line says it")
        .def("__str__", [](const PyNote& n) { return n.text; })
        .def("__repr__", [](const PyNote& n) {
            return "Note(" + n.severity + ": " + std::string(py::repr(py::str(n.text))) + ")";
        });

    py::class_<Image>(m, "Image", py::custom_type_setup([](PyHeapTypeObject* type) {
                          type->ht_type.tp_as_buffer = &type->as_buffer;
                          type->as_buffer.bf_getbuffer = getBuffer;
                          type->as_buffer.bf_releasebuffer = nullptr;
                      }),
                      "A rendered symbol. numpy.asarray(image) is its RGB raster "
                      "(height x width x 3, read-only, no copy); PNG images only.")
        .def_property_readonly("data", &Image::data, "the encoded image (PNG or SVG bytes)")
        .def_property_readonly("width", &Image::width, "width in pixels")
        .def_property_readonly("height", &Image::height, "height in pixels")
        .def_property_readonly("format", &Image::formatName,
                               "the format's name: \"png\", \"svg\", ...")
        .def_property_readonly("notes", &Image::notes,
                               "what the paint left out, padded or cut (a tuple of Note)")
        .def(
            "save",
            [](const Image& image, py::object path) {
                image.save(py::str(py::module_::import("os").attr("fsdecode")(path)));
            },
            py::arg("path"),
            "Writes the image to a file atomically: a temporary file, then a rename, so that a "
            "failed write leaves nothing behind. Raises OSError when it cannot.")
        .def("__repr__", [](const Image& i) {
            return "<quorvantix.Image " + i.formatName() + " " + std::to_string(i.width()) + "x" +
                   std::to_string(i.height()) + ", " + std::to_string(py::len(i.notes())) +
                   " notes>";
        });
}

}  // namespace qvpy
