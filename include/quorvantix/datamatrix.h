// The Data Matrix control: ECC 200 symbols of 24 square and 6 rectangular sizes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "quorvantix/control.h"

namespace qv {

// Symbol sizes, rows x columns. A host may write any number; one without a size counts as AUTO.
enum class TFormat : std::int32_t {
    AUTO = 0,
    C10X10,
    C12X12,
    C14X14,
    C16X16,
    C18X18,
    C20X20,
    C22X22,
    C24X24,
    C26X26,
    C32X32,
    C36X36,
    C40X40,
    C44X44,
    C48X48,
    C52X52,
    C64X64,
    C72X72,
    C80X80,
    C88X88,
    C96X96,
    C104X104,
    C120X120,
    C132X132,
    C144X144,
    C8X18,
    C8X32,
    C12X26,
    C12X36,
    C16X36,
    C16X48,
};

// Encodation modes. A host may write any number; one outside the list encodes as E_ASCII.
enum class TEncoding : std::int32_t {
    E_ASCII = 0,
    E_C40 = 1,
    E_TEXT = 2,
    E_BASE256 = 3,
    E_NONE = 4,
    E_AUTO = 5,
};

class TDatamatrix : public Control {
  public:
    TDatamatrix() = default;

    std::string Code = "This is a test of the barcode DataMatrix";
    bool ProcessTilde = false;
    TEncoding Encoding = TEncoding::E_ASCII;
    TFormat PreferredFormat = TFormat::AUTO;
    TFormat CalculatedFormat = TFormat::AUTO;  // size of the last symbol built
    std::int32_t PixelsDot = 4;
    std::int32_t Margin = 30;
    TColor BarColor = 0;
    TColor BackColor = 0xFFFFFF;
    bool rebuild = true;  // the next paint builds the symbol anew
    std::int32_t CurrentX = 0;
    std::int32_t CurrentY = 0;

    // Builds the symbol when rebuild is set, then draws the module matrix.
    void paintBarcode(Canvas& canvas) override;
    std::span<const PropertyInfo> properties() const override;

    // Encodes Code into a new module matrix; sets rebuild to false. Data that is empty or fits
    // no size leaves the previous symbol in place.
    void buildSymbol();

    // The built symbol: 1 dark, 0 light, row by row from the top; empty before a successful build.
    std::int32_t symbolRows() const { return rows_; }
    std::int32_t symbolColumns() const { return columns_; }
    bool module(std::int32_t column, std::int32_t row) const;

  private:
    void drawModules(Canvas& canvas);

    std::int32_t rows_ = 0;
    std::int32_t columns_ = 0;
    std::vector<std::uint8_t> modules_;  // row-major, rows_ x columns_
    std::vector<Note> buildNotes_;       // what the last build left out, repeated at every paint
};

}  // namespace qv
