// Physical sizes for print: lengths in millimetres, mils or inches, printer resolutions, and the
// whole number of printer dots that stands for a length.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qv {

inline constexpr double kMillimetresPerInch = 25.4;
inline constexpr double kMillimetresPerMil = 0.0254;

// "0.33mm", "13mil", "0.5in" (a unit is required; spaces before it are allowed) in
// millimetres; nullopt for anything else, a negative length, or one past a metre.
std::optional<double> parseLength(std::string_view text);

// Resolutions from 1 to 10000 dots per inch; "12dpmm" and "300dpi" are read too. nullopt when
// the text is no such number.
std::optional<double> parseDotsPerInch(std::string_view text);
std::optional<double> parseDotsPerMillimetre(std::string_view text);

// The whole number of dots nearest to the length (halves to even), at least `least`.
std::int32_t dotsFor(double millimetres, double dotsPerInch, std::int32_t least = 1);
double millimetresOf(std::int64_t dots, double dotsPerInch);

// "0.339 mm = 4 dots at 300 dpi"
std::string describeDots(std::int64_t dots, double dotsPerInch);

// The X-dimensions an application standard allows for a symbology, in millimetres.
struct XDimensionRange {
    std::string_view symbologies;  // as the linear control names them, comma-separated
    double minimum;
    double nominal;
    double maximum;
    std::string_view source;
};

// Retail EAN/UPC, scanned at the point of sale.
std::span<const XDimensionRange> xDimensionRanges();
// The range for a symbology of the linear control by its member name ("EAN13"); nullptr when
// none is listed.
const XDimensionRange* xDimensionRangeOf(std::string_view symbology);

}  // namespace qv
