// A small control for testing the command without the real symbologies: bars in a row, notes on
// request, a segmented mode.
#pragma once

#include <string>

#include "quorvantix/control.h"
#include "registry.h"

namespace qv::cli::test {

// Paints `Count` bars (or `Segment` + 1 while a segment is selected), each 2 x 20 pixels, 4 pixels
// apart, from (LeftMargin + Indent, TopMargin). Data with "!" gives a warning, with "?" an error.
class FakeControl : public Control {
  public:
    std::string Code = "ABC";
    bool Flag = false;
    std::int32_t Count = 3;
    double Ratio = 0.5;
    std::int32_t Small = 0;
    std::int32_t Kind = 0;
    TColor BackColor = 0xFFFFFF;
    TColor BarColor = 0;
    std::int32_t LeftMargin = 10;
    std::int32_t TopMargin = 5;
    std::int32_t Indent = 0;
    std::optional<Font> TextFont = Font{};
    std::int32_t Segments = 0;
    std::int32_t Segment = -1;
    std::string Result;

    void paintBarcode(Canvas& canvas) override;
    std::span<const PropertyInfo> properties() const override;
};

// "fake": margins from LeftMargin/TopMargin, -t sets Kind, segments through Segments/Segment,
// and Flag set from the data ("1..." gives true) unless the user set it.
// "bare": no margin properties, no -t, no segments.
std::span<const ControlEntry> fakeControls();

}  // namespace qv::cli::test
