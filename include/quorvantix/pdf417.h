// The PDF417 control: byte, text and numeric compaction, nine error-correction levels,
// truncated symbols and Macro PDF417 sequences.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "quorvantix/control.h"

namespace qv {

namespace pdf417 {

// Compaction mode of the whole symbol. A host may write any number; values outside the
// enumeration encode nothing.
enum class TEncoding : std::int32_t {
    PDF_BINARY = 0,
    PDF_TEXT = 1,
    PDF_NUMERIC = 2,
};

}  // namespace pdf417

class TPDF417 : public Control {
  public:
    TPDF417();

    // Published properties, with their values at creation.
    std::string Code = "This is a PDF417 Barcode";
    pdf417::TEncoding PDFMode = pdf417::TEncoding::PDF_BINARY;
    std::int32_t PDFECLevel = 0;
    std::int32_t PDFColumns = 10;
    std::int32_t PDFRows = 0;
    std::int32_t PDFMaxRows = 0;  // above 90 written back as 90 by a paint
    bool PDFTruncated = false;
    std::int32_t PDFMacroSegment = -1;       // negative: no Macro PDF417
    std::int32_t PDFMacroSegmentCount = -1;  // result of prepareMacroPDF; -1 when it had to stop
    std::string PDFMacroFileId;
    std::string PDFMacroFileName;
    std::string PDFMacroTimeStamp;
    std::string PDFMacroSender;
    std::string PDFMacroAddresse;
    std::int32_t PDFMacroFileSize = 0;
    std::int32_t TopMargin = 10;
    std::int32_t LeftMargin = 10;
    std::int32_t BarWidthPixels = 1;
    std::int32_t BarHeightPixels = 7;  // 0 is written back as 6 by a paint
    TColor BackColor = 0xFFFFFF;
    TColor BarColor = 0;

    void paintBarcode(Canvas& canvas) override;
    std::span<const PropertyInfo> properties() const override;

    // Forgets the recorded split of the data into Macro PDF417 segments.
    void resetMacroPDF();
    // Encodes every segment once without drawing and sets PDFMacroSegmentCount (-1, with an
    // Error note, when a segment takes no data or the segment table runs out). Leaves
    // PDFMacroSegment at the last segment.
    void prepareMacroPDF();

    // Number of entries of the segment table: segment indexes run from 0 to kSegmentSlots - 2.
    static constexpr std::int32_t kSegmentSlots = 5000;

    // Rows of the last encoding (0 when it built no symbol).
    std::int32_t rowCount() const { return rowCount_; }
    // Codewords of the last encoding, in reading order.
    const std::vector<std::int32_t>& codewords() const { return codewords_; }
    // Data position where segment s begins (s in 0..kSegmentSlots - 1).
    std::int32_t segmentStart(std::int32_t s) const;

  private:
    // The drawing routine; without a canvas it only encodes (the dry runs of prepareMacroPDF).
    void render(Canvas* canvas);

    Canvas* canvas_ = nullptr;
    std::int32_t rowCount_ = 0;
    std::vector<std::int32_t> codewords_;
    std::vector<std::int32_t> segmentStart_;
};

}  // namespace qv
