// The reader plugin (reader/, quorvantix-reader.so) as its host sees it: plain C, so that no C++
// object or exception crosses between the plugin, which links zxing-cpp and the shared C++
// library, and a program that may carry its own copy of the C++ library. Loading the plugin
// only for --verify keeps zxing-cpp out of every other run's start-up.
#pragma once

#include <stddef.h>
#include <stdint.h>

extern "C" {

// Bumped whenever a struct or call below changes.
#define QV_READER_ABI 1

// The symbologies in the order of qv::verify::Symbology.
struct QvReadRequest {
    const uint8_t* luminance;  // width x height bytes, rows top to bottom, no padding
    int32_t width;
    int32_t height;
    int32_t symbology;
    int32_t code39Extended;  // non-zero: full ASCII shift pairs as ASCII
    int32_t code39CheckSum;  // non-zero: check character verified and removed
    int32_t addOn;           // non-zero: an EAN/UPC add-on is required
    int32_t pure;            // non-zero: the symbol alone in the image, upright
};

// What was read; the strings are valid during the delivery only.
struct QvReadResult {
    int32_t valid;  // zero: nothing was read
    const char* bytes;
    size_t bytesLength;
    const char* text;  // as the reader shows it (an add-on after a space)
    size_t textLength;
    int32_t sequenceIndex;  // Macro PDF417 segment, -1 when none
    int32_t sequenceSize;
    const char* sequenceId;
    size_t sequenceIdLength;
};

typedef void (*QvReadDelivery)(void* context, const struct QvReadResult* result);

// The QV_READER_ABI the plugin was built with.
typedef int32_t (*QvReaderAbi)(void);
// Reads the image and delivers the result once; returns 0, or -1 when the reader itself failed
// (then nothing is delivered).
typedef int32_t (*QvReaderRead)(const struct QvReadRequest* request, QvReadDelivery deliver,
                                void* context);
}
