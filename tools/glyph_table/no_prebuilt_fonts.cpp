// The generator's own engine has no table yet: it renders every size.
#include "canvas/prebuilt_fonts.h"

namespace qv::canvas {

std::span<const PrebuiltFont> prebuiltFonts() {
    return {};
}

}  // namespace qv::canvas
