// The published properties of the PDF417 control, in declaration order.
#include <array>

#include "quorvantix/member_property.h"
#include "quorvantix/pdf417.h"

namespace qv {
namespace {

constexpr std::array<std::string_view, 3> kModeNames{"PDF_BINARY", "PDF_TEXT", "PDF_NUMERIC"};

template <auto Member>
constexpr PropertyInfo prop(std::string_view name, PropType type, std::string_view initial,
                            std::optional<std::string_view> stored, std::string_view help,
                            std::span<const std::string_view> names = {}) {
    return PropertyInfo{name,
                        type,
                        initial,
                        stored,
                        false,
                        help,
                        names,
                        &getMember<TPDF417, Member>,
                        &setMember<TPDF417, Member>};
}

const std::array<PropertyInfo, 21> kProperties{
    prop<&TPDF417::Code>("Code", PropType::String, "This is a PDF417 Barcode", std::nullopt,
                         "the data to encode"),
    prop<&TPDF417::PDFMode>("PDFMode", PropType::Enum, "PDF_BINARY", "PDF_BINARY",
                            "compaction mode: bytes, text or digits", kModeNames),
    prop<&TPDF417::PDFECLevel>("PDFECLevel", PropType::Integer, "0", "0",
                               "error-correction level 0 to 8"),
    prop<&TPDF417::PDFColumns>("PDFColumns", PropType::Integer, "10", "10",
                               "data columns per row, 1 to 30"),
    prop<&TPDF417::PDFRows>("PDFRows", PropType::Integer, "0", "0", "minimum row count"),
    prop<&TPDF417::PDFMaxRows>("PDFMaxRows", PropType::Integer, "0", "4",
                               "rows that limit the data of one symbol (0: no limit; at most 90)"),
    prop<&TPDF417::PDFTruncated>("PDFTruncated", PropType::Boolean, "false", "false",
                                 "draw truncated PDF417 (no right row indicator, no stop pattern)"),
    prop<&TPDF417::PDFMacroSegment>("PDFMacroSegment", PropType::Integer, "-1", "-1",
                                    "Macro PDF417 segment to draw; negative: no Macro PDF417"),
    PropertyInfo{"PDFMacroSegmentCount",
                 PropType::Integer,
                 "-1",
                 std::nullopt,
                 true,
                 "number of Macro PDF417 segments found by prepareMacroPDF (-1: none)",
                 {},
                 &getMember<TPDF417, &TPDF417::PDFMacroSegmentCount>,
                 &setMember<TPDF417, &TPDF417::PDFMacroSegmentCount>},
    prop<&TPDF417::PDFMacroFileId>("PDFMacroFileId", PropType::String, "", std::nullopt,
                                   "Macro PDF417 file ID, one codeword per character"),
    prop<&TPDF417::PDFMacroFileName>("PDFMacroFileName", PropType::String, "", std::nullopt,
                                     "Macro PDF417 file name (every segment)"),
    prop<&TPDF417::PDFMacroTimeStamp>("PDFMacroTimeStamp", PropType::String, "", std::nullopt,
                                      "Macro PDF417 time stamp in decimal digits (first segment)"),
    prop<&TPDF417::PDFMacroSender>("PDFMacroSender", PropType::String, "", std::nullopt,
                                   "Macro PDF417 sender (first segment)"),
    prop<&TPDF417::PDFMacroAddresse>("PDFMacroAddresse", PropType::String, "", std::nullopt,
                                     "Macro PDF417 addressee (first segment)"),
    prop<&TPDF417::PDFMacroFileSize>(
        "PDFMacroFileSize", PropType::Integer, "0", "0",
        "Macro PDF417 file size, written when above 0 (first segment)"),
    prop<&TPDF417::TopMargin>("TopMargin", PropType::Integer, "10", "0",
                              "pixels above the first row"),
    prop<&TPDF417::LeftMargin>("LeftMargin", PropType::Integer, "10", "0",
                               "pixels left of each row"),
    prop<&TPDF417::BarWidthPixels>("BarWidthPixels", PropType::Integer, "1", "1",
                                   "width of one module in pixels"),
    prop<&TPDF417::BarHeightPixels>("BarHeightPixels", PropType::Integer, "7", "7",
                                    "height of one row in pixels; 0 becomes 6 when painting"),
    prop<&TPDF417::BackColor>("BackColor", PropType::Color, "#FFFFFF", "#FFFFFF",
                              "background colour"),
    prop<&TPDF417::BarColor>("BarColor", PropType::Color, "#000000", "#000000", "bar colour"),
};

}  // namespace

std::span<const PropertyInfo> TPDF417::properties() const {
    return kProperties;
}

}  // namespace qv
