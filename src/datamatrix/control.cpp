#include <algorithm>
#include <limits>
#include <string>

#include "canvas/background_fill.h"
#include "core/int_clamp.h"
#include "datamatrix/encodation.h"
#include "datamatrix/escapes.h"
#include "datamatrix/placement.h"
#include "datamatrix/symbol_size.h"
#include "quorvantix/datamatrix.h"

namespace qv {
namespace {

using core::clampToInt32;

std::string formatName(TFormat f) {
    const auto s = datamatrix::sizeOf(f);
    return s ? std::to_string(s->rows) + " x " + std::to_string(s->columns) : "AUTO";
}

}  // namespace

bool TDatamatrix::module(std::int32_t column, std::int32_t row) const {
    if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return false;
    return modules_[static_cast<std::size_t>(row * columns_ + column)] != 0;
}

void TDatamatrix::buildSymbol() {
    using namespace datamatrix;
    rebuild = false;
    buildNotes_.clear();
    auto note = [&](Note::Severity severity, std::string text) {
        buildNotes_.push_back(Note{severity, std::move(text)});
    };
    const char* keeps = rows_ > 0 ? "; the previous symbol stays" : "; nothing is drawn";

    MarkedText data;
    bool tooLong = Code.size() > kMaxData;
    if (ProcessTilde) {
        Escaped escaped = expandEscapes(Code);
        if (escaped.dropped > 0)
            note(Note::Severity::Warning,
                 std::to_string(escaped.dropped) + " \"~\" without a known escape left out");
        data = std::move(escaped.data);
        tooLong = data.size() > kMaxData;
    } else if (!tooLong) {
        data = plainText(Code);
    }
    if (tooLong) {
        note(Note::Severity::Error, "the data has more than " + std::to_string(kMaxData) +
                                        " characters; " + std::to_string(kMaxCapacity) +
                                        " codewords is the most a symbol holds" + keeps);
        return;
    }
    if (data.size() == 0) {
        note(Note::Severity::Error, std::string("no data to encode") + keeps);
        return;
    }

    const auto encoding = static_cast<std::int32_t>(Encoding);
    TEncoding used = Encoding;
    if (encoding < 0 || encoding > static_cast<std::int32_t>(TEncoding::E_AUTO)) {
        used = TEncoding::E_ASCII;
        note(Note::Severity::Warning,
             "Encoding " + std::to_string(encoding) + " is no encodation; E_ASCII is used");
    }
    Encoded encoded = encodeCodewords(data, used);
    const std::size_t needed = encoded.codewords.size();
    auto stream = buildCodewordStream(std::move(encoded), PreferredFormat);
    if (!stream) {
        note(Note::Severity::Error, "the data needs " + std::to_string(needed) + " codewords; " +
                                        std::to_string(kMaxCapacity) +
                                        " is the most a symbol holds" + keeps);
        return;
    }
    if (PreferredFormat != TFormat::AUTO && stream->format != PreferredFormat) {
        const auto number = std::to_string(static_cast<std::int32_t>(PreferredFormat));
        note(Note::Severity::Warning,
             "PreferredFormat " +
                 (sizeOf(PreferredFormat) ? formatName(PreferredFormat) + " does not hold the data"
                                          : number + " is no size") +
                 "; " + formatName(stream->format) + " is used");
    }

    const SymbolSize size = *sizeOf(stream->format);
    buildModules(size, stream->codewords, modules_);
    rows_ = size.rows;
    columns_ = size.columns;
    CalculatedFormat = stream->format;
}

void TDatamatrix::paintBarcode(Canvas& canvas) {
    if (rebuild) buildSymbol();
    clearNotes();
    for (const auto& n : buildNotes_) addNote(n.severity, n.text);

    canvas::fillBackground(canvas, BackColor);

    drawModules(canvas);
    CurrentX = clampToInt32(std::int64_t{Margin} + std::int64_t{columns_} * PixelsDot);
    CurrentY = clampToInt32(std::int64_t{Margin} + std::int64_t{rows_} * PixelsDot);
}

void TDatamatrix::drawModules(Canvas& canvas) {
    canvas.moduleGrid({.left = Margin,
                       .top = Margin,
                       .pitch = PixelsDot,
                       .columns = columns_,
                       .rows = rows_,
                       .modules = modules_,
                       .dark = BarColor,
                       .light = BackColor});
}

}  // namespace qv
