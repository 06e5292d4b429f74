// The published properties of the MaxiCode control, in declaration order.
#include <array>

#include "quorvantix/maxicode.h"
#include "quorvantix/member_property.h"

namespace qv {
namespace {

// L and resolution are the two properties whose setters do more than store the value.
void setL(Control& c, const PropertyValue& v) {
    if (const auto* p = std::get_if<double>(&v)) static_cast<TMaxicode&>(c).setL(*p);
}

void setResolution(Control& c, const PropertyValue& v) {
    if (const auto* p = std::get_if<std::int32_t>(&v)) static_cast<TMaxicode&>(c).setResolution(*p);
}

using C = TMaxicode;
using T = PropType;
constexpr auto none = std::nullopt;

const std::array kProperties = {
    propertyRow<C, &C::offsetX>("offsetX", T::Integer, "0", none,
                                "Horizontal shift of the symbol in pixels."),
    propertyRow<C, &C::L>(
        "L", T::Double, "25.5", none,
        "Nominal symbol size in millimetres; sets the hexagon size for the resolution.",
        {.set = setL}),
    propertyRow<C, &C::offsetY>("offsetY", T::Integer, "0", none,
                                "Vertical shift of the symbol in pixels."),
    propertyRow<C, &C::TopMargin>("TopMargin", T::Integer, "0", "0", "Pixels above the symbol."),
    propertyRow<C, &C::LeftMargin>("LeftMargin", T::Integer, "0", "0",
                                   "Pixels left of the symbol."),
    propertyRow<C, &C::BackColor>("BackColor", T::Color, "#FFFFFF", "#FFFFFF",
                                  "Background and light rings."),
    propertyRow<C, &C::BarColor>("BarColor", T::Color, "#000000", "#000000",
                                 "Dark hexagons and dark rings."),
    propertyRow<C, &C::zipCode>("zipCode", T::String, "", none,
                                "Postal code of modes 2 and 3; empty: taken from structured data."),
    propertyRow<C, &C::serviceClass>("serviceClass", T::String, "", none,
                                     "Class of service of modes 2 and 3."),
    propertyRow<C, &C::country>("country", T::String, "", none, "Country code of modes 2 and 3."),
    propertyRow<C, &C::data>("data", T::String, "", none, "The message."),
    propertyRow<C, &C::mode>("mode", T::Integer, "4", "4", "MaxiCode mode 2 to 6."),
    propertyRow<C, &C::numberOfCodes>("numberOfCodes", T::Integer, "1", "1",
                                      "Structured append: number of symbols."),
    propertyRow<C, &C::positionOfCode>("positionOfCode", T::Integer, "1", "1",
                                       "Structured append: position of this symbol, from 1."),
    propertyRow<C, &C::processTilde>("processTilde", T::Boolean, "true", none,
                                     "Expand ~ escapes in the data."),
    propertyRow<C, &C::WHexagon>("WHexagon", T::Integer, "7", none,
                                 "Horizontal pitch of the hexagons in pixels."),
    propertyRow<C, &C::HHexagon>("HHexagon", T::Integer, "8", none,
                                 "Height of a hexagon in pixels."),
    propertyRow<C, &C::preferredWidth>("preferredWidth", T::Integer, "210", none,
                                       "Pixel width of the hexagon grid.", kReadOnly),
    propertyRow<C, &C::preferredHeight>("preferredHeight", T::Integer, "200", none,
                                        "Pixel height of the hexagon grid.", kReadOnly),
    propertyRow<C, &C::resolution>(
        "resolution", T::Integer, "200", none,
        "Output resolution in dots per inch; sets the hexagon size for L.", {.set = setResolution}),
};
static_assert(kProperties.size() == 20);

}  // namespace

std::span<const PropertyInfo> TMaxicode::properties() const {
    return kProperties;
}

}  // namespace qv
