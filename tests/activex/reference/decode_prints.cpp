// decode_prints <folder>...: reads every picture the printing test wrote (<case>-metafile.ref,
// <case>-bitmap.ref) with an independent reader and compares it with the case's data.
#include <cstdio>
#include <string>

#include "decode.h"
#include "drawing_cases.h"
#include "print_cases.h"
#include "quorvantix/raster.h"

namespace {

ZXing::BarcodeFormat formatOf(std::string_view name) {
    if (name == "Code128") return ZXing::BarcodeFormat::Code128;
    if (name == "DataMatrix") return ZXing::BarcodeFormat::DataMatrix;
    if (name == "PDF417") return ZXing::BarcodeFormat::PDF417;
    return ZXing::BarcodeFormat::MaxiCode;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace qv::activex::test;
    if (argc < 2) {
        std::fprintf(stderr, "usage: decode_prints <folder>...\n");
        return 2;
    }
    int failures = 0;
    int read = 0;
    for (int i = 1; i < argc; ++i) {
        for (const PrintCase& c : kPrintCases) {
            for (const char* kind : {"metafile", "bitmap"}) {
                const std::string path =
                    std::string(argv[i]) + "/" + std::string(c.name) + "-" + kind + ".ref";
                Reference picture;
                if (!readReference(path, &picture)) {
                    std::fprintf(stderr, "FAILED: cannot read %s\n", path.c_str());
                    ++failures;
                    continue;
                }
                qv::Bitmap bitmap(picture.width, picture.height);
                std::copy(picture.pixels.begin(), picture.pixels.end(), bitmap.pixels().begin());
                // Row and column 0 hold the background fill's outline, as on the form.
                for (std::int32_t x = 0; x < picture.width; ++x) bitmap.pixels()[x] = 0xFFFFFF;
                for (std::int32_t y = 0; y < picture.height; ++y) {
                    bitmap.pixels()[static_cast<std::size_t>(y) * picture.width] = 0xFFFFFF;
                }
                const auto decoded = qv::test::decode(bitmap, formatOf(c.format));
                if (!decoded.ok || decoded.bytes != c.data) {
                    std::fprintf(stderr, "FAILED: %s reads as \"%s\", not \"%s\"\n", path.c_str(),
                                 decoded.ok ? decoded.bytes.c_str() : "(nothing)",
                                 std::string(c.data).c_str());
                    ++failures;
                } else {
                    ++read;
                }
            }
        }
    }
    std::printf("%d printed pictures read back, %d failed\n", read, failures);
    return failures == 0 ? 0 : 1;
}
