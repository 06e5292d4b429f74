// A container's view of the four controls: created through COM, every member driven through
// IDispatch::Invoke by DISPID and by name, and the forwarding rules of the wrappers.
#include <windows.h>

#include <olectl.h>

#include <span>
#include <string>

#include "Quorvantix_TLB.h"
#include "check.h"
#include "com_helpers.h"
#include "interface_tables.h"
#include "test_programs.h"

namespace qv::activex::test {
namespace {

struct ControlUnderTest {
    const wchar_t* progId;
    std::span<const Member> members;
    const char* controlClass;
};

const ControlUnderTest kControls[] = {
    {L"Quorvantix.Barcode1DX", kIBarcode1DX, "TBarcode1D"},
    {L"Quorvantix.DatamatrixX", kIDatamatrixX, "TDatamatrix"},
    {L"Quorvantix.PDF417X", kIPDF417X, "TPDF417"},
    {L"Quorvantix.MaxicodeX", kIMaxicodeX, "TMaxicode"},
};

bool create(const wchar_t* progId, Ref<IDispatch>& object) {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(progId, &clsid))) return false;
    return SUCCEEDED(
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.outVoid()));
}

// Every character of the ANSI code page from 32 to 255, as the host's wide string.
std::wstring ansiRange() {
    std::string bytes;
    for (int c = 32; c < 256; ++c) bytes += static_cast<char>(c);
    std::wstring wide(bytes.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return wide;
}

LONG asLong(const VARIANT& v) {
    Variant copy;
    if (FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(&v), 0, VT_I4))) return -999999;
    return copy.lVal;
}

double asDouble(const VARIANT& v) {
    Variant copy;
    if (FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(&v), 0, VT_R8))) return -999999;
    return copy.dblVal;
}

std::wstring asText(const VARIANT& v) {
    if (v.vt != VT_BSTR || v.bstrVal == nullptr) return {};
    return std::wstring(v.bstrVal, SysStringLen(v.bstrVal));
}

// A write and what reading back must give, per property type.
struct Sample {
    std::string_view type;
    VARTYPE vt;
    LONG written;
    LONG read;  // for the integer-like types
};

constexpr Sample kIntegerSamples[] = {
    {"long", VT_I4, -123456, -123456},
    {"OLE_COLOR", VT_I4, 0x00123456, 0x00123456},
    {"short", VT_I2, -2, -2},
    // One-byte enumerations keep the low byte of whatever is written; no range test.
    {"TxSymbology", VT_I4, 300, 44},
    {"TxFormat", VT_I4, 0x1FF, 0xFF},
    {"TxEncoding", VT_I4, 258, 2},
    {"TxBiDiMode", VT_I4, 2, 2},
    // Any non-zero 16-bit value is true and reads back as -1.
    {"VARIANT_BOOL", VT_BOOL, 2, -1},
};

void roundTrip(IDispatch* object, const Member& m, const std::string& where) {
    // Reads go by the name's DISPID, writes by the table's.
    const DISPID id = idOfName(object, std::wstring(m.name.begin(), m.name.end()));
    QV_CHECK_EQ(id, m.dispid, where);
    if (m.type == "IFontDisp*") return;  // a font object: see fontTest
    Variant before;
    QV_CHECK_EQ(getProperty(object, id, &before), S_OK, where + " read");
    Variant value;
    if (m.type == "BSTR") {
        const std::wstring text = L"Qv" + ansiRange();
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    } else if (m.type == "double") {
        value.vt = VT_R8;
        value.dblVal = 2.5;
    } else {
        for (const Sample& s : kIntegerSamples) {
            if (s.type != m.type) continue;
            value.vt = s.vt;
            if (s.vt == VT_I2) value.iVal = static_cast<SHORT>(s.written);
            if (s.vt == VT_BOOL) value.boolVal = static_cast<VARIANT_BOOL>(s.written);
            if (s.vt == VT_I4) value.lVal = s.written;
        }
    }
    QV_CHECK(value.vt != VT_EMPTY, where + " has a sample");
    const HRESULT written = putProperty(object, m.dispid, value);
    Variant after;
    QV_CHECK_EQ(getProperty(object, id, &after), S_OK, where + " read back");
    if (m.access == Access::R) {
        // Read-only: no write member, and the value stays.
        QV_CHECK(FAILED(written), where + " written");
        QV_CHECK_EQ(VarCmp(&before, &after, LOCALE_USER_DEFAULT, 0), VARCMP_EQ, where);
        return;
    }
    QV_CHECK_EQ(written, S_OK, where + " write");
    if (m.type == "BSTR") {
        QV_CHECK(asText(after) == asText(value), where + " string round trip");
    } else if (m.type == "double") {
        QV_CHECK_EQ(asDouble(after), 2.5, where);
    } else {
        for (const Sample& s : kIntegerSamples) {
            if (s.type == m.type) QV_CHECK_EQ(asLong(after), s.read, where);
        }
    }
}

