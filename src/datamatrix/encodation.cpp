#include "datamatrix/encodation.h"

#include "datamatrix/ascii.h"
#include "datamatrix/automatic.h"
#include "datamatrix/base256.h"
#include "datamatrix/c40_text.h"

namespace qv::datamatrix {
namespace {

// Each character is its own codeword; a function character keeps its parameter bytes, without
// which its codeword would swallow the data after it.
Encoded encodeNone(const MarkedText& t) {
    Encoded e;
    e.finalMode = Mode::None;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t.marked(i))
            appendFunction(t, i, e.codewords);
        else
            e.codewords.push_back(t.at(i));
    }
    return e;
}

}  // namespace

Encoded encodeCodewords(const MarkedText& text, TEncoding encoding) {
    switch (encoding) {
        case TEncoding::E_C40:
            return encodeC40Text(text, false);
        case TEncoding::E_TEXT:
            return encodeC40Text(text, true);
        case TEncoding::E_BASE256:
            return encodeBase256(text);
        case TEncoding::E_NONE:
            return encodeNone(text);
        case TEncoding::E_AUTO:
            return encodeAutomatic(text);
        case TEncoding::E_ASCII:
            break;
    }
    return encodeAscii(text);
}

}  // namespace qv::datamatrix
