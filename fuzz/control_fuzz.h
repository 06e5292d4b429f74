// The generic control target: the input writes any published property with any value of its
// type, then the data, then the control paints onto a raster of bounded size.
//
// Input layout: a count of property writes; each write is a property index, a value kind and
// the value's bytes; then the size of the surface and the paint path; the rest is the data.
// A seed of a zero byte followed by data text paints that data with every default.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "fuzz_input.h"
#include "quorvantix/control.h"
#include "quorvantix/property.h"
#include "quorvantix/raster.h"

namespace qv::fuzz {

// The paint surface stays small so each run is quick; hostile sizes go through Control::Width.
inline constexpr std::int32_t kMaxSurface = 160;
inline constexpr std::size_t kHugeString = 1 << 16;

inline std::int32_t hostileInt(Input& in) {
    static constexpr std::int32_t kEdges[] = {
        0,
        1,
        -1,
        2,
        3,
        255,
        256,
        65535,
        1 << 30,
        -(1 << 30),
        std::numeric_limits<std::int32_t>::max(),
        std::numeric_limits<std::int32_t>::min(),
        std::numeric_limits<std::int32_t>::max() - 1,
        std::numeric_limits<std::int32_t>::min() + 1,
    };
    const std::uint8_t kind = in.byte();
    if (kind < 128) return static_cast<std::int32_t>(kind) - 16;  // small values, a few negative
    if (kind < 192) return kEdges[kind % std::size(kEdges)];
    return in.raw<std::int32_t>();
}

inline double hostileReal(Input& in) {
    static constexpr double kEdges[] = {
        0.0,
        -0.0,
        1.0,
        -1.0,
        0.5,
        1e-300,
        4.9e-324,
        1e300,
        -1e300,
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(),
        2147483647.5,
        -2147483648.5,
        4294967296.0,
    };
    const std::uint8_t kind = in.byte();
    if (kind < 96) return static_cast<double>(kind) / 8.0;
    if (kind < 192) return kEdges[kind % std::size(kEdges)];
    return in.raw<double>();
}

inline std::string hostileString(Input& in) {
    const std::uint8_t kind = in.byte();
    if (kind < 224) return in.bytes(kind);
    // Huge: one input byte repeated, or a short pattern repeated.
    const std::string unit = in.bytes(1 + kind % 8);
    std::string s;
    if (unit.empty()) return s;
    s.reserve(kHugeString);
    while (s.size() < kHugeString) s += unit;
    return s;
}

inline PropertyValue hostileValue(const PropertyInfo& info, Input& in) {
    switch (info.type) {
        case PropType::String:
            return hostileString(in);
        case PropType::Boolean:
            return (in.byte() & 1) != 0;
        case PropType::Integer:
        case PropType::Color:
        case PropType::Enum:
            return hostileInt(in);
        case PropType::Short:
            // A host can only pass 16 bits here.
            return static_cast<std::int32_t>(static_cast<std::int16_t>(hostileInt(in)));
        case PropType::Double:
            return hostileReal(in);
        case PropType::Font: {
            if ((in.byte() & 3) == 0) return std::optional<Font>{};
            Font f;
            const std::uint8_t flags = in.byte();
            if (flags & 1) f.name = in.bytes(in.byte() % 40);
            f.height = hostileInt(in);
            f.color = static_cast<TColor>(in.raw<std::uint32_t>());
            f.bold = (flags & 2) != 0;
            f.italic = (flags & 4) != 0;
            f.underline = (flags & 8) != 0;
            f.strikeout = (flags & 16) != 0;
            return std::optional<Font>{f};
        }
    }
    return false;
}

// Runs one input against a fresh control. dataName is the property the rest of the input goes to;
// methods(control, flags) calls the control's own published methods before the paint.
template <typename ControlT>
int fuzzControl(const std::uint8_t* data, std::size_t size, std::string_view dataName,
                void (*methods)(ControlT&, std::uint8_t) = nullptr) {
    Input in(data, size);
    ControlT control;
    const auto table = control.properties();
    const std::uint8_t writes = in.byte();
    for (std::uint8_t i = 0; i < writes && !table.empty(); ++i) {
        const PropertyInfo& info = table[in.byte() % table.size()];
        const PropertyValue value = hostileValue(info, in);
        if (info.access == PropertyAccess::ReadWrite && info.set != nullptr)
            info.set(control, value);
    }
    const std::uint8_t paint = in.byte();
    const std::int32_t width = in.byte() % kMaxSurface;
    const std::int32_t height = in.byte() % kMaxSurface;
    if (const PropertyInfo* info = findProperty(table, dataName); info && info->set) {
        const std::string rest = in.rest();
        if (!rest.empty() || (paint & 1)) info->set(control, PropertyValue{rest});
    }
    if (methods != nullptr) methods(control, paint);
    Bitmap surface(width, height);
    if (paint & 2) {
        // The window path: the control's own size, hostile when the input says so.
        control.Width = (paint & 4) ? hostileInt(in) : width;
        control.Height = (paint & 4) ? hostileInt(in) : height;
        if (std::int64_t{control.Width} * control.Height >
                std::int64_t{kMaxSurface} * kMaxSurface &&
            control.Width > 0 && control.Height > 0 &&
            std::int64_t{control.Width} * control.Height <= Bitmap::maxPixels) {
            // Legal but slow to fuzz; keep the refusal path (past maxPixels) and small sizes.
            control.Width = width;
            control.Height = height;
        }
        control.paint(surface.canvas());
    } else {
        control.paintBarcode(surface.canvas());
    }
    if (paint & 8) control.paintBarcode(surface.canvas());  // a second paint reuses the results
    // Reading every property back must be defined too.
    for (const PropertyInfo& info : table)
        if (info.get != nullptr) (void)formatProperty(info, info.get(control));
    return 0;
}

}  // namespace qv::fuzz
