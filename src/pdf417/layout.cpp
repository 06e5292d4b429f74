#include "pdf417/layout.h"

#include <algorithm>

#include "pdf417/error_correction.h"

namespace qv::pdf417 {
namespace {

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return (a + b - 1) / b;
}

}  // namespace

Symbol frameSymbol(TEncoding mode, Bytes data, std::size_t start,
                   std::span<const std::int32_t> macroBlock, std::int32_t reserve,
                   const FrameOptions& options) {
    Symbol sym;
    sym.ecLevel = effectiveEcLevel(options.ecLevel);
    sym.columns = effectiveColumns(options.columns);
    start = std::min(start, data.size());
    sym.end = start;
    const std::int64_t ec = ecCount(sym.ecLevel);
    const std::int64_t c = sym.columns;
    const std::int64_t maxRows = std::min(options.maxRows, kMaxRows);
    const std::int64_t mc = maxRows <= 0 ? kMaxCodewords : maxRows * c;
    const auto blockLength = static_cast<std::int64_t>(macroBlock.size());
    const std::int64_t m = blockLength + std::max(reserve, 0);

    // Estimate of the codewords needed; text and numeric compact first.
    std::int64_t needed = 0;
    TextCompacted text;
    Codewords numeric;
    switch (mode) {
        case TEncoding::PDF_BINARY: {
            const auto b = static_cast<std::int64_t>(data.size() - start);
            needed = std::min(m + (b / 6) * 5 + (b % 6) + ec + 2, mc);
            break;
        }
        case TEncoding::PDF_TEXT: {
            // The text limit stays within the largest symbol that can be drawn, so that every
            // character counted as taken is really encoded.
            const std::int64_t drawable = std::min<std::int64_t>(kMaxRows, kMaxCodewords / c) * c;
            text = textCompaction(data, start, std::min(mc, drawable) - ec - m);
            sym.skipped = text.skipped;
            needed = m + static_cast<std::int64_t>(text.codewords.size()) + 1 + ec;
            break;
        }
        case TEncoding::PDF_NUMERIC: {
            auto digits = numericCompaction(data, start);
            if (!digits) {
                sym.failure = Failure::InvalidNumeric;
                return sym;
            }
            numeric = std::move(*digits);
            needed = m + static_cast<std::int64_t>(numeric.size()) + ec + 2;
            break;
        }
        default:
            sym.failure = Failure::UnknownMode;
            return sym;
    }

    std::int64_t r = std::max<std::int64_t>(ceilDiv(needed, c), 3);
    if (r > kMaxRows) {
        sym.failure = Failure::Rows;
        sym.failureValue = r;
        return sym;
    }
    if (options.rows >= r) r = std::min(options.rows, kMaxRows);
    const std::int64_t total = r * c;
    // The frame (descriptor, latch, macro block, error correction) must fit: byte mode caps its
    // estimate at the row limit, which can leave less room than that.
    const std::int64_t frame = ec + m + (mode == TEncoding::PDF_TEXT ? 1 : 2);
    if (total > kMaxCodewords || total < frame) {
        sym.failure = Failure::Length;
        sym.failureValue = total;
        return sym;
    }

    Codewords& cw = sym.codewords;
    cw.assign(static_cast<std::size_t>(total), kPad);
    const std::int64_t macroAt = total - ec - blockLength;
    std::size_t end = start;
    switch (mode) {
        case TEncoding::PDF_BINARY:
            end = byteCompaction(data, start, cw, total - ec - m);
            break;
        case TEncoding::PDF_TEXT:
            std::copy(text.codewords.begin(), text.codewords.end(), cw.begin() + 1);
            end = text.end;
            break;
        default:
            cw[1] = kNumericLatch;
            std::copy(numeric.begin(), numeric.end(), cw.begin() + 2);
            end = data.size();
            break;
    }
    std::copy(macroBlock.begin(), macroBlock.end(), cw.begin() + macroAt);
    cw[0] = static_cast<std::int32_t>(total - ec);
    appendErrorCorrection(cw, static_cast<std::size_t>(total - ec), sym.ecLevel);
    sym.rows = static_cast<std::int32_t>(r);
    sym.end = end;
    return sym;
}

std::string failureText(const Symbol& symbol) {
    switch (symbol.failure) {
        case Failure::Rows:
            return "Configuration not posible, rows= " + std::to_string(symbol.failureValue);
        case Failure::Length:
            return "Configuration not posible, length=" + std::to_string(symbol.failureValue);
        default:
            return {};
    }
}

}  // namespace qv::pdf417
