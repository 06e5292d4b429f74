#include "quorvantix/control.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "quorvantix/raster.h"

namespace qv {

void Control::paint(Canvas& window) {
    const std::int32_t w = std::max(Width, 0);
    const std::int32_t h = std::max(Height, 0);
    if (std::int64_t{w} * h > Bitmap::maxPixels) {
        // Refused rather than allocating gigabytes; the window keeps what it shows.
        clearNotes();
        addNote(Note::Severity::Error, "control size " + std::to_string(w) + " x " +
                                           std::to_string(h) + " is too large to paint");
        return;
    }
    try {
        // Freed on every path out, exceptions included.
        std::optional<Bitmap> bitmap;
        bitmap.emplace(w, h);
        paintBarcode(bitmap->canvas());
        window.copyRect(Rect{0, 0, w, h}, bitmap->canvas(), Rect{0, 0, w, h});
    } catch (const std::exception& e) {
        // Nothing is thrown to a host; the failure is readable afterwards.
        addNote(Note::Severity::Error, std::string("paint failed: ") + e.what());
    }
}

}  // namespace qv
