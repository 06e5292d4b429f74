// The four controls behind one interface, for tests that hold every control to the same rule.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "quorvantix/barcode1d.h"
#include "quorvantix/canvas.h"
#include "quorvantix/control.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/maxicode.h"
#include "quorvantix/pdf417.h"
#include "quorvantix/property.h"

namespace qv::test {

struct ControlKind {
    std::string_view name;
    std::string_view dataProperty;
    std::function<std::unique_ptr<Control>()> create;
};

inline std::vector<ControlKind> allControls() {
    return {
        {"Barcode1D", "Code", [] { return std::make_unique<TBarcode1D>(); }},
        {"Datamatrix", "Code", [] { return std::make_unique<TDatamatrix>(); }},
        {"PDF417", "Code", [] { return std::make_unique<TPDF417>(); }},
        {"Maxicode", "data", [] { return std::make_unique<TMaxicode>(); }},
    };
}

inline const ControlKind& controlNamed(std::string_view name) {
    static const std::vector<ControlKind> kinds = allControls();
    for (const auto& kind : kinds)
        if (kind.name == name) return kind;
    throw std::invalid_argument(std::string(name));
}

// Writes a property by name through the control's own table, as a host does.
inline void setProperty(Control& control, std::string_view name, const PropertyValue& value) {
    const PropertyInfo* info = findProperty(control.properties(), name);
    if (info == nullptr || info->set == nullptr) throw std::invalid_argument(std::string(name));
    info->set(control, value);
}

// Counts the drawing calls and draws nothing; text metrics are fixed so no font is loaded.
class CountingCanvas : public Canvas {
  public:
    explicit CountingCanvas(Rect clip) : clip_(clip) {}
    Rect clipRect() const override { return clip_; }
    void polygon(std::span<const Point>) override { ++calls; }
    void ellipse(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override { ++calls; }
    void line(Point, Point) override { ++calls; }
    void textOut(std::int32_t, std::int32_t, std::string_view) override { ++calls; }
    std::int32_t textWidth(std::string_view text) override {
        return static_cast<std::int32_t>(std::min<std::size_t>(text.size(), 1 << 20) * 8);
    }
    std::int32_t textHeight(std::string_view) override { return 13; }
    void copyRect(const Rect&, Canvas&, const Rect&) override { ++calls; }

    std::int64_t calls = 0;

  private:
    Rect clip_;
};

}  // namespace qv::test
