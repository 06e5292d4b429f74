// Saving and loading the four controls as containers do: property bags, streams and storages.
// Values at their declared stored defaults stay out of the document and come back as those
// defaults; hostile documents give defined results.
#include <windows.h>

#include <ocidl.h>

#include <climits>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "canvas_gdi/gdi_canvas.h"
#include "check.h"
#include "com_helpers.h"
#include "dispatch_settings.h"
#include "quorvantix/property.h"
#include "test_programs.h"

namespace qv::activex::test {
namespace {

// A container's property bag: named variants in memory.
class MemoryBag final : public IPropertyBag {
  public:
    MemoryBag() = default;
    ~MemoryBag() {
        for (auto& [name, v] : values_) VariantClear(&v);
    }
    MemoryBag(const MemoryBag&) = delete;
    MemoryBag& operator=(const MemoryBag&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag)) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* v, IErrorLog*) override {
        const auto it = values_.find(name);
        if (it == values_.end()) return E_INVALIDARG;
        return VariantCopy(v, &it->second);
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* v) override {
        VARIANT& slot = values_[name];
        VariantClear(&slot);
        return VariantCopy(&slot, v);
    }

    void put(const std::wstring& name, Variant& v) { Write(name.c_str(), &v); }
    bool has(const std::string& name) const {
        return values_.count(std::wstring(name.begin(), name.end())) != 0;
    }
    std::string textOf(const std::wstring& name) const {
        const auto it = values_.find(name);
        if (it == values_.end() || it->second.vt != VT_BSTR || it->second.bstrVal == nullptr) {
            return {};
        }
        return narrow(it->second.bstrVal);
    }

  private:
    std::map<std::wstring, VARIANT> values_;
};

void setText(Variant& v, const wchar_t* s) {
    VariantClear(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(s);
}

struct PersistCase {
    const wchar_t* progId;
    DrawingCase settings;  // name, control class, size unused, settings
};

const PersistCase kCases[] = {
    {L"Quorvantix.Barcode1DX",
     {"linear", "TBarcode1D", 1, 1,
      "TopMargin=0;LeftMargin=5;barType=EAN13;Code=590123412345;H=0.6;BarColor=#2040C0;"
      "checkCharacter=false;supplement=12"}},
    {L"Quorvantix.Barcode1DX", {"linear_no_font", "TBarcode1D", 1, 1, "Font=;Code=ABC;X=3"}},
    {L"Quorvantix.DatamatrixX",
     {"datamatrix", "TDatamatrix", 1, 1,
      "Code=Hello;PreferredFormat=C16X48;PixelsDot=3;Margin=10"}},
    {L"Quorvantix.PDF417X",
     {"pdf417", "TPDF417", 1, 1,
      "PDFMaxRows=4;TopMargin=0;PDFColumns=3;PDFMacroFileName=file;BackColor=#F0F0E0"}},
    {L"Quorvantix.MaxicodeX",
     {"maxicode", "TMaxicode", 1, 1,
      "mode=2;zipCode=152382802;country=840;serviceClass=001;data=Parcel;TopMargin=7"}},
    // Hexagon sizes written after L and resolution, which would otherwise work them out anew.
    {L"Quorvantix.MaxicodeX",
     {"maxicode_hexagons", "TMaxicode", 1, 1, "L=30;resolution=300;WHexagon=9;HHexagon=11"}},
};

bool create(const wchar_t* progId, Ref<IDispatch>& object) {
    CLSID clsid{};
    return SUCCEEDED(CLSIDFromProgID(progId, &clsid)) &&
           SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                      object.outVoid()));
}

bool createWith(const wchar_t* progId, const DrawingCase& c, Ref<IDispatch>& object) {
    std::string error;
    const bool ok = create(progId, object) && applySettings(object.get(), c, &error);
    QV_CHECK(ok, std::string(c.name) + ": " + error);
    return ok;
}

template <class I>
bool as(IDispatch* object, Ref<I>& out, REFIID iid) {
    return SUCCEEDED(object->QueryInterface(iid, out.outVoid()));
}

