// Painting a control that is ready as it is: no host options or conveniences are applied.
#pragma once

#include "quorvantix/render.h"

namespace qv::render {

// renderImage without the scale, quiet zone and conveniences (the caller has applied them).
RenderedImage paintImage(Control& control, ImageFormat format, const RenderOptions& options);

}  // namespace qv::render
