// Paints a control into the bytes of an image file of any format, with the print options:
// resolution, rotation, transparency and read-back.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quorvantix/render.h"
#include "quorvantix/verify.h"

namespace qv {
class PageDocument;
}

namespace qv::render {

class ImageWriter {
  public:
    ImageWriter(ImageFormat format, const RenderOptions& options);
    ~ImageWriter();
    ImageWriter(const ImageWriter&) = delete;
    ImageWriter& operator=(const ImageWriter&) = delete;

    // Paints the control at `size` (before turning). Every call is a page of a PDF; PNG, SVG and
    // EPS hold the last. With options.verify the exact raster of the paint is read back.
    void paint(Control& control, ImageSize size);
    // The image as painted, turned.
    ImageSize size() const { return size_; }
    // One per paint, with options.verify.
    const std::vector<Verification>& verifications() const { return verifications_; }

    // The file's bytes; empty, with *error set, on failure.
    std::vector<std::uint8_t> finish(std::string* error);
    // After a failed finish: the failure is a library this machine lacks (FreeType for text,
    // cairo for PDF and EPS), not the request.
    bool unavailable() const { return unavailable_; }

  private:
    ImageFormat format_;
    RenderOptions options_;
    ImageSize size_;
    std::vector<std::uint8_t> bytes_;
    std::string error_;
    bool unavailable_ = false;
    std::unique_ptr<PageDocument> document_;
    std::vector<Verification> verifications_;
};

}  // namespace qv::render
