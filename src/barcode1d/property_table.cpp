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

template <auto M>
constexpr PropertyInfo prop(std::string_view name, PropType type, std::string_view def,
                            std::optional<std::string_view> stored, std::string_view help,
                            bool readOnly = false) {
    return PropertyInfo{name,
                        type,
                        def,
                        stored,
                        readOnly,
                        help,
                        {},
                        &getMember<TBarcode1D, M>,
                        &setMember<TBarcode1D, M>};
}
template <auto M>
constexpr PropertyInfo intProp(std::string_view name, PropType type, std::string_view def,
                               std::optional<std::string_view> stored, std::string_view help,
                               std::span<const std::string_view> names = {}) {
    return PropertyInfo{name,
                        type,
                        def,
                        stored,
                        false,
                        help,
                        names,
                        &getMember<TBarcode1D, M>,
                        &setMember<TBarcode1D, M>};
}

using P = Barcode1DProperties;
using T = PropType;
constexpr auto none = std::nullopt;

const std::array kProperties = {
    prop<&P::Code>("Code", T::String, "1234567", none, "The data to encode."),
    prop<&P::ProcessTilde>("ProcessTilde", T::Boolean, "false", none,
                           "Expand ~~ and ~ddd escapes in Code before encoding."),
    prop<&P::TopMargin>("TopMargin", T::Integer, "20", "0", "Pixels above the bars."),
    prop<&P::LeftMargin>("LeftMargin", T::Integer, "20", "0", "Pixels left of the first element."),
    prop<&P::BarHeightPixels>(
        "BarHeightPixels", T::Integer, "0", "7",
        "Bar height in pixels; 0: L x H, computed and kept at the next paint."),
    intProp<&P::BackColor>("BackColor", T::Color, "#FFFFFF", "#FFFFFF",
                           "Background, also behind the text."),
    intProp<&P::BarColor>("BarColor", T::Color, "#000000", "#000000", "Colour of the bars."),
    prop<&P::textOnTop>("textOnTop", T::Boolean, "false", none,
                        "Plain text layout: text above the bars."),
    intProp<&P::barType>("barType", T::Enum, "CODE39", none, "The symbology.", kSymbologyNames),
    prop<&P::codeSup>("codeSup", T::String, "", none,
                      "Text over the EAN/UPC add-on; filled from its data when empty."),
    prop<&P::checkCharacter>("checkCharacter", T::Boolean, "true", none,
                             "Add the symbology's check character(s)."),
    prop<&P::postnetHeightTallBar>("postnetHeightTallBar", T::Integer, "20", none,
                                   "POSTNET tall bar height in pixels."),
    prop<&P::postnetHeightShortBar>("postnetHeightShortBar", T::Integer, "10", none,
                                    "POSTNET short bar height in pixels."),
    prop<&P::supplement>("supplement", T::String, "", none,
                         "EAN/UPC add-on data; empty: digits of the main data."),
    prop<&P::guardBars>("guardBars", T::Boolean, "true", none,
                        "EAN/UPC: long guard bars, text split under the halves."),
    prop<&P::codeText>("codeText", T::String, "", none, "Result: the human-readable text.", true),
    prop<&P::Font>("Font", T::Font, "MS Sans Serif,10", none,
                   "Font of all text; none: no text drawn."),
    prop<&P::extraHeight>("extraHeight", T::Integer, "0", none,
                          "Pixels added below every bar; EAN/UPC guards reset it."),
    prop<&P::UPCESytem>("UPCESytem", T::String, "1", none,
                        "UPC-E parity: \"1\" number system 1, else number system 0."),
    prop<&P::CODABARStartChar>("CODABARStartChar", T::String, "A", none,
                               "Codabar start character."),
    prop<&P::CODABARStopChar>("CODABARStopChar", T::String, "B", none, "Codabar stop character."),
    prop<&P::UPCEANSupplement2>("UPCEANSupplement2", T::Boolean, "false", none,
                                "Draw a 2-digit EAN/UPC add-on (wins over 5)."),
    prop<&P::UPCEANSupplement5>("UPCEANSupplement5", T::Boolean, "false", none,
                                "Draw a 5-digit EAN/UPC add-on."),
    prop<&P::Code128Set>("Code128Set", T::String, "B", none,
                         "Code 128 code set: \"B\", \"C\", else A."),
    prop<&P::X>("X", T::Integer, "1", none, "Narrow element (module) width in pixels."),
    prop<&P::N>("N", T::Integer, "2", none, "Wide-to-narrow ratio."),
    prop<&P::I>("I", T::Integer, "1", none, "Code 39 inter-character gap in modules."),
    prop<&P::H>("H", T::Double, "0.45", none,
                "Bar height as a ratio of L, when BarHeightPixels is 0."),
    prop<&P::L>("L", T::Integer, "0", none, "Result: nominal symbol length in pixels.", true),
    prop<&P::supSeparation>("supSeparation", T::Integer, "10", none,
                            "Pixels between an EAN/UPC symbol and its add-on."),
    prop<&P::supHeight>("supHeight", T::Double, "0.8", none,
                        "Add-on bar height as a fraction of BarHeightPixels."),
};

}  // namespace

std::span<const PropertyInfo> TBarcode1D::properties() const {
    return kProperties;
}

}  // namespace qv
