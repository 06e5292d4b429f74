#include "render/image_writer.h"

#include "canvas/font_libraries.h"
#include "quorvantix/indexed_bitmap.h"
#include "quorvantix/page.h"
#include "quorvantix/png.h"
#include "quorvantix/raster.h"
#include "quorvantix/svg.h"
#include "render/raster_print.h"

namespace qv::render {
namespace {

TColor backColor(const Control& control) {
    const PropertyInfo* info = findProperty(control.properties(), "BackColor");
    if (info && info->get) {
        const PropertyValue v = info->get(control);
        if (std::holds_alternative<std::int32_t>(v))
            return static_cast<TColor>(std::get<std::int32_t>(v));
    }
    return 0xFFFFFF;
}

std::int32_t quarterTurns(std::int32_t degrees) {
    return ((degrees % 360) + 360) % 360 / 90 * 90;
}

// The control painted on a fresh bitmap, its pen in the background colour.
template <class Raster>
std::unique_ptr<Raster> painted(Control& control, ImageSize size, TColor back) {
    auto bitmap = std::make_unique<Raster>(size.width, size.height);
    bitmap->canvas().pen.color = back;
    control.paintBarcode(bitmap->canvas());
    return bitmap;
}

// A picture without the text it was asked to show is not the picture: none is made, and the
// failure is the machine's (a missing library), not the request's.
template <class Raster>
bool whole(const Raster& bitmap, std::string& error, bool& unavailable) {
    if (!bitmap.textLeftOut()) return true;
    unavailable = true;
    error = "the text cannot be drawn: FreeType could not be loaded (" + canvas::freetypeError() +
            "); install it (Debian: libfreetype6), or draw without text or in the default font "
            "at its usual size";
    return false;
}

// An upright PNG is painted in palette indices, which a quarter of the pixel memory makes
// cheaper; a paint of more than 256 colours, a turned image and one to be read back (which reads
// 32-bit pixels: one paint serves both) in 32-bit pixels.
std::vector<std::uint8_t> pngOf(Control& control, ImageSize size, TColor back, std::int32_t turn,
                                bool readBack, std::unique_ptr<Bitmap>& raster, std::string& error,
                                bool& unavailable) {
    if (turn == 0 && !readBack) {
        const auto indexed = painted<IndexedBitmap>(control, size, back);
        if (!whole(*indexed, error, unavailable)) return {};
        if (indexed->exact()) return encodePng(*indexed);
    }
    raster = painted<Bitmap>(control, size, back);
    if (!whole(*raster, error, unavailable)) return {};
    return encodePng(turn != 0 ? *turned(*raster, turn) : *raster);
}

}  // namespace

ImageWriter::ImageWriter(ImageFormat format, const RenderOptions& options)
    : format_(format), options_(options) {
    options_.rotation = quarterTurns(options_.rotation);
}

ImageWriter::~ImageWriter() = default;

void ImageWriter::paint(Control& control, ImageSize size) {
    const TColor back = backColor(control);
    const std::int32_t turn = options_.rotation;
    const bool sideways = turn == 90 || turn == 270;
    size_ = sideways ? ImageSize{size.height, size.width} : size;
    std::unique_ptr<Bitmap> raster;
    switch (format_) {
        case ImageFormat::Png: {
            bytes_ =
                pngOf(control, size, back, turn, options_.verify, raster, error_, unavailable_);
            PngExtras extras{options_.dotsPerInch, std::nullopt};
            if (options_.transparent) extras.transparent = back;
            if ((extras.dotsPerInch || extras.transparent) && !bytes_.empty() &&
                !addPngChunks(bytes_, extras, &error_)) {
                bytes_.clear();
            }
            break;
        }
        case ImageFormat::Svg: {
            SvgCanvas svg(size.width, size.height);
            svg.pen.color = back;
            control.paintBarcode(svg);
            std::string doc;
            if (options_.dotsPerInch || turn != 0 || options_.transparent) {
                SvgCanvas::Page page{options_.dotsPerInch, turn, std::nullopt};
                if (options_.transparent) page.transparent = back;
                doc = svg.document(page);
            } else {
                doc = svg.document();
            }
            bytes_.assign(doc.begin(), doc.end());
            break;
        }
        case ImageFormat::Pdf:
        case ImageFormat::Eps: {
            if (!document_ || format_ == ImageFormat::Eps) {
                PageSetup setup;
                setup.dotsPerInch = options_.dotsPerInch.value_or(setup.dotsPerInch);
                setup.rotation = turn;
                setup.background = back;
                setup.transparent = options_.transparent;
                document_ = std::make_unique<PageDocument>(
                    format_ == ImageFormat::Pdf ? PageFormat::Pdf : PageFormat::Eps, setup);
            }
            Canvas& page = document_->addPage(size.width, size.height);
            page.pen.color = back;
            control.paintBarcode(page);
            break;
        }
    }
    if (options_.verify) {
        if (!raster) {
            raster = painted<Bitmap>(control, size, back);
            whole(*raster, error_, unavailable_);
        }
        verifications_.push_back(verifySymbol(control, *raster));
    }
}

std::vector<std::uint8_t> ImageWriter::finish(std::string* error) {
    if (document_) {
        bytes_ = document_->finish(&error_);
        unavailable_ = unavailable_ || !document_->available();
    }
    if (bytes_.empty() && error_.empty()) error_ = "the image could not be encoded";
    if (!error_.empty()) {
        if (error) *error = error_;
        return {};
    }
    return std::move(bytes_);
}

}  // namespace qv::render
