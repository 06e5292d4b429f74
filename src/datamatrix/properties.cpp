// The published properties of the Data Matrix control, in declaration order.
#include <array>
#include <type_traits>

#include "quorvantix/datamatrix.h"
#include "quorvantix/member_property.h"

namespace qv {
namespace {

constexpr std::string_view kFormatNames[] = {
    "AUTO",     "C10X10", "C12X12", "C14X14", "C16X16", "C18X18",   "C20X20",   "C22X22",
    "C24X24",   "C26X26", "C32X32", "C36X36", "C40X40", "C44X44",   "C48X48",   "C52X52",
    "C64X64",   "C72X72", "C80X80", "C88X88", "C96X96", "C104X104", "C120X120", "C132X132",
    "C144X144", "C8X18",  "C8X32",  "C12X26", "C12X36", "C16X36",   "C16X48",
};
static_assert(std::size(kFormatNames) == static_cast<std::size_t>(TFormat::C16X48) + 1);

constexpr std::string_view kEncodingNames[] = {"E_ASCII",   "E_C40",  "E_TEXT",
                                               "E_BASE256", "E_NONE", "E_AUTO"};
static_assert(std::size(kEncodingNames) == static_cast<std::size_t>(TEncoding::E_AUTO) + 1);

template <auto Member>
constexpr auto get = &getMember<TDatamatrix, Member>;
template <auto Member>
constexpr auto set = &setMember<TDatamatrix, Member>;

const PropertyInfo kProperties[] = {
    {"Code",
     PropType::String,
     "This is a test of the barcode DataMatrix",
     std::nullopt,
     false,
     "the data to encode",
     {},
     get<&TDatamatrix::Code>,
     set<&TDatamatrix::Code>},
    {"ProcessTilde",
     PropType::Boolean,
     "false",
     "false",
     false,
     "apply the tilde escapes (~1 FNC1, ~7nnnnnn ECI, ~dnnn character codes, ...)",
     {},
     get<&TDatamatrix::ProcessTilde>,
     set<&TDatamatrix::ProcessTilde>},
    {"Encoding", PropType::Enum, "E_ASCII", "E_ASCII", false, "encodation mode", kEncodingNames,
     get<&TDatamatrix::Encoding>, set<&TDatamatrix::Encoding>},
    {"PreferredFormat", PropType::Enum, "AUTO", "AUTO", false,
     "requested size; the smallest fitting square when the data does not fit it", kFormatNames,
     get<&TDatamatrix::PreferredFormat>, set<&TDatamatrix::PreferredFormat>},
    {"CalculatedFormat", PropType::Enum, "AUTO", std::nullopt, true,
     "size of the last symbol built", kFormatNames, get<&TDatamatrix::CalculatedFormat>, nullptr},
    {"PixelsDot",
     PropType::Integer,
     "4",
     "2",
     false,
     "module size in pixels",
     {},
     get<&TDatamatrix::PixelsDot>,
     set<&TDatamatrix::PixelsDot>},
    {"Margin",
     PropType::Integer,
     "30",
     "30",
     false,
     "distance in pixels of the symbol from the left and top edges",
     {},
     get<&TDatamatrix::Margin>,
     set<&TDatamatrix::Margin>},
    {"BarColor",
     PropType::Color,
     "#000000",
     "#000000",
     false,
     "dark modules",
     {},
     get<&TDatamatrix::BarColor>,
     set<&TDatamatrix::BarColor>},
    {"BackColor",
     PropType::Color,
     "#FFFFFF",
     "#FFFFFF",
     false,
     "background and light modules",
     {},
     get<&TDatamatrix::BackColor>,
     set<&TDatamatrix::BackColor>},
    {"rebuild",
     PropType::Boolean,
     "true",
     std::nullopt,
     false,
     "when true, the next paint builds the symbol anew",
     {},
     get<&TDatamatrix::rebuild>,
     set<&TDatamatrix::rebuild>},
    {"CurrentX",
     PropType::Integer,
     "0",
     std::nullopt,
     true,
     "right edge of the last drawing: Margin + columns x PixelsDot",
     {},
     get<&TDatamatrix::CurrentX>,
     nullptr},
    {"CurrentY",
     PropType::Integer,
     "0",
     std::nullopt,
     true,
     "bottom edge of the last drawing: Margin + rows x PixelsDot",
     {},
     get<&TDatamatrix::CurrentY>,
     nullptr},
};

}  // namespace

std::span<const PropertyInfo> TDatamatrix::properties() const {
    return kProperties;
}

}  // namespace qv