void propertiesTest(const ControlUnderTest& c) {
    Ref<IDispatch> object;
    QV_CHECK(create(c.progId, object), narrow(c.progId));
    if (!object) return;
    for (const Member& m : c.members) {
        if (m.access != Access::Method) {
            roundTrip(object.get(), m, narrow(c.progId) + "." + std::string(m.name));
        }
    }
    // Names are found whatever their case, as script hosts look them up.
    QV_CHECK_EQ(idOfName(object.get(), L"CLASSNAMEIS"), c.members.back().dispid, narrow(c.progId));
    QV_CHECK_EQ(idOfName(object.get(), L"paintBarcode"), DISPID_UNKNOWN, narrow(c.progId));
}

DISPID dispidOf(std::span<const Member> members, std::string_view name) {
    for (const Member& m : members) {
        if (m.name == name) return m.dispid;
    }
    return DISPID_UNKNOWN;
}

LONG readLong(IDispatch* object, std::span<const Member> members, std::string_view name) {
    Variant v;
    getProperty(object, dispidOf(members, name), &v);
    return asLong(v);
}

HRESULT call(IDispatch* object, std::span<const Member> members, std::string_view name,
             VARIANT* args, UINT count, VARIANT* result) {
    return invoke(object, dispidOf(members, name), DISPATCH_METHOD, args, count, result);
}

void writeLong(IDispatch* object, std::span<const Member> members, std::string_view name,
               LONG value) {
    Variant v{static_cast<LONG>(value)};
    QV_CHECK_EQ(putProperty(object, dispidOf(members, name), v), S_OK, std::string(name));
}

// The members every interface ends with answer as the window control they stand for.
void platformMembersTest(const ControlUnderTest& c) {
    Ref<IDispatch> object;
    if (!create(c.progId, object)) return;
    const std::string where = narrow(c.progId);
    const auto members = c.members;
    QV_CHECK_EQ(readLong(object.get(), members, "Visible"), -1, where);
    QV_CHECK_EQ(readLong(object.get(), members, "Enabled"), -1, where);
    Variant flags{static_cast<LONG>(DT_LEFT)};
    Variant result;
    QV_CHECK_EQ(call(object.get(), members, "DrawTextBiDiModeFlags", &flags, 1, &result), S_OK,
                where);
    QV_CHECK_EQ(asLong(result), DT_LEFT, where + " left to right");
    writeLong(object.get(), members, "BiDiMode", 1);  // right to left
    const struct {
        const char* method;
        LONG expected;
    } rightToLeft[] = {{"IsRightToLeft", -1},
                       {"UseRightToLeftAlignment", -1},
                       {"UseRightToLeftReading", -1},
                       {"UseRightToLeftScrollBar", -1},
                       {"DrawTextBiDiModeFlagsReadingOnly", DT_RTLREADING},
                       {"GetControlsAlignment", 0}};
    for (const auto& r : rightToLeft) {
        Variant v;
        QV_CHECK_EQ(call(object.get(), members, r.method, nullptr, 0, &v), S_OK, r.method);
        QV_CHECK_EQ(asLong(v), r.expected, where + " " + r.method);
    }
    Variant flipped;
    QV_CHECK_EQ(call(object.get(), members, "DrawTextBiDiModeFlags", &flags, 1, &flipped), S_OK,
                where);
    QV_CHECK_EQ(asLong(flipped), DT_RIGHT | DT_RTLREADING, where + " mirrored");
    QV_CHECK_EQ(call(object.get(), members, "InitiateAction", nullptr, 0, nullptr), S_OK, where);
    Variant all;
    all.vt = VT_BOOL;
    all.boolVal = VARIANT_TRUE;
    QV_CHECK_EQ(call(object.get(), members, "FlipChildren", &all, 1, nullptr), S_OK, where);
    const struct {
        std::string name;
        LONG expected;
    } names[] = {{c.controlClass, -1},
                 {"t" + std::string(c.controlClass + 1), -1},
                 {std::string(c.controlClass) + "X", 0},
                 {"", 0},
                 {"TControl", 0}};
    for (const auto& n : names) {
        Variant name;
        name.vt = VT_BSTR;
        name.bstrVal = SysAllocString(std::wstring(n.name.begin(), n.name.end()).c_str());
        Variant is;
        QV_CHECK_EQ(call(object.get(), members, "ClassNameIs", &name, 1, &is), S_OK, n.name);
        QV_CHECK_EQ(asLong(is), n.expected, where + " ClassNameIs " + n.name);
    }
}

