#include "dispatch_settings.h"

#include <olectl.h>

#include "com_helpers.h"
#include "quorvantix/property.h"

namespace qv::activex::test {
namespace {

std::wstring wide(std::string_view s) {
    std::wstring out(s.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), out.data(),
                                      static_cast<int>(out.size()));
    out.resize(n > 0 ? n : 0);
    return out;
}

void toVariant(const PropertyValue& value, Variant& v) {
    if (const bool* b = std::get_if<bool>(&value)) {
        v.vt = VT_BOOL;
        v.boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (const std::int32_t* i = std::get_if<std::int32_t>(&value)) {
        v.vt = VT_I4;
        v.lVal = *i;
    } else if (const double* d = std::get_if<double>(&value)) {
        v.vt = VT_R8;
        v.dblVal = *d;
    } else if (const std::string* s = std::get_if<std::string>(&value)) {
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(wide(*s).c_str());
    }
}

std::unique_ptr<Control> tableOf(std::string_view controlClass) {
    std::string error;
    return makeControl(DrawingCase{"", controlClass, 1, 1, ""}, &error);
}

// A font object's attributes as text, "none" for no font.
std::string fontText(const VARIANT& v) {
    if (v.vt != VT_DISPATCH || v.pdispVal == nullptr) return "none";
    Ref<IFont> font;
    if (FAILED(v.pdispVal->QueryInterface(IID_IFont, font.outVoid()))) return "not a font";
    BSTR name = nullptr;
    CY size{};
    BOOL bold = FALSE;
    BOOL italic = FALSE;
    font->get_Name(&name);
    font->get_Size(&size);
    font->get_Bold(&bold);
    font->get_Italic(&italic);
    std::string text = narrow(name != nullptr ? name : L"") + " " + std::to_string(size.int64) +
                       (bold ? " bold" : "") + (italic ? " italic" : "");
    SysFreeString(name);
    return text;
}

std::string valueText(const VARIANT& v) {
    if (v.vt == VT_DISPATCH) return fontText(v);
    Variant text;
    if (FAILED(
            VariantChangeTypeEx(&text, const_cast<VARIANT*>(&v), LOCALE_INVARIANT, 0, VT_BSTR))) {
        return "?";
    }
    return narrow(text.bstrVal != nullptr ? text.bstrVal : L"");
}

}  // namespace

bool applySettings(IDispatch* object, const DrawingCase& c, std::string* error) {
    std::unique_ptr<Control> native = makeControl(c, error);
    if (!native) return false;
    std::string_view rest = c.settings;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(';'), rest.size());
        const std::string_view name = rest.substr(0, std::min(rest.find('='), end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        const PropertyInfo* info = findProperty(native->properties(), name);
        const DISPID id = idOfName(object, wide(name));
        Variant v;
        WORD flags = DISPATCH_PROPERTYPUT;
        if (info->type == PropType::Font) {
            v.vt = VT_DISPATCH;  // only "no font" is set through the settings
            v.pdispVal = nullptr;
            flags = DISPATCH_PROPERTYPUTREF;
        } else {
            toVariant(info->get(*native), v);
        }
        const HRESULT hr = putProperty(object, id, v, flags);
        if (FAILED(hr)) {
            *error = "writing " + std::string(name) + ": " + hresultText(hr);
            return false;
        }
    }
    return true;
}

std::string firstDifference(IDispatch* a, IDispatch* b, std::string_view controlClass) {
    const std::unique_ptr<Control> table = tableOf(controlClass);
    for (const PropertyInfo& info : table->properties()) {
        const DISPID id = idOfName(a, wide(info.name));
        Variant va;
        Variant vb;
        if (FAILED(getProperty(a, id, &va)) || FAILED(getProperty(b, id, &vb))) {
            return std::string(info.name) + " unreadable";
        }
        const std::string ta = valueText(va);
        const std::string tb = valueText(vb);
        if (ta != tb) return std::string(info.name) + ": " + ta + " against " + tb;
    }
    return {};
}

std::string storedDefaultSettings(std::string_view controlClass) {
    const std::unique_ptr<Control> table = tableOf(controlClass);
    std::string settings;
    for (const PropertyInfo& info : table->properties()) {
        if (!info.storedDefault || !persisted(info)) continue;
        if (!settings.empty()) settings += ';';
        settings += std::string(info.name) + "=" + std::string(*info.storedDefault);
    }
    return settings;
}

}  // namespace qv::activex::test
