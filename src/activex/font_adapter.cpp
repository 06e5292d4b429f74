#include "font_adapter.h"

#include <olectl.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "ansi_string.h"

namespace qv::activex {
namespace {

constexpr double kCyPerPoint = 10000.0;

int screenPixelsPerInch() {
    HDC screen = GetDC(nullptr);
    const int ppi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}

void check(HRESULT hr, const char* what) {
    if (FAILED(hr)) throw std::system_error(hr, std::system_category(), what);
}

// One property of a font dispatch object, converted to the wanted variant type.
VARIANT fontProperty(IDispatch* ole, DISPID id, VARTYPE type) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT value;
    VariantInit(&value);
    check(ole->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value,
                      nullptr, nullptr),
          "reading a font attribute");
    const HRESULT hr = VariantChangeType(&value, &value, 0, type);
    if (FAILED(hr)) VariantClear(&value);
    check(hr, "reading a font attribute");
    return value;
}

bool fontFlag(IDispatch* ole, DISPID id) {
    const VARIANT v = fontProperty(ole, id, VT_BOOL);
    return V_BOOL(&v) != VARIANT_FALSE;
}

}  // namespace

std::int64_t pointSizeOf(std::int32_t height, int pixelsPerInch) {
    const double points = std::abs(static_cast<double>(height)) * 72.0 / pixelsPerInch;
    return static_cast<std::int64_t>(std::nearbyint(points * kCyPerPoint));
}

std::int32_t heightFor(std::int64_t size, std::int32_t current, int pixelsPerInch) {
    const double magnitude = std::fabs(static_cast<double>(size));
    if (static_cast<double>(pointSizeOf(current, pixelsPerInch)) == magnitude) return current;
    const double pixels = magnitude / kCyPerPoint * pixelsPerInch / 72.0;
    const double rounded = std::nearbyint(pixels);
    if (rounded > std::numeric_limits<std::int32_t>::max()) {
        throw std::out_of_range("font size too large");
    }
    return -static_cast<std::int32_t>(rounded);
}

IFontDisp* createOleFont(const Font& font) {
    std::wstring name = toWide(font.name);
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = name.data();
    desc.cySize.int64 = pointSizeOf(font.height, screenPixelsPerInch());
    desc.sWeight = static_cast<SHORT>(font.bold ? FW_BOLD : FW_NORMAL);
    desc.sCharset = DEFAULT_CHARSET;
    desc.fItalic = font.italic;
    desc.fUnderline = font.underline;
    desc.fStrikethrough = font.strikeout;
    IFontDisp* ole = nullptr;
    check(OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(&ole)),
          "creating a font object");
    return ole;
}

Font fontFromOle(IDispatch* ole, const Font& current) {
    Font font = current;
    VARIANT name = fontProperty(ole, DISPID_FONT_NAME, VT_BSTR);
    try {
        font.name = toAnsi(V_BSTR(&name));
    } catch (...) {
        VariantClear(&name);
        throw;
    }
    VariantClear(&name);
    const VARIANT size = fontProperty(ole, DISPID_FONT_SIZE, VT_CY);
    font.height = heightFor(V_CY(&size).int64, current.height, screenPixelsPerInch());
    font.bold = fontFlag(ole, DISPID_FONT_BOLD);
    font.italic = fontFlag(ole, DISPID_FONT_ITALIC);
    font.underline = fontFlag(ole, DISPID_FONT_UNDER);
    font.strikeout = fontFlag(ole, DISPID_FONT_STRIKE);
    return font;
}

}  // namespace qv::activex
