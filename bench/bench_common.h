// Shared pieces of the benchmark suites. Every benchmark is named "<symbol>/<stage>/<library>",
// stages encode, draw and png, ours also draw8 (into the 8-bit raster image output paints) and
// pngmem (a PNG from it, in memory), plus "<symbol>/floor/memset": a plain memset of an image as
// large as ours, the least any drawing of it can cost. scripts/bench.sh turns the JSON into one
// table, draw8 and pngmem beside the peers' draw and png.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <ZXing/BarcodeFormat.h>

#include "quorvantix/control.h"

namespace qvbench {

struct Image {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Our side of one symbol: the control, set up once; paints encode afresh every time.
struct OurSymbol {
    std::string name;
    std::shared_ptr<qv::Control> control;
    std::function<void()> encodeOnly;   // data to codewords or modules, no drawing
    std::function<void()> beforePaint;  // may be empty
    Image image;
};

// Registers encode, draw (into a fresh bitmap), png (written to a file), draw8, pngmem and the
// memset floor.
void registerOurs(const OurSymbol& symbol);

// zint: one symbol object, cleared and encoded again at every iteration.
struct ZintSymbol {
    std::string name;
    int symbology = 0;
    std::string data;
    float scale = 1.0F;
    bool text = false;
    int option1 = -1;
    int option2 = 0;
    int inputMode = 0;  // DATA_MODE: bytes as they are
    int height = 0;     // 0: the symbology's default
};
void registerZint(const ZintSymbol& symbol);

// zxing-cpp writers: encode is the module matrix at one pixel per module; draw scales it to our
// image size and converts it to 32-bit pixels. It has no PNG writer of its own.
struct ZxingSymbol {
    std::string name;
    ZXing::BarcodeFormat format = ZXing::BarcodeFormat::None;
    std::wstring data;
    int eccLevel = -1;
    bool latin1 = false;  // the data are bytes, not text
    bool draw = true;     // false where its drawing would differ from ours (no text)
    Image image;
};
void registerZxing(const ZxingSymbol& symbol);

// The text of n characters cycled from `pattern`.
std::string cycled(const std::string& pattern, std::size_t n);

// Where PNG files go: a fresh folder in memory-backed storage when there is one, so the disk
// of a shared machine does not decide the numbers.
std::string outputPath(const std::string& file);
void removeOutputFolder();

void registerLinear();
void registerDatamatrix();
void registerPdf417();
void registerMaxicode();

}  // namespace qvbench