void gapsTest() {
    Ref<IDispatch> barcode;
    Ref<IDispatch> pdf;
    if (!create(L"Quorvantix.Barcode1DX", barcode) || !create(L"Quorvantix.PDF417X", pdf)) {
        QV_CHECK(false, "create");
        return;
    }
    const struct {
        IDispatch* object;
        DISPID id;
    } gaps[] = {{barcode.get(), 8}, {pdf.get(), 22}, {barcode.get(), 36}, {barcode.get(), 41},
                {pdf.get(), 29},    {pdf.get(), 47}, {barcode.get(), 0}};
    // Only IID_NULL names the interface, and no arguments is not an empty call.
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    Variant v;
    QV_CHECK_EQ(barcode->Invoke(1, IID_IDispatch, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                &v, nullptr, nullptr),
                DISP_E_UNKNOWNINTERFACE, "Invoke with an interface");
    QV_CHECK_EQ(barcode->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, nullptr, &v,
                                nullptr, nullptr),
                E_POINTER, "Invoke without parameters");
    for (const auto& g : gaps) {
        Variant v;
        QV_CHECK_EQ(getProperty(g.object, g.id, &v), DISP_E_MEMBERNOTFOUND,
                    "DISPID " + std::to_string(g.id));
    }
}

void maxicodeTest() {
    Ref<IDispatch> object;
    if (!create(L"Quorvantix.MaxicodeX", object)) return;
    const auto m = std::span<const Member>(kIMaxicodeX);
    const char* grid[] = {"WHexagon", "HHexagon", "preferredWidth", "preferredHeight"};
    LONG before[4];
    for (int i = 0; i < 4; ++i) before[i] = readLong(object.get(), m, grid[i]);
    // Writing WHexagon changes nothing else.
    writeLong(object.get(), m, "WHexagon", 3);
    QV_CHECK_EQ(readLong(object.get(), m, "WHexagon"), 3, "WHexagon");
    for (int i = 1; i < 4; ++i) QV_CHECK_EQ(readLong(object.get(), m, grid[i]), before[i], grid[i]);
    // Writing L recomputes the whole grid at once, as setL does.
    Variant size;
    size.vt = VT_R8;
    size.dblVal = 51.0;
    QV_CHECK_EQ(putProperty(object.get(), 4, size), S_OK, "L");
    for (int i = 0; i < 4; ++i) {
        QV_CHECK(readLong(object.get(), m, grid[i]) > before[i],
                 std::string("L recomputes ") + grid[i]);
    }
    Ref<IDispatch> other;
    create(L"Quorvantix.MaxicodeX", other);
    QV_CHECK_EQ(call(other.get(), m, "setL", &size, 1, nullptr), S_OK, "setL");
    for (const char* g : grid) {
        QV_CHECK_EQ(readLong(other.get(), m, g), readLong(object.get(), m, g),
                    std::string("setL ") + g);
    }
    // resolution and setResolution alike.
    writeLong(object.get(), m, "resolution", 400);
    Variant dpi{static_cast<LONG>(400)};
    QV_CHECK_EQ(call(other.get(), m, "setResolution", &dpi, 1, nullptr), S_OK, "setResolution");
    for (const char* g : grid) {
        QV_CHECK_EQ(readLong(other.get(), m, g), readLong(object.get(), m, g),
                    std::string("setResolution ") + g);
    }
    // No member validates a range.
    writeLong(object.get(), m, "mode", 9);
    QV_CHECK_EQ(readLong(object.get(), m, "mode"), 9, "mode");
    // The dual interface's vtable reaches the same members.
    Ref<IMaxicodeX> dual;
    QV_CHECK_EQ(object->QueryInterface(IID_IMaxicodeX, dual.outVoid()), S_OK, "IMaxicodeX");
    if (dual) {
        LONG w = 0;
        QV_CHECK_EQ(dual->put_ProcessTilde(2), S_OK, "vtable write");
        VARIANT_BOOL tilde = 0;
        dual->get_ProcessTilde(&tilde);
        QV_CHECK_EQ(tilde, VARIANT_TRUE, "a 16-bit 2 is true");
        QV_CHECK_EQ(dual->put_L(25.5), S_OK, "vtable put_L");
        dual->get_WHexagon(&w);
        QV_CHECK(w > 0 && w < readLong(other.get(), m, "WHexagon"), "vtable put_L recomputes");
        QV_CHECK_EQ(dual->get_preferredWidth(nullptr), E_POINTER, "null out pointer");
    }
}

