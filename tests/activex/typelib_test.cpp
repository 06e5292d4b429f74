// The registered type library read back as a container reads it: every interface, member,
// DISPID, vtable slot, parameter, flag, enumeration value and class equals the published tables.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "check.h"
#include "com_helpers.h"
#include "interface_tables.h"
#include "test_programs.h"

namespace qv::activex::test {
namespace {

struct ExpectedInterface {
    const wchar_t* iid;
    const char* name;
    std::span<const Member> members;
    const wchar_t* events;
    const char* eventName;
    const wchar_t* clsid;
    const char* className;
};

const ExpectedInterface kInterfaces[] = {
    {L"{F66AD482-DE17-49A0-AC88-2BC6528F5300}", "IBarcode1DX", kIBarcode1DX,
     L"{AA297DA1-EC42-4B44-A49B-915046BBEA39}", "IBarcode1DXEvents",
     L"{D3ED2B40-E3F1-4DCF-BA09-4D5BB9B8DCD8}", "Barcode1DX"},
    {L"{CB3402A4-DF98-44F8-8528-4CDFA0B8D457}", "IDatamatrixX", kIDatamatrixX,
     L"{62FDE8D1-7AE3-4072-968E-7BB3E97D4FD7}", "IDatamatrixXEvents",
     L"{609461F2-BAA9-478A-BCD7-0D49F8349F1C}", "DatamatrixX"},
    {L"{8C196EFA-DEBB-4109-AD7A-4EE1CA4A6362}", "IPDF417X", kIPDF417X,
     L"{AD1D43D3-0BE9-4140-A976-2AB7076034C6}", "IPDF417XEvents",
     L"{6C58F23A-1C24-45D8-9152-05473E761F77}", "PDF417X"},
    {L"{EC143565-B304-4BB2-BC4F-5981422F51D4}", "IMaxicodeX", kIMaxicodeX,
     L"{C59032A6-1547-44E8-A9EC-626F51B35515}", "IMaxicodeXEvents",
     L"{75C40453-FEB1-48F2-B031-7F8ADDE810BE}", "MaxicodeX"},
};

struct ExpectedEnum {
    const wchar_t* guid;
    const char* name;
    std::vector<const char*> members;  // values 0, 1, 2, ...
};

const ExpectedEnum kEnums[] = {
    {L"{EEFB9386-1EEF-4486-AC0E-5A6D76D09BD5}",
     "TxSymbology",
     {"CODE39", "CODE39EXT", "INTERLEAVED25", "CODE11", "CODABAR", "MSI", "UPCA", "IND25", "MAT25",
      "CODE93", "EAN13", "EAN8", "UPCE", "CODE128", "CODE93EXT", "POSTNET", "EAN128"}},
    {L"{341D23DB-D3DF-4C02-BB9C-F2740D966593}",
     "TxAlignment",
     {"taLeftJustify", "taRightJustify", "taCenter"}},
    {L"{38A9F0F6-93E4-4EBB-B98C-172D9C2F1F87}",
     "TxBiDiMode",
     {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}},
    {L"{717E739B-11FF-4781-8F4B-41F394766BAE}",
     "TxFormat",
     {"AUTO",     "C10X10", "C12X12", "C14X14", "C16X16", "C18X18",   "C20X20",   "C22X22",
      "C24X24",   "C26X26", "C32X32", "C36X36", "C40X40", "C44X44",   "C48X48",   "C52X52",
      "C64X64",   "C72X72", "C80X80", "C88X88", "C96X96", "C104X104", "C120X120", "C132X132",
      "C144X144", "C8X18",  "C8X32",  "C12X26", "C12X36", "C16X36",   "C16X48"}},
    {L"{F8291708-2C17-47BB-9939-ABB1E61F48BF}",
     "TxEncoding",
     {"E_ASCII", "E_C40", "E_TEXT", "E_BASE256", "E_NONE", "E_AUTO"}},
};

// One vtable entry as the tables describe it.
struct Slot {
    int dispid;
    std::string name;
    INVOKEKIND kind;
    bool hidden;
    std::string params;
};

std::vector<Slot> expectedSlots(std::span<const Member> members) {
    std::vector<Slot> slots;
    for (const Member& m : members) {
        const std::string name(m.name);
        const std::string type(m.type);
        const bool hidden = m.access == Access::RWHidden;
        if (m.access == Access::Method) {
            slots.push_back({m.dispid, name, INVOKE_FUNC, false, type});
            continue;
        }
        slots.push_back({m.dispid, name, INVOKE_PROPERTYGET, hidden, "retval " + type + " Value"});
        if (m.access != Access::R) {
            slots.push_back({m.dispid, name, INVOKE_PROPERTYPUT, hidden, type + " Value"});
        }
        if (m.access == Access::FontRW) {
            slots.push_back({m.dispid, name, INVOKE_PROPERTYPUTREF, hidden, type + " Value"});
        }
    }
    return slots;
}

std::string nameOf(ITypeInfo* info, MEMBERID id = MEMBERID_NIL, std::string* doc = nullptr) {
    BSTR name = nullptr;
    BSTR help = nullptr;
    info->GetDocumentation(id, &name, &help, nullptr, nullptr);
    std::string out = narrow(name != nullptr ? name : L"");
    if (doc != nullptr) *doc = narrow(help != nullptr ? help : L"");
    SysFreeString(name);
    SysFreeString(help);
    return out;
}

std::string typeText(const TYPEDESC& t, ITypeInfo* owner) {
    switch (t.vt) {
        case VT_BSTR:
            return "BSTR";
        case VT_BOOL:
            return "VARIANT_BOOL";
        case VT_I4:
            return "long";
        case VT_I2:
            return "short";
        case VT_R8:
            return "double";
        case VT_PTR:
            return typeText(*t.lptdesc, owner) + "*";
        case VT_USERDEFINED: {
            Ref<ITypeInfo> ref;
            if (FAILED(owner->GetRefTypeInfo(t.hreftype, ref.out()))) return "?";
            return nameOf(ref.get());
        }
        default:
            return "vt" + std::to_string(t.vt);
    }
}

std::string paramText(ITypeInfo* info, const FUNCDESC& f) {
    std::vector<BSTR> names(f.cParams + 1);
    UINT count = 0;
    info->GetNames(f.memid, names.data(), static_cast<UINT>(names.size()), &count);
    std::string out;
    for (SHORT i = 0; i < f.cParams; ++i) {
        const ELEMDESC& e = f.lprgelemdescParam[i];
        if (!out.empty()) out += ", ";
        const bool retval = (e.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) != 0;
        const TYPEDESC& t = retval && e.tdesc.vt == VT_PTR ? *e.tdesc.lptdesc : e.tdesc;
        // A property write's parameter has no name of its own in the library; it is Value.
        const std::string name = static_cast<UINT>(i + 1) < count && names[i + 1] != nullptr
                                     ? narrow(names[i + 1])
                                     : "Value";
        out += (retval ? "retval " : "") + typeText(t, info) + " " + name;
    }
    for (UINT i = 0; i < count; ++i) SysFreeString(names[i]);
    return out;
}

GUID guidOf(const wchar_t* text) {
    GUID g{};
    CLSIDFromString(text, &g);
    return g;
}

void checkInterface(ITypeLib* lib, const ExpectedInterface& e) {
    Ref<ITypeInfo> dispatch;
    QV_CHECK_EQ(lib->GetTypeInfoOfGuid(guidOf(e.iid), dispatch.out()), S_OK, e.name);
    if (!dispatch) return;
    std::string help;
    QV_CHECK_EQ(nameOf(dispatch.get(), MEMBERID_NIL, &help), e.name, e.name);
    QV_CHECK_EQ(help, std::string("Dispatch interface for ") + e.className + " Control", e.name);
    TYPEATTR* attr = nullptr;
    dispatch->GetTypeAttr(&attr);
    QV_CHECK_EQ(attr->typekind, TKIND_DISPATCH, e.name);
    QV_CHECK((attr->wTypeFlags & TYPEFLAG_FDUAL) != 0, e.name);
    QV_CHECK(attr->wMajorVerNum == 1 && attr->wMinorVerNum == 0, e.name);
    dispatch->ReleaseTypeAttr(attr);

    HREFTYPE ref = 0;
    Ref<ITypeInfo> vtable;
    QV_CHECK_EQ(dispatch->GetRefTypeOfImplType(-1, &ref), S_OK, e.name);
    QV_CHECK_EQ(dispatch->GetRefTypeInfo(ref, vtable.out()), S_OK, e.name);
    if (!vtable) return;
    const std::vector<Slot> slots = expectedSlots(e.members);
    vtable->GetTypeAttr(&attr);
    QV_CHECK_EQ(attr->typekind, TKIND_INTERFACE, e.name);
    QV_CHECK((attr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION) != 0, e.name);
    QV_CHECK((attr->wTypeFlags & TYPEFLAG_FDUAL) != 0, e.name);
    QV_CHECK_EQ(attr->cFuncs, static_cast<WORD>(slots.size()), e.name);
    QV_CHECK_EQ(attr->cbSizeVft, static_cast<WORD>((7 + slots.size()) * sizeof(void*)), e.name);
    const WORD funcs = attr->cFuncs;
    vtable->ReleaseTypeAttr(attr);
    for (WORD i = 0; i < funcs && i < slots.size(); ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(vtable->GetFuncDesc(i, &f))) continue;
        const Slot& s = slots[i];
        const std::string where = std::string(e.name) + "." + s.name + " slot " + std::to_string(i);
        QV_CHECK_EQ(nameOf(vtable.get(), f->memid), s.name, where);
        QV_CHECK_EQ(f->memid, s.dispid, where);
        QV_CHECK_EQ(f->invkind, s.kind, where);
        QV_CHECK_EQ(f->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)), where);
        QV_CHECK_EQ((f->wFuncFlags & FUNCFLAG_FHIDDEN) != 0, s.hidden, where);
        QV_CHECK_EQ(f->elemdescFunc.tdesc.vt, VT_HRESULT, where);
        QV_CHECK_EQ(paramText(vtable.get(), *f), s.params, where);
        vtable->ReleaseFuncDesc(f);
    }
}

