// Reading a painted symbol back with an independent reader before it goes out, and comparing
// what was read with what the symbol stands for.
#pragma once

#include <cstdint>
#include <string>

#include "quorvantix/control.h"
#include "quorvantix/raster.h"

namespace qv {

struct Verification {
    enum class Outcome : std::uint8_t {
        Passed,       // read, and equal to the data
        Failed,       // not read, or read as something else
        NotVerified,  // the reader cannot read this symbology, or the build has no reader
    };
    Outcome outcome = Outcome::NotVerified;
    std::string expected;  // what the symbol stands for, as the reader would give it
    std::string read;      // what was read; empty when nothing was
    std::string message;   // one line for people: "verified: ...", "read ... instead of ..."
    bool passed() const { return outcome == Outcome::Passed; }
    bool failed() const { return outcome == Outcome::Failed; }
};

// Whether this build carries the reader.
bool canVerify();

// Reads the bitmap, which the control has just painted in full (its last paint), and compares.
Verification verifySymbol(const Control& control, const Bitmap& bitmap);

}  // namespace qv
