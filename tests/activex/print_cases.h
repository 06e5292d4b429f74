// The symbols the printing test draws into 600 dpi bounds (Windows) and reads back with an
// independent reader (Linux): compiled into both programs.
#pragma once

#include <cstdint>
#include <string_view>

namespace qv::activex::test {

struct PrintCase {
    std::string_view name;
    std::string_view control;  // class name of the control
    std::int32_t width;        // the control's size on the form, in pixels at 96 dpi
    std::int32_t height;
    std::string_view settings;  // as in the drawing cases
    std::string_view module;    // the property that is the module size on the form
    std::string_view format;    // the reader's name of the symbology
    std::string_view data;      // what the symbol reads back as
};

inline constexpr PrintCase kPrintCases[] = {
    {"code128", "TBarcode1D", 240, 100, "barType=CODE128;Code=QV600DPI;X=1", "X", "Code128",
     "QV600DPI"},
    {"datamatrix", "TDatamatrix", 200, 200, "Code=Quorvantix at 600 dpi;PixelsDot=4", "PixelsDot",
     "DataMatrix", "Quorvantix at 600 dpi"},
    {"pdf417", "TPDF417", 240, 120, "Code=Printed PDF417;PDFColumns=2;TopMargin=10;LeftMargin=10",
     "BarWidthPixels", "PDF417", "Printed PDF417"},
    {"maxicode", "TMaxicode", 240, 240, "mode=4;data=Printed MaxiCode;TopMargin=10;LeftMargin=10",
     "WHexagon", "MaxiCode", "Printed MaxiCode"},
};

// The device of the report: 600 dots per inch for a form at 96.
inline constexpr std::int32_t kPrintDpi = 600;
inline constexpr std::int32_t kFormDpi = 96;

}  // namespace qv::activex::test
