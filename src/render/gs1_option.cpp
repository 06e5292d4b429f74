#include "render/gs1_option.h"

namespace qv::render {

gs1::Applied applyGs1Option(Control& control, const RenderOptions& options) {
    if (!options.gs1) return {};
    gs1::Options o;
    o.check = !options.gs1NoCheck;
    o.datamatrixSeparator =
        options.gs1GsSeparator ? gs1::Separator::GroupSeparator : gs1::Separator::Fnc1;
    return gs1::applyGs1(control, o);
}

}  // namespace qv::render
