// Everything a linear encoder reads and writes during one paint.
#pragma once

#include <cstdint>
#include <vector>

#include "barcode1d/pattern_sink.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/control.h"

namespace qv::barcode1d {

struct EncoderContext {
    // The property values of this paint. props.Code is the tilde-expanded working copy; an
    // encoder may change it (the control restores it after the paint), and may write codeText,
    // codeSup and Code128Set.
    Barcode1DProperties& props;
    PatternSink& sink;
    LayoutMarks& marks;
    // Data left out, padded, cut, or not representable: the control's diagnostics.
    std::vector<Note>& notes;

    std::int64_t narrowWidth() const { return props.X; }
    std::int64_t wideWidth() const { return std::int64_t{props.X} * props.N; }
    void note(Note::Severity severity, std::string text) {
        notes.push_back(Note{severity, std::move(text)});
    }
};

// One encoder per symbology; each draws from sink.x() onwards.
using Encoder = void (*)(EncoderContext&);

}  // namespace qv::barcode1d