// What a save must leave out: results, read-only values and values equal to their stored
// defaults.
void checkBagContents(const MemoryBag& bag, const DrawingCase& c) {
    std::string error;
    const auto native = makeControl(c, &error);
    for (const PropertyInfo& info : native->properties()) {
        const std::string name(info.name);
        const auto stored = info.storedDefault ? parseProperty(info, *info.storedDefault)
                                               : std::optional<PropertyValue>();
        const bool atDefault = stored && *stored == info.get(*native);
        if (!persisted(info) || atDefault) {
            QV_CHECK(!bag.has(name), std::string(c.name) + " bag holds " + name);
        } else if (info.type != PropType::Font) {
            QV_CHECK(bag.has(name), std::string(c.name) + " bag lacks " + name);
        }
    }
}

// A fresh instance loaded through one persistence interface equals the saved one.
template <class Persist, class Load>
void loadsAsSaved(const PersistCase& pc, IDispatch* original, REFIID iid, const std::string& what,
                  Load&& load) {
    Ref<IDispatch> loaded;
    Ref<Persist> loader;
    QV_CHECK(create(pc.progId, loaded) && as(loaded.get(), loader, iid), what);
    if (!loader) return;
    QV_CHECK_EQ(load(loader.get()), S_OK, what + " load");
    QV_CHECK_EQ(firstDifference(original, loaded.get(), pc.settings.control), "", what);
    // InitNew gives the constructor's values again.
    Ref<IDispatch> fresh;
    create(pc.progId, fresh);
    if constexpr (std::is_same_v<Persist, IPersistStorage>) {
        Ref<IStorage> none;
        StgCreateDocfile(nullptr,
                         STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE,
                         0, none.out());
        QV_CHECK_EQ(loader->InitNew(none.get()), S_OK, what);
    } else {
        QV_CHECK_EQ(loader->InitNew(), S_OK, what);
    }
    QV_CHECK_EQ(firstDifference(fresh.get(), loaded.get(), pc.settings.control), "",
                what + " after InitNew");
}

// Save through each persistence interface, load into a fresh instance: every property equal.
void roundTrips(const PersistCase& pc) {
    const std::string name(pc.settings.name);
    Ref<IDispatch> original;
    if (!createWith(pc.progId, pc.settings, original)) return;

    MemoryBag bag;
    Ref<IPersistPropertyBag> bagSaver;
    QV_CHECK(as(original.get(), bagSaver, IID_IPersistPropertyBag), name);
    QV_CHECK_EQ(bagSaver->Save(&bag, TRUE, TRUE), S_OK, name + " bag save");
    checkBagContents(bag, pc.settings);
    loadsAsSaved<IPersistPropertyBag>(
        pc, original.get(), IID_IPersistPropertyBag, name + " from the bag",
        [&](IPersistPropertyBag* p) { return p->Load(&bag, nullptr); });

    Ref<IStream> stream;
    QV_CHECK_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()), S_OK, name);
    Ref<IPersistStreamInit> streamSaver;
    as(original.get(), streamSaver, IID_IPersistStreamInit);
    ULARGE_INTEGER max{};
    QV_CHECK_EQ(streamSaver->GetSizeMax(&max), S_OK, name);
    QV_CHECK_EQ(streamSaver->Save(stream.get(), TRUE), S_OK, name + " stream save");
    ULARGE_INTEGER end{};
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &end);
    QV_CHECK(end.QuadPart > 0 && end.QuadPart <= max.QuadPart, name + " size bound");
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    loadsAsSaved<IPersistStreamInit>(pc, original.get(), IID_IPersistStreamInit,
                                     name + " from the stream",
                                     [&](IPersistStreamInit* p) { return p->Load(stream.get()); });

    Ref<ILockBytes> bytes;
    Ref<IStorage> storage;
    CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.out());
    QV_CHECK_EQ(
        StgCreateDocfileOnILockBytes(
            bytes.get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, storage.out()),
        S_OK, name);
    Ref<IPersistStorage> storageSaver;
    as(original.get(), storageSaver, IID_IPersistStorage);
    QV_CHECK_EQ(storageSaver->Save(storage.get(), FALSE), S_OK, name + " storage save");
    loadsAsSaved<IPersistStorage>(pc, original.get(), IID_IPersistStorage,
                                  name + " from the storage",
                                  [&](IPersistStorage* p) { return p->Load(storage.get()); });
}

