// The tilde expansion shared by the linear and MaxiCode controls, the lenient integer reading,
// and the Data Matrix escapes. The first byte picks the function; the rest is the text.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/text_conversions.h"
#include "datamatrix/escapes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 4) {
        case 0: {
            // An expansion never lengthens the text.
            if (qv::core::expandTildes(text).size() > text.size()) std::abort();
            break;
        }
        case 1: {
            (void)qv::core::textToInt(text);
            // A note's escaped text reads back to the original when it is not cut.
            const std::string shown = qv::core::escapeForNote(text, text.size() + 1);
            if (qv::core::expandTildes(shown) != text) std::abort();
            break;
        }
        case 2: {
            const auto escaped = qv::datamatrix::expandEscapes(text);
            if (escaped.data.text.size() > qv::datamatrix::kMaxData + 1) std::abort();
            if (escaped.data.marks.size() > escaped.data.text.size()) std::abort();
            break;
        }
        default:
            (void)qv::datamatrix::plainText(text);
            break;
    }
    return 0;
}
