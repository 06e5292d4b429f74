// One call from a control to an image: PNG, SVG, PDF or EPS bytes, or a file, sized to fit the
// symbol.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvantix/control.h"
#include "quorvantix/verify.h"

namespace qv {

enum class ImageFormat : std::uint8_t { Png, Svg, Pdf, Eps };

// By the file's extension (.png, .svg, .pdf, .eps, any case); nullopt for any other.
std::optional<ImageFormat> imageFormatOf(std::string_view path);

// Largest image made, side by side and in total (a raster of 4 bytes a pixel).
inline constexpr std::int32_t kMaxImageSide = 20000;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 26;

// Whether an image of this size may be made; the message says why not.
std::optional<std::string> checkImageSize(std::int64_t width, std::int64_t height);

// Names of the integer properties whose sum is the distance of the drawing from the left and top
// edges; a fitted image repeats that distance on the right and below. An empty name counts 0;
// both names of a side empty: the distance of what the paint draws from that edge.
struct FitMargins {
    std::string_view left, leftOffset;
    std::string_view top, topOffset;
};

// The control's own margins, by its property table: "Margin" for both sides, else "LeftMargin"
// and "TopMargin", each with "offsetX" / "offsetY" where the control has them.
FitMargins standardMargins(const Control& control);

struct RenderOptions {
    // Image size in pixels; 0 x 0 fits the symbol and its margins.
    std::int32_t width = 0;
    std::int32_t height = 0;
    // Default: standardMargins(control).
    std::optional<FitMargins> margins = std::nullopt;
    // Multiplies the module size and the pixel distances that stand for modules (built-in
    // controls; host.h names them per control).
    std::optional<std::int32_t> scale = std::nullopt;
    // Sets the left and top margins to this many modules; a fitted image repeats them.
    std::optional<std::int32_t> quietZone = std::nullopt;
    // Instead of quietZone: each symbology's standard quiet zone on all four sides (built-in
    // controls).
    bool standardQuietZone = false;
    // A warning note (data left out, padded or cut) counts as an error: nothing is written.
    bool strict = false;
    // The data is GS1 element strings, "(01)09501101530003(10)ABC" (EAN-128 and Data Matrix):
    // checked against the GS1 syntax dictionary before anything is drawn, FNC1 placed, and the
    // AIs in parentheses in the text under a linear symbol. A failed check is an error note.
    bool gs1 = false;
    bool gs1NoCheck = false;      // with gs1: no checks, for test symbols
    bool gs1GsSeparator = false;  // with gs1, Data Matrix: GS (29) between fields, not FNC1
    // renderToFile: the file is on disk (flushed) before the call returns, not only in place.
    bool sync = false;
    // Resolution of the printer, dots per inch: a pixel is one dot. PNG files carry it (pHYs),
    // SVG, PDF and EPS are sized in millimetres or points by it. Without it PDF and EPS take
    // 96 dots per inch (a CSS pixel) and SVG stays in pixels.
    std::optional<double> dotsPerInch = std::nullopt;
    // Physical sizes, in millimetres, made whole dots at dotsPerInch (built-in controls): the
    // X-dimension (module size), the bar height (PDF417: the row height) and the quiet zone.
    std::optional<double> xDimension = std::nullopt;
    std::optional<double> barHeight = std::nullopt;
    std::optional<double> quietZoneLength = std::nullopt;
    // Clockwise quarter turns of the finished image: 0, 90, 180 or 270 degrees.
    std::int32_t rotation = 0;
    // The background (pixels in BackColor) is left unpainted.
    bool transparent = false;
    // The exact raster is read back before the image is made; a mismatch writes no file.
    bool verify = false;
};

struct ImageSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct RenderedImage {
    std::vector<std::uint8_t> bytes;  // the encoded image; empty when `error` is set
    ImageSize size;
    std::vector<Note> notes;  // what the paint left out, padded or could not represent
    std::string error;        // why there is no image (or, for a file, why none was written)
    // With `error`: the image needs a library this machine lacks (FreeType for text other than
    // the built-in sizes, cairo for PDF and EPS); the request itself is sound.
    bool unavailable = false;
    // With RenderOptions::verify: one per painted symbol (each page of a document).
    std::vector<Verification> verifications;
    bool ok() const { return error.empty(); }
    // A symbol read back as something else, or not at all.
    bool verifyFailed() const;
};

// The size that fits what the control paints plus its margins, measured by painting it once.
// nullopt, with the reason in *error, when that passes the size limit.
std::optional<ImageSize> fitImageSize(Control& control, const std::optional<FitMargins>& margins,
                                      std::string* error);

// Paints the control into an image of the format asked for. The canvas's pen starts in the
// control's BackColor, so the background fill leaves no outline. For the built-in controls the
// scale and quiet zone of `options` and the host conveniences of host.h apply for this paint
// only: a Data Matrix symbol is built from the current data, and UPC-E follows the number
// system of the data unless UPCESytem was changed from its initial value. The properties they
// write are restored afterwards; the results of the paint stay.
RenderedImage renderImage(Control& control, ImageFormat format, const RenderOptions& options = {});

// renderImage to the file, by its extension, written atomically. Writes nothing when the
// extension is unknown, the image cannot be made, the write fails, a note is an error (the symbol
// would not stand for the data; with options.strict, any note), or a verification failed;
// `error` says which.
RenderedImage renderToFile(Control& control, const std::string& path,
                           const RenderOptions& options = {});

// Several symbols of one control in one image: `select(control, i)` before the paint of page i
// (Macro PDF417 segments). A PDF holds a page each; the other formats hold one symbol, the last.
// The notes are those of every page, each prefixed "page N of M: " when there are several.
RenderedImage renderPages(Control& control, ImageFormat format, const RenderOptions& options,
                          std::int32_t pages,
                          const std::function<void(Control&, std::int32_t)>& select);

}  // namespace qv