// A bag written by another program with only some properties: the rest take their declared
// stored defaults (not the constructor's values), or the constructor's when none is declared.
void partialBag(const PersistCase& pc) {
    const std::string name(pc.settings.name);
    const std::string_view dataName = pc.settings.control == "TMaxicode" ? "data" : "Code";
    MemoryBag bag;
    Variant data;
    setText(data, L"Partial 123");
    bag.put(std::wstring(dataName.begin(), dataName.end()), data);
    // Values of the wrong type count as absent; text that converts is taken.
    Variant wrong;
    setText(wrong, L"not a number");
    bag.put(L"TopMargin", wrong);
    Ref<IDispatch> loaded;
    Ref<IPersistPropertyBag> loader;
    create(pc.progId, loaded);
    as(loaded.get(), loader, IID_IPersistPropertyBag);
    QV_CHECK_EQ(loader->Load(&bag, nullptr), S_OK, name + " partial bag");

    const std::string expected =
        storedDefaultSettings(pc.settings.control) + ";" + std::string(dataName) + "=Partial 123";
    const DrawingCase c{"expected", pc.settings.control, 1, 1, expected};
    Ref<IDispatch> reference;
    if (!createWith(pc.progId, c, reference)) return;
    QV_CHECK_EQ(firstDifference(reference.get(), loaded.get(), pc.settings.control), "",
                name + " partial bag");
}

// Truncated and altered streams: a failure or a load, never a crash; a failed load changes
// nothing.
void hostileStreams() {
    const PersistCase& pc = kCases[0];
    Ref<IDispatch> original;
    if (!createWith(pc.progId, pc.settings, original)) return;
    Ref<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.out());
    Ref<IPersistStreamInit> saver;
    as(original.get(), saver, IID_IPersistStreamInit);
    saver->Save(stream.get(), TRUE);
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream.get(), &memory);
    ULARGE_INTEGER size{};
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &size);
    const auto* p = static_cast<const unsigned char*>(GlobalLock(memory));
    const std::vector<unsigned char> saved(p, p + size.QuadPart);
    GlobalUnlock(memory);

    Ref<IDispatch> target;
    create(pc.progId, target);
    Ref<IDispatch> untouched;
    create(pc.progId, untouched);
    Ref<IPersistStreamInit> loader;
    as(target.get(), loader, IID_IPersistStreamInit);
    auto load = [&](const std::vector<unsigned char>& bytes) {
        Ref<IStream> s;
        CreateStreamOnHGlobal(nullptr, TRUE, s.out());
        s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
        s->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        return loader->Load(s.get());
    };
    int loadedCut = 0;
    for (std::size_t n = 0; n < saved.size(); ++n) {
        if (SUCCEEDED(load({saved.begin(), saved.begin() + static_cast<std::ptrdiff_t>(n)}))) {
            ++loadedCut;
        }
    }
    QV_CHECK_EQ(loadedCut, 0, "cut streams load");
    QV_CHECK_EQ(firstDifference(untouched.get(), target.get(), pc.settings.control), "",
                "failed loads change nothing");
    // Every byte altered in turn, and huge lengths: each load ends, in success or failure.
    for (std::size_t i = 0; i < saved.size(); ++i) {
        std::vector<unsigned char> bytes = saved;
        bytes[i] ^= 0xA5;
        load(bytes);
        bytes[i] = 0xFF;
        load(bytes);
    }
    QV_CHECK_EQ(load(saved), S_OK, "intact stream");
    QV_CHECK_EQ(firstDifference(original.get(), target.get(), pc.settings.control), "",
                "intact stream after hostile ones");
}