void checkEvents(ITypeLib* lib, const ExpectedInterface& e) {
    Ref<ITypeInfo> info;
    QV_CHECK_EQ(lib->GetTypeInfoOfGuid(guidOf(e.events), info.out()), S_OK, e.eventName);
    if (!info) return;
    std::string help;
    QV_CHECK_EQ(nameOf(info.get(), MEMBERID_NIL, &help), e.eventName, e.eventName);
    QV_CHECK_EQ(help, std::string("Events interface for ") + e.className + " Control", e.eventName);
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    QV_CHECK_EQ(attr->typekind, TKIND_DISPATCH, e.eventName);
    QV_CHECK((attr->wTypeFlags & TYPEFLAG_FDUAL) == 0, e.eventName);
    QV_CHECK_EQ(attr->cVars, 0, e.eventName);
    const WORD funcs = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    // Nothing beyond what IDispatch itself declares: no event is ever fired.
    static const std::string kBase[] = {
        "QueryInterface", "AddRef",        "Release", "GetTypeInfoCount",
        "GetTypeInfo",    "GetIDsOfNames", "Invoke"};
    for (WORD i = 0; i < funcs; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(info->GetFuncDesc(i, &f))) continue;
        const std::string member = nameOf(info.get(), f->memid);
        QV_CHECK(std::find(std::begin(kBase), std::end(kBase), member) != std::end(kBase),
                 std::string(e.eventName) + "." + member);
        info->ReleaseFuncDesc(f);
    }
}

