#include "document_io.h"

#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <system_error>

#include "ansi_string.h"
#include "persistence/property_store.h"
#include "persistence/saved_stream.h"

namespace qv::activex {
namespace {

using persistence::ItemKind;
using persistence::StoredItem;

void check(HRESULT hr, const char* what) {
    if (FAILED(hr)) throw std::system_error(static_cast<int>(hr), std::system_category(), what);
}

struct VariantHolder : VARIANT {
    VariantHolder() { VariantInit(this); }
    ~VariantHolder() { VariantClear(this); }
    VariantHolder(const VariantHolder&) = delete;
    VariantHolder& operator=(const VariantHolder&) = delete;
};

std::wstring wide(std::string_view name) {
    return std::wstring(name.begin(), name.end());  // property names are ASCII
}

class BagSink final : public persistence::ItemSink {
  public:
    explicit BagSink(IPropertyBag* bag) : bag_(bag) {}
    void put(std::string_view name, const StoredItem& item) override {
        VariantHolder v;
        if (const bool* b = std::get_if<bool>(&item)) {
            v.vt = VT_BOOL;
            v.boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
        } else if (const std::int32_t* i = std::get_if<std::int32_t>(&item)) {
            v.vt = VT_I4;
            v.lVal = *i;
        } else if (const double* d = std::get_if<double>(&item)) {
            v.vt = VT_R8;
            v.dblVal = *d;
        } else {
            v.vt = VT_BSTR;
            v.bstrVal = toBstr(std::get<std::string>(item));
        }
        check(bag_->Write(wide(name).c_str(), &v), "writing to the property bag");
    }

  private:
    IPropertyBag* bag_;
};

class BagSource final : public persistence::ItemSource {
  public:
    explicit BagSource(IPropertyBag* bag) : bag_(bag) {}
    std::optional<StoredItem> get(std::string_view name, ItemKind kind) override {
        VariantHolder read;
        if (FAILED(bag_->Read(wide(name).c_str(), &read, nullptr))) return std::nullopt;
        static constexpr VARTYPE kTypes[] = {VT_BOOL, VT_I4, VT_R8, VT_BSTR};
        VariantHolder v;
        // Containers keep values as text or in other types; whatever does not convert is absent.
        if (FAILED(VariantChangeTypeEx(&v, &read, LOCALE_INVARIANT, 0,
                                       kTypes[static_cast<int>(kind)]))) {
            return std::nullopt;
        }
        switch (kind) {
            case ItemKind::Boolean:
                return StoredItem(v.boolVal != VARIANT_FALSE);
            case ItemKind::Integer:
                return StoredItem(static_cast<std::int32_t>(v.lVal));
            case ItemKind::Double:
                return StoredItem(v.dblVal);
            case ItemKind::String:
                return StoredItem(toAnsi(v.bstrVal));
        }
        return std::nullopt;
    }

  private:
    IPropertyBag* bag_;
};

// Reads a saved control from a container's stream, byte for byte as asked.
class StreamInput final : public persistence::ByteReader {
  public:
    explicit StreamInput(IStream* stream) : stream_(stream) {}
    void read(void* to, std::size_t size) override {
        ULONG got = 0;
        check(stream_->Read(to, static_cast<ULONG>(size), &got), "reading the saved control");
        if (got != size) {
            throw std::system_error(static_cast<int>(STG_E_READFAULT), std::system_category(),
                                    "the saved control is cut short");
        }
    }

  private:
    IStream* stream_;
};

}  // namespace

void saveToBag(const Control& control, IPropertyBag* bag) {
    BagSink sink(bag);
    persistence::saveProperties(control, sink);
}

void loadFromBag(Control& control, IPropertyBag* bag) {
    BagSource source(bag);
    persistence::loadProperties(control, source);
}

void saveToStream(const Control& control, IStream* stream) {
    const std::string bytes = persistence::savedBytes(control);
    ULONG written = 0;
    check(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written),
          "writing the control");
    if (written != bytes.size()) {
        throw std::system_error(static_cast<int>(STG_E_MEDIUMFULL), std::system_category(),
                                "the control was not written whole");
    }
}

void loadFromStream(Control& control, IStream* stream) {
    StreamInput input(stream);
    try {
        persistence::StreamReader source(input);
        persistence::loadProperties(control, source);
    } catch (const persistence::FormatError& e) {
        throw std::system_error(static_cast<int>(E_FAIL), std::system_category(), e.what());
    }
}

ULONGLONG streamSizeOf(const Control& control) {
    return persistence::savedBytes(control).size();
}

}  // namespace qv::activex
