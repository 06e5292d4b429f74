// make_references <folder>: paints every drawing case with the native raster canvas and writes
// <folder>/<case>.ref for the Windows canvas comparison, and <case>.window.ref with what the
// paint handler shows in a window of the case's size.
#include <cstdio>
#include <string>
#include <utility>

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
        // The paint handler's output on a window of the case's size, outline and all, for the
        // controls sited in a container; the text cells are those of paintBarcode.
        qv::Bitmap window(c.width, c.height);
        makeControl(c, &error)->paint(window.canvas());
        const Reference painted{
            c.width, c.height, recorder.cells(), {window.pixels().begin(), window.pixels().end()}};
        const std::string base = std::string(argv[1]) + "/" + std::string(c.name);
        for (const auto& [path, r] :
             {std::pair<std::string, const Reference*>{base + ".ref", &reference},
              std::pair<std::string, const Reference*>{base + ".window.ref", &painted}}) {
            if (!writeReference(path, *r)) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                ++failures;
            }
        }
    }
    return failures;
}
