// The native part of the package: controls, images and the tables they are generated from.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "bench_hook.h"
#include "control_object.h"
#include "image.h"
#include "quorvantix/host.h"
#include "values.h"

namespace py = pybind11;

namespace qvpy {
py::list describeControls();
}

PYBIND11_MODULE(_core, m) {
    m.doc() = "Native part of quorvantix; use the package, not this module.";
    qvpy::bindImage(m);
    qvpy::bindControl(m);
    m.def("_controls", &qvpy::describeControls, "The controls and their property tables.");
    m.def("_host_options", [] {
        py::list out;
        for (const auto& o : qv::hostOptions())
            out.append(
                py::make_tuple(std::string(o.name), std::string(o.argument), std::string(o.help)));
        return out;
    });
    m.def("_font_defaults", &qvpy::fontDefaults);
    m.def(
        "_bind",
        [](py::object font, py::object symbolError, py::object warning) {
            auto& types = qvpy::packageTypes();
            types.font = std::move(font);
            types.symbolError = std::move(symbolError);
            types.warning = std::move(warning);
        },
        py::arg("font"), py::arg("symbol_error"), py::arg("warning"));
    m.def("_native_ean13_png", &qvpy::nativeEan13Png, py::arg("repeat"),
          py::arg("through_host") = false,
          "Seconds for `repeat` EAN-13 PNG renders in C++ alone (for the bench).");
}