void checkClass(ITypeLib* lib, const ExpectedInterface& e) {
    Ref<ITypeInfo> info;
    QV_CHECK_EQ(lib->GetTypeInfoOfGuid(guidOf(e.clsid), info.out()), S_OK, e.className);
    if (!info) return;
    std::string help;
    QV_CHECK_EQ(nameOf(info.get(), MEMBERID_NIL, &help), e.className, e.className);
    QV_CHECK_EQ(help, std::string(e.className) + " Control", e.className);
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    QV_CHECK_EQ(attr->typekind, TKIND_COCLASS, e.className);
    QV_CHECK_EQ(attr->wTypeFlags & (TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL),
                TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL, e.className);
    QV_CHECK_EQ(attr->cImplTypes, 2, e.className);
    info->ReleaseTypeAttr(attr);
    const struct {
        const char* name;
        int flags;
    } impl[] = {{e.name, IMPLTYPEFLAG_FDEFAULT},
                {e.eventName, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
    for (UINT i = 0; i < 2; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        Ref<ITypeInfo> implInfo;
        info->GetImplTypeFlags(i, &flags);
        info->GetRefTypeOfImplType(i, &ref);
        info->GetRefTypeInfo(ref, implInfo.out());
        QV_CHECK_EQ(flags, impl[i].flags, e.className);
        QV_CHECK(implInfo && nameOf(implInfo.get()) == impl[i].name, e.className);
    }
}

void checkEnum(ITypeLib* lib, const ExpectedEnum& e) {
    Ref<ITypeInfo> info;
    QV_CHECK_EQ(lib->GetTypeInfoOfGuid(guidOf(e.guid), info.out()), S_OK, e.name);
    if (!info) return;
    QV_CHECK_EQ(nameOf(info.get()), e.name, e.name);
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    QV_CHECK_EQ(attr->typekind, TKIND_ENUM, e.name);
    QV_CHECK_EQ(attr->cVars, static_cast<WORD>(e.members.size()), e.name);
    const WORD vars = attr->cVars;
    info->ReleaseTypeAttr(attr);
    for (WORD i = 0; i < vars && i < e.members.size(); ++i) {
        VARDESC* v = nullptr;
        if (FAILED(info->GetVarDesc(i, &v))) continue;
        QV_CHECK_EQ(nameOf(info.get(), v->memid), e.members[i], e.name);
        QV_CHECK(
            v->varkind == VAR_CONST && V_VT(v->lpvarValue) == VT_I4 && V_I4(v->lpvarValue) == i,
            std::string(e.name) + "." + e.members[i]);
        info->ReleaseVarDesc(v);
    }
}

// OLE_COLOR and the font interface come from the standard OLE library, not copies of them.
void checkImports(ITypeLib* lib) {
    Ref<ITypeInfo> maxicode;
    lib->GetTypeInfoOfGuid(guidOf(kInterfaces[3].iid), maxicode.out());
    HREFTYPE ref = 0;
    Ref<ITypeInfo> vtable;
    maxicode->GetRefTypeOfImplType(-1, &ref);
    maxicode->GetRefTypeInfo(ref, vtable.out());
    FUNCDESC* f = nullptr;
    // get_BackColor follows setL, setResolution and the reads and writes of offsetX, L,
    // offsetY, TopMargin and LeftMargin.
    QV_CHECK_EQ(vtable->GetFuncDesc(12, &f), S_OK, "IMaxicodeX.BackColor");
    if (f == nullptr) return;
    const TYPEDESC& t = *f->lprgelemdescParam[0].tdesc.lptdesc;
    Ref<ITypeInfo> color;
    Ref<ITypeLib> container;
    UINT index = 0;
    if (t.vt == VT_USERDEFINED && SUCCEEDED(vtable->GetRefTypeInfo(t.hreftype, color.out())) &&
        SUCCEEDED(color->GetContainingTypeLib(container.out(), &index))) {
        BSTR name = nullptr;
        container->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
        QV_CHECK_EQ(narrow(name != nullptr ? name : L""), "stdole", "OLE_COLOR's library");
        SysFreeString(name);
    } else {
        QV_CHECK(false, "OLE_COLOR is not a reference into the OLE library");
    }
    vtable->ReleaseFuncDesc(f);
}

}  // namespace

int typeLibraryTest() {
    Ref<ITypeLib> lib;
    const HRESULT hr =
        LoadRegTypeLib(guidOf(L"{8F287C3B-92BA-46F8-8031-59CEBF68F14D}"), 1, 0, 1033, lib.out());
    QV_CHECK_EQ(hr, S_OK, "LoadRegTypeLib");
    if (!lib) return failureCount();
    TLIBATTR* attr = nullptr;
    lib->GetLibAttr(&attr);
    QV_CHECK_EQ(attr->lcid, 1033u, "locale");
    QV_CHECK(attr->wMajorVerNum == 1 && attr->wMinorVerNum == 0, "version");
    lib->ReleaseTLibAttr(attr);
    BSTR name = nullptr;
    BSTR help = nullptr;
    lib->GetDocumentation(-1, &name, &help, nullptr, nullptr);
    QV_CHECK_EQ(narrow(name), "Quorvantix", "library name");
    QV_CHECK_EQ(narrow(help), "Quorvantix Library", "library help");
    SysFreeString(name);
    SysFreeString(help);
    // Four interfaces, four event interfaces, four classes, five enumerations.
    QV_CHECK_EQ(lib->GetTypeInfoCount(), 17u, "type count");
    for (const ExpectedInterface& e : kInterfaces) {
        checkInterface(lib.get(), e);
        checkEvents(lib.get(), e);
        checkClass(lib.get(), e);
    }
    for (const ExpectedEnum& e : kEnums) checkEnum(lib.get(), e);
    checkImports(lib.get());
    return failureCount();
}

}  // namespace qv::activex::test
