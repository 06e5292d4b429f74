// make_references <folder>: paints every drawing case with the native raster canvas and writes
// <folder>/<case>.ref for the Windows canvas comparison.
#include <cstdio>
#include <string>

#include "drawing_cases.h"
#include "quorvantix/raster.h"

int main(int argc, char** argv) {
    using namespace qv::activex::test;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_references <folder>\n");
        return 2;
    }
    int failures = 0;
    for (const DrawingCase& c : kDrawingCases) {
        std::string error;
        auto control = makeControl(c, &error);
        if (!control) {
            std::fprintf(stderr, "%s: %s\n", std::string(c.name).c_str(), error.c_str());
            ++failures;
            continue;
        }
        qv::Bitmap bitmap(c.width, c.height);
        TextCellRecorder recorder(bitmap.canvas());
        control->paintBarcode(recorder);
        Reference reference{
            c.width, c.height, recorder.cells(), {bitmap.pixels().begin(), bitmap.pixels().end()}};
        const std::string path = std::string(argv[1]) + "/" + std::string(c.name) + ".ref";
        if (!writeReference(path, reference)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures;
}
