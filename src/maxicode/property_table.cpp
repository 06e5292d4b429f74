// The published properties of the MaxiCode control, as hosts see them.
#include <array>

#include "quorvantix/maxicode.h"
#include "quorvantix/member_property.h"

namespace qv {
namespace {

TMaxicode& self(Control& c) {
    return static_cast<TMaxicode&>(c);
}

// Plain stored values: reading and writing touch the member only.
template <auto Member>
constexpr auto get = &getMember<TMaxicode, Member>;
template <auto Member>
constexpr auto set = &setMember<TMaxicode, Member>;

void setL(Control& c, const PropertyValue& v) {
    if (const auto* p = std::get_if<double>(&v)) self(c).setL(*p);
}

void setResolution(Control& c, const PropertyValue& v) {
    if (const auto* p = std::get_if<std::int32_t>(&v)) self(c).setResolution(*p);
}

using T = TMaxicode;
using P = PropType;
constexpr auto none = std::nullopt;

const std::array<PropertyInfo, 20> kProperties = {{
    {"offsetX",
     P::Integer,
     "0",
     none,
     false,
     "Horizontal shift of the symbol in pixels",
     {},
     get<&T::offsetX>,
     set<&T::offsetX>},
    {"L",
     P::Double,
     "25.5",
     none,
     false,
     "Nominal symbol size in millimetres; sets the hexagon size for the resolution",
     {},
     get<&T::L>,
     setL},
    {"offsetY",
     P::Integer,
     "0",
     none,
     false,
     "Vertical shift of the symbol in pixels",
     {},
     get<&T::offsetY>,
     set<&T::offsetY>},
    {"TopMargin",
     P::Integer,
     "0",
     "0",
     false,
     "Pixels above the symbol",
     {},
     get<&T::TopMargin>,
     set<&T::TopMargin>},
    {"LeftMargin",
     P::Integer,
     "0",
     "0",
     false,
     "Pixels left of the symbol",
     {},
     get<&T::LeftMargin>,
     set<&T::LeftMargin>},
    {"BackColor",
     P::Color,
     "#FFFFFF",
     "#FFFFFF",
     false,
     "Background and light rings",
     {},
     get<&T::BackColor>,
     set<&T::BackColor>},
    {"BarColor",
     P::Color,
     "#000000",
     "#000000",
     false,
     "Dark hexagons and dark rings",
     {},
     get<&T::BarColor>,
     set<&T::BarColor>},
    {"zipCode",
     P::String,
     "",
     none,
     false,
     "Postal code of modes 2 and 3; empty: taken from structured data",
     {},
     get<&T::zipCode>,
     set<&T::zipCode>},
    {"serviceClass",
     P::String,
     "",
     none,
     false,
     "Class of service of modes 2 and 3",
     {},
     get<&T::serviceClass>,
     set<&T::serviceClass>},
    {"country",
     P::String,
     "",
     none,
     false,
     "Country code of modes 2 and 3",
     {},
     get<&T::country>,
     set<&T::country>},
    {"data", P::String, "", none, false, "The message", {}, get<&T::data>, set<&T::data>},
    {"mode", P::Integer, "4", "4", false, "MaxiCode mode 2 to 6", {}, get<&T::mode>, set<&T::mode>},
    {"numberOfCodes",
     P::Integer,
     "1",
     "1",
     false,
     "Structured append: number of symbols",
     {},
     get<&T::numberOfCodes>,
     set<&T::numberOfCodes>},
    {"positionOfCode",
     P::Integer,
     "1",
     "1",
     false,
     "Structured append: position of this symbol, from 1",
     {},
     get<&T::positionOfCode>,
     set<&T::positionOfCode>},
    {"processTilde",
     P::Boolean,
     "true",
     none,
     false,
     "Expand ~ escapes in the data",
     {},
     get<&T::processTilde>,
     set<&T::processTilde>},
    {"WHexagon",
     P::Integer,
     "7",
     none,
     false,
     "Horizontal pitch of the hexagons in pixels",
     {},
     get<&T::WHexagon>,
     set<&T::WHexagon>},
    {"HHexagon",
     P::Integer,
     "8",
     none,
     false,
     "Height of a hexagon in pixels",
     {},
     get<&T::HHexagon>,
     set<&T::HHexagon>},
    {"preferredWidth",
     P::Integer,
     "210",
     none,
     true,
     "Pixel width of the hexagon grid",
     {},
     get<&T::preferredWidth>,
     nullptr},
    {"preferredHeight",
     P::Integer,
     "200",
     none,
     true,
     "Pixel height of the hexagon grid",
     {},
     get<&T::preferredHeight>,
     nullptr},
    {"resolution",
     P::Integer,
     "200",
     none,
     false,
     "Output resolution in dots per inch; sets the hexagon size for L",
     {},
     get<&T::resolution>,
     setResolution},
}};

}  // namespace

std::span<const PropertyInfo> TMaxicode::properties() const {
    return kProperties;
}

}  // namespace qv
