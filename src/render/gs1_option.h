// GS1 mode of the host options, applied to a control before it paints.
#pragma once

#include "quorvantix/gs1.h"
#include "quorvantix/render.h"

namespace qv::render {

// Nothing (and no notes) unless options.gs1; else gs1::applyGs1 with the options' settings.
gs1::Applied applyGs1Option(Control& control, const RenderOptions& options);

}  // namespace qv::render
