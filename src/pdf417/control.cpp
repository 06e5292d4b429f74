#include <algorithm>
#include <array>
#include <limits>

#include "canvas/background_fill.h"
#include "pdf417/layout.h"
#include "pdf417/macro.h"
#include "pdf417/patterns.h"
#include "quorvantix/pdf417.h"

namespace qv {
namespace {

constexpr TColor kRed = 255;

}  // namespace

TPDF417::TPDF417() {
    resetMacroPDF();
}

void TPDF417::resetMacroPDF() {
    segmentStart_.assign(kSegmentSlots, 0);
}

std::int32_t TPDF417::segmentStart(std::int32_t s) const {
    if (s < 0 || s >= kSegmentSlots) return 0;
    return segmentStart_[static_cast<std::size_t>(s)];
}

void TPDF417::paintBarcode(Canvas& canvas) {
    clearNotes();
    render(&canvas);
}

void TPDF417::prepareMacroPDF() {
    clearNotes();
    const auto n = static_cast<std::int32_t>(std::min<std::size_t>(Code.size(), INT32_MAX));
    // Segment 0 always begins at the start of the data, whatever a plain paint stored there.
    segmentStart_[0] = 0;
    std::int32_t i = 0;
    while (segmentStart_[static_cast<std::size_t>(i)] < n) {
        if (i >= kSegmentSlots - 1) {
            PDFMacroSegmentCount = -1;
            addNote(Note::Severity::Error, "Macro PDF417: the data needs more than " +
                                               std::to_string(kSegmentSlots - 1) + " segments");
            return;
        }
        PDFMacroSegmentCount = 0;
        PDFMacroSegment = i;
        const auto at = static_cast<std::size_t>(i);
        segmentStart_[at + 1] = segmentStart_[at];  // so that a segment taking nothing shows
        clearNotes();
        render(nullptr);
        if (segmentStart_[at + 1] <= segmentStart_[at]) {
            PDFMacroSegmentCount = -1;
            addNote(Note::Severity::Error,
                    "Macro PDF417: segment " + std::to_string(i) + " can hold no data");
            return;
        }
        ++i;
    }
    PDFMacroSegmentCount = i;
}

void TPDF417::render(Canvas* canvas) {
    canvas_ = canvas;
    rowCount_ = 0;
    codewords_.clear();
    if (canvas_) canvas::fillBackground(*canvas_, BackColor);
    if (BarHeightPixels == 0) BarHeightPixels = 6;
    if (PDFMaxRows > pdf417::kMaxRows) PDFMaxRows = pdf417::kMaxRows;

    const std::int32_t segment = std::max(PDFMacroSegment, -1);  // every negative: no macro
    pdf417::MacroBlock block;
    if (segment >= 0) {
        pdf417::MacroFields fields;
        fields.segment = segment;
        fields.segmentCount = PDFMacroSegmentCount;
        fields.lastSegment = kSegmentSlots - 2;
        fields.fileId = PDFMacroFileId;
        fields.fileName = PDFMacroFileName;
        fields.timeStamp = PDFMacroTimeStamp;
        fields.sender = PDFMacroSender;
        fields.addressee = PDFMacroAddresse;
        fields.fileSize = PDFMacroFileSize;
        block = pdf417::macroControlBlock(fields);
        if (!block.error.empty()) {
            addNote(Note::Severity::Error, block.error);
            return;
        }
        if (block.skipped > 0)
            addNote(Note::Severity::Warning, std::to_string(block.skipped) +
                                                 " characters of the Macro PDF417 text fields have "
                                                 "no text value and are left out");
    }
    // A counted sequence keeps room for the terminator in every segment, so a segment holds the
    // same data in the dry run and when drawn, whether or not it turns out to be the last.
    const std::int32_t reserve = segment >= 0 && PDFMacroSegmentCount >= 0 && !block.terminated;

    const pdf417::Bytes data(reinterpret_cast<const std::uint8_t*>(Code.data()),
                             std::min<std::size_t>(Code.size(), INT32_MAX));
    const std::size_t start = std::min(
        segment < 1 ? 0
                    : static_cast<std::size_t>(segmentStart_[static_cast<std::size_t>(segment)]),
        data.size());
    const pdf417::FrameOptions options{PDFECLevel, PDFColumns, PDFRows, PDFMaxRows};
    const auto sym = pdf417::frameSymbol(PDFMode, data, start, block.codewords, reserve, options);

    switch (sym.failure) {
        case pdf417::Failure::None:
            break;
        case pdf417::Failure::Rows:
        case pdf417::Failure::Length: {
            const auto text = pdf417::failureText(sym);
            addNote(Note::Severity::Error, text);
            if (canvas_ && PDFMode == pdf417::TEncoding::PDF_BINARY) canvas_->textOut(20, 20, text);
            return;
        }
        case pdf417::Failure::InvalidNumeric:
            addNote(Note::Severity::Error, "Numeric mode encodes only the digits 0 to 9");
            return;
        case pdf417::Failure::UnknownMode:
            addNote(Note::Severity::Error, "PDFMode " +
                                               std::to_string(static_cast<std::int32_t>(PDFMode)) +
                                               " is not a compaction mode");
            return;
    }
    segmentStart_[static_cast<std::size_t>(segment + 1)] = static_cast<std::int32_t>(sym.end);
    if (sym.skipped > 0)
        addNote(Note::Severity::Warning,
                std::to_string(sym.skipped) +
                    " characters have no text compaction value and are left out");
    const bool lastOfSequence =
        segment < 0 || (PDFMacroSegmentCount > 0 && segment + 1 >= PDFMacroSegmentCount);
    if (lastOfSequence && sym.end < data.size())
        addNote(Note::Severity::Warning, "Data cut: the symbol holds " +
                                             std::to_string(sym.end - start) + " of " +
                                             std::to_string(data.size() - start) + " bytes");

    rowCount_ = sym.rows;
    codewords_ = sym.codewords;
    if (!canvas_) return;
    const auto rows =
        pdf417::symbolRows(codewords_, sym.rows, sym.columns, sym.ecLevel, PDFTruncated);
    canvas_->barRows({.left = LeftMargin,
                      .top = TopMargin,
                      .moduleWidth = BarWidthPixels,
                      .rowHeight = BarHeightPixels,
                      .rows = rows,
                      .colour = BarColor});
    canvas_->brush.color = BackColor;
    canvas_->pen.color = kRed;
}

}  // namespace qv
