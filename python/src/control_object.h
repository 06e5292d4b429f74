// A control as a Python object: what the user set, sent to the host layer at every render, and
// the control the last render painted, for the results.
#pragma once

#include <pybind11/pybind11.h>

#include <memory>
#include <string>
#include <vector>

#include "quorvantix/host.h"

namespace qvpy {

namespace py = pybind11;

class ControlObject {
  public:
    // ValueError when there is no control of that name.
    explicit ControlObject(std::string_view kindName);

    const qv::ControlKind& kind() const { return *kind_; }

    // AttributeError for unknown and result properties, TypeError or ValueError (the command
    // line's message) for a value that does not fit; nothing is written then.
    void set(std::string_view name, py::handle value);
    // Results come from the last render, everything else from what was set.
    py::object get(std::string_view name) const;
    // The settable properties that differ from a fresh control, in table order.
    std::vector<std::string> changed() const;

    // Host options come as Python keywords (quiet_zone=2); strict=True refuses warnings. The
    // GIL is released while the host paints.
    py::object render(const std::string& format, const py::kwargs& options);
    py::list segments(const py::kwargs& options);

  private:
    struct Write {
        std::string property;  // the table's name
        std::string name;      // what was written: the property or one of its fields
        std::string text;
    };

    std::vector<py::object> make(const std::pair<qv::ImageFormat, std::string>& format,
                                 const py::kwargs& options, bool segments);
    std::string refusal(std::string_view name) const;

    const qv::ControlKind* kind_;
    std::unique_ptr<qv::Control> settings_;
    std::unique_ptr<qv::Control> last_;
    // One entry per property, in the order of their last writes: replaying them gives settings_.
    std::vector<Write> writes_;
};

void bindControl(py::module_& m);

}  // namespace qvpy
