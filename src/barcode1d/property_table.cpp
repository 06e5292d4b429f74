// The published properties of the linear control, in declaration order.
#include <array>

#include "quorvantix/barcode1d.h"
#include "quorvantix/member_property.h"

namespace qv {
namespace {

constexpr std::string_view kSymbologyNames[] = {
    "CODE39", "CODE39EXT", "INTERLEAVED25", "CODE11",  "CODABAR", "MSI",
    "UPCA",   "IND25",     "MAT25",         "CODE93",  "EAN13",   "EAN8",
    "UPCE",   "CODE128",   "CODE93EXT",     "POSTNET", "EAN128",
};

using C = TBarcode1D;
using P = Barcode1DProperties;
using T = PropType;
constexpr auto none = std::nullopt;

const std::array kProperties = {
    propertyRow<C, &P::Code>("Code", T::String, "1234567", none, "The data to encode."),
    propertyRow<C, &P::ProcessTilde>("ProcessTilde", T::Boolean, "false", none,
                                     "Expand ~~ and ~ddd escapes in Code before encoding."),
    propertyRow<C, &P::TopMargin>("TopMargin", T::Integer, "20", "0", "Pixels above the bars."),
    propertyRow<C, &P::LeftMargin>("LeftMargin", T::Integer, "20", "0",
                                   "Pixels left of the first element."),
    propertyRow<C, &P::BarHeightPixels>(
        "BarHeightPixels", T::Integer, "0", "7",
        "Bar height in pixels; 0: L x H, computed and kept at the next paint."),
    propertyRow<C, &P::BackColor>("BackColor", T::Color, "#FFFFFF", "#FFFFFF",
                                  "Background, also behind the text."),
    propertyRow<C, &P::BarColor>("BarColor", T::Color, "#000000", "#000000", "Colour of the bars."),
    propertyRow<C, &P::textOnTop>("textOnTop", T::Boolean, "false", none,
                                  "Plain text layout: text above the bars."),
    propertyRow<C, &P::barType>("barType", T::Enum, "CODE39", none, "The symbology.",
                                {.enumNames = kSymbologyNames}),
    propertyRow<C, &P::codeSup>("codeSup", T::String, "", none,
                                "Text over the EAN/UPC add-on; filled from its data when empty."),
    propertyRow<C, &P::checkCharacter>("checkCharacter", T::Boolean, "true", none,
                                       "Add the symbology's check character(s)."),
    propertyRow<C, &P::postnetHeightTallBar>("postnetHeightTallBar", T::Integer, "20", none,
                                             "POSTNET tall bar height in pixels."),
    propertyRow<C, &P::postnetHeightShortBar>("postnetHeightShortBar", T::Integer, "10", none,
                                              "POSTNET short bar height in pixels."),
    propertyRow<C, &P::supplement>("supplement", T::String, "", none,
                                   "EAN/UPC add-on data; empty: digits of the main data."),
    propertyRow<C, &P::guardBars>("guardBars", T::Boolean, "true", none,
                                  "EAN/UPC: long guard bars, text split under the halves."),
    propertyRow<C, &P::codeText>("codeText", T::String, "", none,
                                 "Human-readable text of the last paint.", kResult),
    propertyRow<C, &P::Font>("Font", T::Font, "MS Sans Serif,10", none,
                             "Font of all text; none: no text drawn."),
    propertyRow<C, &P::extraHeight>("extraHeight", T::Integer, "0", none,
                                    "Pixels added below every bar; EAN/UPC guards reset it."),
    propertyRow<C, &P::UPCESytem>("UPCESytem", T::String, "1", none,
                                  "UPC-E parity: \"1\" number system 1, else number system 0."),
    propertyRow<C, &P::CODABARStartChar>("CODABARStartChar", T::String, "A", none,
                                         "Codabar start character."),
    propertyRow<C, &P::CODABARStopChar>("CODABARStopChar", T::String, "B", none,
                                        "Codabar stop character."),
    propertyRow<C, &P::UPCEANSupplement2>("UPCEANSupplement2", T::Boolean, "false", none,
                                          "Draw a 2-digit EAN/UPC add-on (wins over 5)."),
    propertyRow<C, &P::UPCEANSupplement5>("UPCEANSupplement5", T::Boolean, "false", none,
                                          "Draw a 5-digit EAN/UPC add-on."),
    propertyRow<C, &P::Code128Set>("Code128Set", T::String, "B", none,
                                   "Code 128 code set: \"B\", \"C\", else A."),
    propertyRow<C, &P::X>("X", T::Integer, "1", none, "Narrow element (module) width in pixels."),
    propertyRow<C, &P::N>("N", T::Integer, "2", none, "Wide-to-narrow ratio."),
    propertyRow<C, &P::I>("I", T::Integer, "1", none, "Code 39 inter-character gap in modules."),
    propertyRow<C, &P::H>("H", T::Double, "0.45", none,
                          "Bar height as a ratio of L, when BarHeightPixels is 0."),
    propertyRow<C, &P::L>("L", T::Integer, "0", none,
                          "Nominal symbol length in pixels, of the last paint.", kResult),
    propertyRow<C, &P::supSeparation>("supSeparation", T::Integer, "10", none,
                                      "Pixels between an EAN/UPC symbol and its add-on."),
    propertyRow<C, &P::supHeight>("supHeight", T::Double, "0.8", none,
                                  "Add-on bar height as a fraction of BarHeightPixels."),
};

}  // namespace

std::span<const PropertyInfo> TBarcode1D::properties() const {
    return kProperties;
}

}  // namespace qv