void pdf417Test() {
    Ref<IDispatch> object;
    if (!create(L"Quorvantix.PDF417X", object)) return;
    const auto m = std::span<const Member>(kIPDF417X);
    QV_CHECK_EQ(readLong(object.get(), m, "PDFMacroSegmentCount"), -1, "before prepareMacroPDF");
    Variant code;
    code.vt = VT_BSTR;
    code.bstrVal = SysAllocString(std::wstring(3000, L'A').c_str());
    QV_CHECK_EQ(putProperty(object.get(), 1, code), S_OK, "Code");
    writeLong(object.get(), m, "PDFMacroSegment", 0);
    writeLong(object.get(), m, "PDFMaxRows", 10);
    QV_CHECK_EQ(call(object.get(), m, "prepareMacroPDF", nullptr, 0, nullptr), S_OK, "prepare");
    QV_CHECK(readLong(object.get(), m, "PDFMacroSegmentCount") > 1, "segments counted");
    QV_CHECK_EQ(call(object.get(), m, "resetMacroPDF", nullptr, 0, nullptr), S_OK, "reset");
}

// A font object with the given attributes.
bool makeFont(const wchar_t* name, LONGLONG size, bool bold, Ref<IFontDisp>& font) {
    std::wstring copy = name;
    FONTDESC desc{
        sizeof(FONTDESC), copy.data(), {},   static_cast<SHORT>(bold ? FW_BOLD : FW_NORMAL),
        DEFAULT_CHARSET,  FALSE,       TRUE, FALSE};
    desc.cySize.int64 = size;
    return SUCCEEDED(OleCreateFontIndirect(&desc, IID_IFontDisp, font.outVoid()));
}

void fontTest() {
    Ref<IDispatch> object;
    if (!create(L"Quorvantix.Barcode1DX", object)) return;
    Ref<IBarcode1DX> dual;
    object->QueryInterface(IID_IBarcode1DX, dual.outVoid());
    if (!dual) return;
    // The control's font (height 10 pixels) as an OLE font: 7.5 points at 96 pixels per inch.
    Ref<IFontDisp> current;
    QV_CHECK_EQ(dual->get_Font(current.out()), S_OK, "get_Font");
    Ref<IFont> font;
    if (current) current->QueryInterface(IID_IFont, font.outVoid());
    QV_CHECK(font, "IFont");
    if (!font) return;
    CY size{};
    font->get_Size(&size);
    QV_CHECK_EQ(size.int64, 75000, "size");
    // Written by value and by reference, through Invoke: attributes are copied in. The
    // platform may realise a font at another size or face than asked for, so the font read
    // back is compared with what the written object itself reports.
    Ref<IFontDisp> courier;
    QV_CHECK(makeFont(L"Courier New", 120000, true, courier), "font created");
    Ref<IFont> courierFont;
    if (courier) courier->QueryInterface(IID_IFont, courierFont.outVoid());
    if (!courierFont) return;
    CY writtenSize{};
    BSTR writtenName = nullptr;
    courierFont->get_Size(&writtenSize);
    courierFont->get_Name(&writtenName);
    const std::wstring expectedName = writtenName != nullptr ? writtenName : L"";
    SysFreeString(writtenName);
    for (WORD flag : {WORD{DISPATCH_PROPERTYPUT}, WORD{DISPATCH_PROPERTYPUTREF}}) {
        Variant v;
        v.vt = VT_DISPATCH;
        v.pdispVal = courier.get();
        courier->AddRef();
        QV_CHECK_EQ(putProperty(object.get(), DISPID_FONT, v, flag), S_OK, "put Font");
        Ref<IFontDisp> back;
        dual->get_Font(back.out());
        Ref<IFont> backFont;
        if (back) back->QueryInterface(IID_IFont, backFont.outVoid());
        QV_CHECK(backFont, "font read back");
        if (!backFont) continue;
        BOOL bold = FALSE;
        BOOL underline = FALSE;
        BOOL italic = TRUE;
        CY backSize{};
        BSTR name = nullptr;
        backFont->get_Bold(&bold);
        backFont->get_Underline(&underline);
        backFont->get_Italic(&italic);
        backFont->get_Size(&backSize);
        backFont->get_Name(&name);
        QV_CHECK(bold && underline && !italic, "attributes copied");
        QV_CHECK_EQ(backSize.int64, writtenSize.int64, "size copied");
        QV_CHECK(name != nullptr && expectedName == name, narrow(name != nullptr ? name : L""));
        SysFreeString(name);
    }
    // An object without font attributes fails with error information; the font stays.
    Ref<IDispatch> notAFont;
    create(L"Quorvantix.PDF417X", notAFont);
    const HRESULT hr = dual->putref_Font(reinterpret_cast<IFontDisp*>(notAFont.get()));
    QV_CHECK(FAILED(hr), "putref_Font of a control");
    Ref<IErrorInfo> error;
    QV_CHECK_EQ(GetErrorInfo(0, error.out()), S_OK, "error information");
    if (error) {
        BSTR source = nullptr;
        error->GetSource(&source);
        QV_CHECK_EQ(narrow(source != nullptr ? source : L""), "Quorvantix.Barcode1DX", "source");
        SysFreeString(source);
    }
    Ref<ISupportErrorInfo> supports;
    object->QueryInterface(IID_ISupportErrorInfo, supports.outVoid());
    QV_CHECK(supports && supports->InterfaceSupportsErrorInfo(IID_IBarcode1DX) == S_OK, "support");
    Ref<IFontDisp> kept;
    dual->get_Font(kept.out());
    Ref<IFont> keptFont;
    if (kept) kept->QueryInterface(IID_IFont, keptFont.outVoid());
    CY keptSize{};
    if (keptFont) keptFont->get_Size(&keptSize);
    QV_CHECK_EQ(keptSize.int64, writtenSize.int64, "font unchanged by the failed write");
    // No font object: no font, read back as none.
    QV_CHECK_EQ(dual->putref_Font(nullptr), S_OK, "no font");
    Ref<IFontDisp> none;
    QV_CHECK_EQ(dual->get_Font(none.out()), S_OK, "get no font");
    QV_CHECK(!none, "no font reads as null");
}

