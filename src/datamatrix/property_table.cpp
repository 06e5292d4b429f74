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

using C = TDatamatrix;
using T = PropType;
constexpr auto none = std::nullopt;

const std::array kProperties = {
    propertyRow<C, &C::Code>("Code", T::String, "This is a test of the barcode DataMatrix", none,
                             "The data to encode."),
    propertyRow<C, &C::ProcessTilde>(
        "ProcessTilde", T::Boolean, "false", "false",
        "Apply the tilde escapes (~1 FNC1, ~7nnnnnn ECI, ~dnnn character codes, ...)."),
    propertyRow<C, &C::Encoding>("Encoding", T::Enum, "E_ASCII", "E_ASCII", "Encodation mode.",
                                 {.enumNames = kEncodingNames}),
    propertyRow<C, &C::PreferredFormat>(
        "PreferredFormat", T::Enum, "AUTO", "AUTO",
        "Requested size; the smallest fitting square when the data does not fit it.",
        {.enumNames = kFormatNames}),
    propertyRow<C, &C::CalculatedFormat>(
        "CalculatedFormat", T::Enum, "AUTO", none, "Size of the last symbol built.",
        {.access = PropertyAccess::ReadOnly, .enumNames = kFormatNames}),
    propertyRow<C, &C::PixelsDot>("PixelsDot", T::Integer, "4", "2", "Module size in pixels."),
    propertyRow<C, &C::Margin>("Margin", T::Integer, "30", "30",
                               "Distance in pixels of the symbol from the left and top edges."),
    propertyRow<C, &C::BarColor>("BarColor", T::Color, "#000000", "#000000", "Dark modules."),
    propertyRow<C, &C::BackColor>("BackColor", T::Color, "#FFFFFF", "#FFFFFF",
                                  "Background and light modules."),
    propertyRow<C, &C::rebuild>("rebuild", T::Boolean, "true", none,
                                "When true, the next paint builds the symbol anew."),
    propertyRow<C, &C::CurrentX>("CurrentX", T::Integer, "0", none,
                                 "Right edge of the last drawing: Margin + columns x PixelsDot.",
                                 kReadOnly),
    propertyRow<C, &C::CurrentY>("CurrentY", T::Integer, "0", none,
                                 "Bottom edge of the last drawing: Margin + rows x PixelsDot.",
                                 kReadOnly),
};

}  // namespace

std::span<const PropertyInfo> TDatamatrix::properties() const {
    return kProperties;
}

}  // namespace qv