// A bag that says "no font" leaves the linear control without one; font attributes travel.
void fonts() {
    MemoryBag bag;
    Variant name;
    setText(name, L"Courier New");
    Variant height(LONG{-17});
    Variant style(LONG{3});
    bag.put(L"Font.Name", name);
    bag.put(L"Font.Height", height);
    bag.put(L"Font.Style", style);
    Ref<IDispatch> loaded;
    Ref<IPersistPropertyBag> loader;
    create(L"Quorvantix.Barcode1DX", loaded);
    as(loaded.get(), loader, IID_IPersistPropertyBag);
    QV_CHECK_EQ(loader->Load(&bag, nullptr), S_OK, "font bag");
    Variant font;
    getProperty(loaded.get(), idOfName(loaded.get(), L"Font"), &font);
    Ref<IFont> ole;
    QV_CHECK(font.vt == VT_DISPATCH && font.pdispVal != nullptr &&
                 SUCCEEDED(font.pdispVal->QueryInterface(IID_IFont, ole.outVoid())),
             "font object");
    if (ole) {
        BOOL bold = FALSE;
        BOOL italic = FALSE;
        ole->get_Bold(&bold);
        ole->get_Italic(&italic);
        QV_CHECK(bold && italic, "font style");
    }
    MemoryBag saved;
    Ref<IPersistPropertyBag> saver;
    as(loaded.get(), saver, IID_IPersistPropertyBag);
    saver->Save(&saved, TRUE, FALSE);
    for (const char* part : {"Font", "Font.Name", "Font.Height", "Font.Color", "Font.Style"}) {
        QV_CHECK(saved.has(part), part);
    }
    // The control keeps the name it was given, whatever face the system substitutes.
    QV_CHECK_EQ(saved.textOf(L"Font.Name"), "Courier New", "font name");
    MemoryBag none;
    Variant no;
    no.vt = VT_BOOL;
    no.boolVal = VARIANT_FALSE;
    none.put(L"Font", no);
    QV_CHECK_EQ(loader->Load(&none, nullptr), S_OK, "no font bag");
    Variant empty;
    getProperty(loaded.get(), idOfName(loaded.get(), L"Font"), &empty);
    QV_CHECK(empty.vt == VT_DISPATCH && empty.pdispVal == nullptr, "no font loaded");
}

// Extreme values of every kind in every property of a bag: each load and the drawing after it
// end with a defined result.
void hostileBags() {
    const std::wstring longText(5000, L'9');
    for (const PersistCase& pc : kCases) {
        std::string error;
        const auto table = makeControl(pc.settings, &error);
        for (int kind = 0; kind < 6; ++kind) {
            MemoryBag bag;
            for (const PropertyInfo& info : table->properties()) {
                Variant v;
                switch (kind) {
                    case 0:
                    case 1:
                        v.vt = VT_I4;
                        v.lVal = kind == 0 ? INT_MIN : INT_MAX;
                        break;
                    case 2:
                    case 3:
                        v.vt = VT_R8;
                        v.dblVal = kind == 2 ? 1e300 : std::numeric_limits<double>::quiet_NaN();
                        break;
                    case 4:
                        setText(v, longText.c_str());
                        break;
                    default:
                        v.vt = VT_I4;
                        v.lVal = -1;
                        break;
                }
                const std::string name(info.name);
                bag.put(std::wstring(name.begin(), name.end()), v);
            }
            Ref<IDispatch> loaded;
            Ref<IPersistPropertyBag> loader;
            Ref<IViewObject2> view;
            create(pc.progId, loaded);
            as(loaded.get(), loader, IID_IPersistPropertyBag);
            as(loaded.get(), view, IID_IViewObject2);
            if (!loader || !view) continue;
            loader->Load(&bag, nullptr);
            gdi::DibSection dib(120, 120);
            const RECTL bounds{0, 0, 120, 120};
            const HRESULT hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dib.dc(),
                                          &bounds, nullptr, nullptr, 0);
            QV_CHECK(hr == S_OK || hr == E_FAIL, std::string(pc.settings.name) + " kind " +
                                                     std::to_string(kind) + " " + hresultText(hr));
        }
    }
}

}  // namespace

int persistenceTest() {
    for (const PersistCase& pc : kCases) {
        roundTrips(pc);
        partialBag(pc);
    }
    hostileStreams();
    hostileBags();
    fonts();
    return failureCount();
}

}  // namespace qv::activex::test
