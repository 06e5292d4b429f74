// POSTNET: tall and short bars of equal width, drawn as rectangles.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "barcode1d/encoder_context.h"

namespace qv::barcode1d {

// The bar symbols of a symbol: "1" tall, "0" short, frame bars included.
std::string postnetSymbols(std::string_view data, bool check, std::vector<Note>& notes);

// One bar per symbol from the drawing position on; "1" tall, "0" short (both end on the same
// row), any other symbol leaves a gap. Every symbol steps by the bar and the gap after it.
void drawPostnetBars(EncoderContext& ctx, std::string_view symbols);

}  // namespace qv::barcode1d
