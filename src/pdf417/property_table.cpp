// The published properties of the PDF417 control, in declaration order.
#include <array>

#include "quorvantix/member_property.h"
#include "quorvantix/pdf417.h"

namespace qv {
namespace {

constexpr std::string_view kModeNames[] = {"PDF_BINARY", "PDF_TEXT", "PDF_NUMERIC"};

using C = TPDF417;
using T = PropType;
constexpr auto none = std::nullopt;

const std::array kProperties = {
    propertyRow<C, &C::Code>("Code", T::String, "This is a PDF417 Barcode", none,
                             "The data to encode."),
    propertyRow<C, &C::PDFMode>("PDFMode", T::Enum, "PDF_BINARY", "PDF_BINARY",
                                "Compaction mode: bytes, text or digits.",
                                {.enumNames = kModeNames}),
    propertyRow<C, &C::PDFECLevel>("PDFECLevel", T::Integer, "0", "0",
                                   "Error-correction level 0 to 8."),
    propertyRow<C, &C::PDFColumns>("PDFColumns", T::Integer, "10", "10",
                                   "Data columns per row, 1 to 30."),
    propertyRow<C, &C::PDFRows>("PDFRows", T::Integer, "0", "0", "Minimum row count."),
    propertyRow<C, &C::PDFMaxRows>(
        "PDFMaxRows", T::Integer, "0", "4",
        "Rows that limit the data of one symbol (0: no limit; at most 90)."),
    propertyRow<C, &C::PDFTruncated>(
        "PDFTruncated", T::Boolean, "false", "false",
        "Draw truncated PDF417 (no right row indicator, no stop pattern)."),
    propertyRow<C, &C::PDFMacroSegment>("PDFMacroSegment", T::Integer, "-1", "-1",
                                        "Macro PDF417 segment to draw; negative: no Macro PDF417."),
    propertyRow<C, &C::PDFMacroSegmentCount>(
        "PDFMacroSegmentCount", T::Integer, "-1", none,
        "Number of Macro PDF417 segments found by prepareMacroPDF (-1: none).", kReadOnly),
    propertyRow<C, &C::PDFMacroFileId>("PDFMacroFileId", T::String, "", none,
                                       "Macro PDF417 file ID, one codeword per character."),
    propertyRow<C, &C::PDFMacroFileName>("PDFMacroFileName", T::String, "", none,
                                         "Macro PDF417 file name (every segment)."),
    propertyRow<C, &C::PDFMacroTimeStamp>(
        "PDFMacroTimeStamp", T::String, "", none,
        "Macro PDF417 time stamp in decimal digits (first segment)."),
    propertyRow<C, &C::PDFMacroSender>("PDFMacroSender", T::String, "", none,
                                       "Macro PDF417 sender (first segment)."),
    propertyRow<C, &C::PDFMacroAddresse>("PDFMacroAddresse", T::String, "", none,
                                         "Macro PDF417 addressee (first segment)."),
    propertyRow<C, &C::PDFMacroFileSize>(
        "PDFMacroFileSize", T::Integer, "0", "0",
        "Macro PDF417 file size, written when above 0 (first segment)."),
    propertyRow<C, &C::TopMargin>("TopMargin", T::Integer, "10", "0",
                                  "Pixels above the first row."),
    propertyRow<C, &C::LeftMargin>("LeftMargin", T::Integer, "10", "0", "Pixels left of each row."),
    propertyRow<C, &C::BarWidthPixels>("BarWidthPixels", T::Integer, "1", "1",
                                       "Width of one module in pixels."),
    propertyRow<C, &C::BarHeightPixels>("BarHeightPixels", T::Integer, "7", "7",
                                        "Height of one row in pixels; 0 becomes 6 when painting."),
    propertyRow<C, &C::BackColor>("BackColor", T::Color, "#FFFFFF", "#FFFFFF", "Background."),
    propertyRow<C, &C::BarColor>("BarColor", T::Color, "#000000", "#000000", "Colour of the bars."),
};
static_assert(kProperties.size() == 21);

}  // namespace

std::span<const PropertyInfo> TPDF417::properties() const {
    return kProperties;
}

}  // namespace qv
