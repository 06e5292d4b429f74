#include <exception>

#include "barcode1d/canvas_sink.h"
#include "barcode1d/encoder_table.h"
#include "barcode1d/nominal_length.h"
#include "barcode1d/pixel_math.h"
#include "barcode1d/text_helpers.h"
#include "barcode1d/text_layout.h"
#include "canvas/background_fill.h"
#include "quorvantix/barcode1d.h"

namespace qv {

void TBarcode1D::paintBarcode(Canvas& canvas) {
    using namespace barcode1d;
    clearNotes();
    codeText.clear();
    L = computeNominalLength(*this);
    if (BarHeightPixels == 0) BarHeightPixels = roundToInt32(static_cast<double>(L) * H);

    CanvasSink sink(canvas, *this, LeftMargin);
    // A bar-like rectangle: its width counts the outline, which keeps the canvas's pen colour.
    canvas::fillBackground(canvas, BackColor, 1);
    marks_.symbolEnd = 0;

    // Tilde expansion, check digits, padding and cutting last only for this paint.
    std::string kept = Code;
    std::vector<Note> notes;
    try {
        if (ProcessTilde) Code = expandTildes(Code);
        EncoderContext ctx{*this, sink, marks_, notes};
        if (const Encoder encode = encoderFor(barType))
            encode(ctx);
        else
            ctx.note(Note::Severity::Error, "barType " + std::to_string(static_cast<int>(barType)) +
                                                " has no encoder: no symbol drawn");
    } catch (const std::exception& e) {
        notes.push_back(Note{Note::Severity::Error, std::string("encoding failed: ") + e.what()});
    }
    sink.flush();
    Code = std::move(kept);
    for (auto& n : notes) addNote(n.severity, std::move(n.text));

    if (marks_.symbolEnd == 0) marks_.symbolEnd = sink.x();
    if (textOverride)
        codeText = *textOverride;
    else if (codeText.empty())
        codeText = Code;
    canvas.brush.color = BackColor;
    if (!Font) return;
    canvas.font = *Font;
    canvas.brush.color = BackColor;
    layoutText(canvas, *this, marks_);
}

}  // namespace qv
