#include "pdf417/macro.h"

#include <algorithm>

#include "pdf417/text_table.h"

namespace qv::pdf417 {
namespace {

// Decimal digits of a non-negative number, left-padded with zeros to at least five.
std::string padded(std::int64_t value) {
    std::string s = std::to_string(value);
    if (s.size() < 5) s.insert(0, 5 - s.size(), '0');
    return s;
}

std::size_t missingFromTextTable(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char ch) {
        return kTextTable[static_cast<unsigned char>(ch)].mode == SubMode::None;
    }));
}

void append(Codewords& out, const Codewords& more) {
    out.insert(out.end(), more.begin(), more.end());
}

}  // namespace

MacroBlock macroControlBlock(const MacroFields& f) {
    MacroBlock block;
    if (f.segment < 0 || f.segment > f.lastSegment) {
        block.error = "Macro PDF417 segment index " + std::to_string(f.segment) +
                      " is outside 0 to " + std::to_string(f.lastSegment);
        return block;
    }
    Codewords& out = block.codewords;
    out.push_back(kMacroMarker);
    append(out, *numberToCodewords(padded(f.segment)));
    for (char ch : f.fileId) out.push_back(static_cast<unsigned char>(ch));
    auto textField = [&](std::int32_t tag, std::string_view text) {
        if (text.empty()) return;
        out.push_back(kMacroField);
        out.push_back(tag);
        append(out, textFieldToCodewords(text));
        block.skipped += missingFromTextTable(text);
    };
    textField(0, f.fileName);
    if (f.segmentCount >= 0) {
        out.push_back(kMacroField);
        out.push_back(1);
        append(out, *numberToCodewords(padded(f.segmentCount)));
    }
    if (f.segment == 0) {
        if (!f.timeStamp.empty()) {
            const auto stamp = numberToCodewords(f.timeStamp);
            if (!stamp) {
                block.error = "Macro PDF417 time stamp is not a number of at most 44 digits";
                block.codewords.clear();
                return block;
            }
            out.push_back(kMacroField);
            out.push_back(2);
            append(out, *stamp);
        }
        textField(3, f.sender);
        textField(4, f.addressee);
        if (f.fileSize > 0) {
            out.push_back(kMacroField);
            out.push_back(5);
            append(out, *numberToCodewords(std::to_string(f.fileSize)));
        }
    }
    if (f.segmentCount >= 0 && static_cast<std::int64_t>(f.segment) + 1 == f.segmentCount) {
        out.push_back(kMacroTerminator);
        block.terminated = true;
    }
    return block;
}

}  // namespace qv::pdf417