void unloadTest(const std::wstring& dllPath) {
    HMODULE module = LoadLibraryW(dllPath.c_str());
    QV_CHECK(module != nullptr, narrow(dllPath));
    if (module == nullptr) return;
    // The type library as resource 1, the four 16 x 16 toolbox images as bitmaps 1 to 4.
    QV_CHECK(FindResourceW(module, MAKEINTRESOURCEW(1), L"TYPELIB") != nullptr, "TYPELIB 1");
    for (int id = 1; id <= 4; ++id) {
        HANDLE image = LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0);
        BITMAP info{};
        QV_CHECK(image != nullptr && GetObjectW(image, sizeof info, &info) == sizeof info &&
                     info.bmWidth == 16 && info.bmHeight == 16,
                 "bitmap " + std::to_string(id));
        if (image != nullptr) DeleteObject(image);
    }
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    using GetClass = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto canUnload = reinterpret_cast<CanUnload>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    auto getClass = reinterpret_cast<GetClass>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    QV_CHECK(canUnload && getClass, "exports");
    if (canUnload && getClass) {
        CoFreeUnusedLibraries();
        QV_CHECK_EQ(canUnload(), S_OK, "nothing alive");
        Ref<IClassFactory> factory;
        QV_CHECK_EQ(getClass(CLSID_DatamatrixX, IID_IClassFactory, factory.outVoid()), S_OK,
                    "factory");
        QV_CHECK_EQ(getClass(IID_IDatamatrixX, IID_IClassFactory, factory.outVoid()),
                    CLASS_E_CLASSNOTAVAILABLE, "not a class");
        getClass(CLSID_DatamatrixX, IID_IClassFactory, factory.outVoid());
        if (factory) {
            Ref<IDispatch> object;
            QV_CHECK_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.outVoid()), S_OK,
                        "create");
            factory->LockServer(TRUE);
            factory.reset();
            QV_CHECK_EQ(canUnload(), S_FALSE, "object and lock alive");
            object.reset();
            QV_CHECK_EQ(canUnload(), S_FALSE, "lock alive");
            getClass(CLSID_DatamatrixX, IID_IClassFactory, factory.outVoid());
            factory->LockServer(FALSE);
            QV_CHECK_EQ(canUnload(), S_FALSE, "factory referenced");
            factory.reset();
        }
        QV_CHECK_EQ(canUnload(), S_OK, "all released");
    }
    FreeLibrary(module);
}

}  // namespace

int containerTest(const std::wstring& dllPath) {
    for (const ControlUnderTest& c : kControls) {
        propertiesTest(c);
        platformMembersTest(c);
    }
    gapsTest();
    maxicodeTest();
    pdf417Test();
    fontTest();
    unloadTest(dllPath);
    return failureCount();
}

}  // namespace qv::activex::test
