// The linear barcode control: seventeen symbologies with human-readable text and EAN/UPC add-ons.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "quorvantix/control.h"

namespace qv {

enum class TSymbology : std::uint8_t {
    CODE39 = 0,
    CODE39EXT = 1,
    INTERLEAVED25 = 2,
    CODE11 = 3,
    CODABAR = 4,
    MSI = 5,
    UPCA = 6,
    IND25 = 7,
    MAT25 = 8,
    CODE93 = 9,
    EAN13 = 10,
    EAN8 = 11,
    UPCE = 12,
    CODE128 = 13,
    CODE93EXT = 14,
    POSTNET = 15,
    EAN128 = 16,
};

// The published properties with their values at creation. A host may write any value, also a
// barType outside the enumeration.
struct Barcode1DProperties {
    std::string Code = "1234567";
    bool ProcessTilde = false;
    std::int32_t TopMargin = 20;
    std::int32_t LeftMargin = 20;
    std::int32_t BarHeightPixels = 0;
    TColor BackColor = 0xFFFFFF;
    TColor BarColor = 0;
    bool textOnTop = false;
    TSymbology barType = TSymbology::CODE39;
    std::string codeSup;
    bool checkCharacter = true;
    std::int32_t postnetHeightTallBar = 20;
    std::int32_t postnetHeightShortBar = 10;
    std::string supplement;
    bool guardBars = true;
    std::string codeText;
    std::optional<qv::Font> Font = qv::Font{};  // empty: no font assigned, no text drawn
    std::int32_t extraHeight = 0;
    std::string UPCESytem = "1";
    std::string CODABARStartChar = "A";
    std::string CODABARStopChar = "B";
    bool UPCEANSupplement2 = false;
    bool UPCEANSupplement5 = false;
    std::string Code128Set = "B";
    std::int32_t X = 1;
    std::int32_t N = 2;
    std::int32_t I = 1;
    double H = 0.45;
    std::int32_t L = 0;
    std::int32_t supSeparation = 10;
    double supHeight = 0.8;
};

namespace barcode1d {

// Positions the EAN/UPC encoders record for the text layout. Only symbolEnd is reset per paint.
struct LayoutMarks {
    std::int64_t leftDataStart = 0;
    std::int64_t centreGuardStart = 0;
    std::int64_t rightDataStart = 0;
    std::int64_t rightGuardStart = 0;
    std::int64_t symbolEnd = 0;
    std::int64_t supplementStart = 0;
    std::int64_t supplementEnd = 0;
    std::int64_t supplementTop = 0;
};

}  // namespace barcode1d

// Draws one linear symbol, encoded afresh from the published properties at every paint. A paint
// writes back codeText, L, a computed BarHeightPixels, an empty codeSup it filled, and extraHeight
// (reset by the EAN/UPC guards).
class TBarcode1D : public Control, public Barcode1DProperties {
  public:
    TBarcode1D() = default;

    void paintBarcode(Canvas& canvas) override;
    std::span<const PropertyInfo> properties() const override;

    // Where the last EAN/UPC paint put its halves and add-on; kept until a paint rewrites them.
    const barcode1d::LayoutMarks& layoutMarks() const { return marks_; }

    // Not published: when set, the human-readable text drawn (and left in codeText) in place of
    // the symbology's own, as GS1 data shows its AIs in parentheses.
    std::optional<std::string> textOverride;

  private:
    barcode1d::LayoutMarks marks_;
};

}  // namespace qv
