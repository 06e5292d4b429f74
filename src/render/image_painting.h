// Painting a control that is ready as it is: no host options or conveniences are applied.
#pragma once

#include "quorvantix/render.h"

namespace qv::render {

// renderImage without the scale, quiet zone and conveniences (the caller has applied them).
RenderedImage paintImage(Control& control, ImageFormat format, const RenderOptions& options);
// renderPages likewise.
RenderedImage paintPages(Control& control, ImageFormat format, const RenderOptions& options,
                         std::int32_t pages,
                         const std::function<void(Control&, std::int32_t)>& select);

}  // namespace qv::render
