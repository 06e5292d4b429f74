// The MaxiCode control: modes 2 to 6, the postal primary message of modes 2 and 3, structured
// append, drawn as 33 rows of hexagons around a bullseye.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "quorvantix/control.h"

namespace qv {

namespace maxicode {
struct Layout;
}

class TMaxicode : public Control {
  public:
    TMaxicode();
    ~TMaxicode() override;

    // Published properties, in their published order, with their values at creation.
    std::int32_t offsetX = 0;  // shifts the drawing origin, with LeftMargin
    double L = 25.5;           // nominal symbol size in millimetres; setL applies it at once
    std::int32_t offsetY = 0;  // shifts the drawing origin, with TopMargin
    std::int32_t TopMargin = 0;
    std::int32_t LeftMargin = 0;
    TColor BackColor = 0xFFFFFF;
    TColor BarColor = 0;
    std::string zipCode;  // modes 2 and 3; empty: taken from structured data
    std::string serviceClass;
    std::string country;
    std::string data;
    std::int32_t mode = 4;
    std::int32_t numberOfCodes = 1;
    std::int32_t positionOfCode = 1;
    bool processTilde = true;
    std::int32_t WHexagon = 7;           // horizontal pitch of the hexagons, set by setL
    std::int32_t HHexagon = 8;           // hexagon height, set by setL
    std::int32_t preferredWidth = 210;   // read-only: grid width of the last layout
    std::int32_t preferredHeight = 200;  // read-only: grid height of the last layout
    std::int32_t resolution = 200;       // dots per inch; write it through setResolution

    // Stores L and recomputes the hexagon grid for it at the current resolution. A paint does the
    // same for an L written directly since.
    void setL(double value);
    // Stores the resolution, then setL(L). At 0 or below the grid stays as it was.
    void setResolution(std::int32_t value);

    void paintBarcode(Canvas& canvas) override;
    std::span<const PropertyInfo> properties() const override;

    // The 144 protected codewords of the last paint.
    const std::array<std::uint8_t, 144>& codewords() const { return codewords_; }

  private:
    // Postal fields that a paint split out of the data: while the host leaves them as written,
    // every later paint splits the data again instead of encoding it whole.
    struct PostalMemo {
        bool active = false;
        std::string zipCode, country, serviceClass;  // as written back
        std::string countryBefore, serviceClassBefore;
    };

    std::unique_ptr<maxicode::Layout> layout_;
    double layoutL_ = 0;  // the L that layout_ was computed for
    PostalMemo memo_;
    std::array<std::uint8_t, 144> codewords_{};
    std::vector<Place> places_;  // the dark hexagons' corners
    std::vector<Piece> runs_;    // the hexagons' pixel runs, for patterns too tall to list
};

}  // namespace qv
