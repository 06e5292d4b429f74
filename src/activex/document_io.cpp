#include "document_io.h"

#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <system_error>

#include "ansi_string.h"
#include "property_store.h"

namespace qv::activex {
namespace {

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

class BagSink final : public ItemSink {
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

class BagSource final : public ItemSource {
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

// Stream layout, little-endian: "QVP1", item count (u32), then per item its kind (u8), name
// length (u16), name, and the value: u8 Boolean, i32, IEEE double, or u32 length and bytes.
constexpr char kMagic[4] = {'Q', 'V', 'P', '1'};
constexpr std::uint32_t kMaxItems = 4096;
constexpr std::uint32_t kMaxString = 16u << 20;

class StreamSink final : public ItemSink {
  public:
    void put(std::string_view name, const StoredItem& item) override {
        ++count_;
        byte(static_cast<std::uint8_t>(item.index()));
        u16(static_cast<std::uint16_t>(name.size()));
        bytes_.append(name);
        if (const bool* b = std::get_if<bool>(&item)) {
            byte(*b ? 1 : 0);
        } else if (const std::int32_t* i = std::get_if<std::int32_t>(&item)) {
            u32(static_cast<std::uint32_t>(*i));
        } else if (const double* d = std::get_if<double>(&item)) {
            std::uint64_t bits;
            std::memcpy(&bits, d, sizeof bits);
            u32(static_cast<std::uint32_t>(bits));
            u32(static_cast<std::uint32_t>(bits >> 32));
        } else {
            const std::string& s = std::get<std::string>(item);
            if (s.size() > kMaxString) throw std::length_error("a text is too long to save");
            u32(static_cast<std::uint32_t>(s.size()));
            bytes_ += s;
        }
    }
    std::string finish() const {
        std::string out(kMagic, sizeof kMagic);
        for (int i = 0; i < 4; ++i) out += static_cast<char>((count_ >> (8 * i)) & 0xFF);
        return out + bytes_;
    }

  private:
    void byte(std::uint8_t v) { bytes_ += static_cast<char>(v); }
    void u16(std::uint16_t v) {
        byte(v & 0xFF);
        byte(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    std::string bytes_;
    std::uint32_t count_ = 0;
};

// Reads a whole saved stream first, so that a truncated or hostile one fails before anything
// is applied.
class StreamSource final : public ItemSource {
  public:
    explicit StreamSource(IStream* stream) : stream_(stream) {
        char magic[4];
        read(magic, sizeof magic);
        if (std::memcmp(magic, kMagic, sizeof magic) != 0) {
            throw std::system_error(static_cast<int>(E_FAIL), std::system_category(),
                                    "not a saved control");
        }
        const std::uint32_t count = u32();
        if (count > kMaxItems) throw std::length_error("too many saved items");
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t kind = byte();
            std::string name(u16(), '\0');
            read(name.data(), name.size());
            switch (kind) {
                case 0:
                    items_[name] = StoredItem(byte() != 0);
                    break;
                case 1:
                    items_[name] = StoredItem(static_cast<std::int32_t>(u32()));
                    break;
                case 2: {
                    const std::uint64_t low = u32();
                    const std::uint64_t bits = low | (std::uint64_t{u32()} << 32);
                    double d;
                    std::memcpy(&d, &bits, sizeof d);
                    items_[name] = StoredItem(d);
                    break;
                }
                case 3: {
                    const std::uint32_t size = u32();
                    if (size > kMaxString) throw std::length_error("a saved text is too long");
                    std::string s;
                    // In pieces, so a false length cannot claim memory the stream does not hold.
                    while (s.size() < size) {
                        char piece[4096];
                        const std::size_t n = std::min<std::size_t>(sizeof piece, size - s.size());
                        read(piece, n);
                        s.append(piece, n);
                    }
                    items_[name] = StoredItem(std::move(s));
                    break;
                }
                default:
                    throw std::system_error(static_cast<int>(E_FAIL), std::system_category(),
                                            "unknown kind of saved item");
            }
        }
    }
    std::optional<StoredItem> get(std::string_view name, ItemKind kind) override {
        const auto it = items_.find(std::string(name));
        if (it == items_.end() || it->second.index() != static_cast<std::size_t>(kind)) {
            return std::nullopt;
        }
        return it->second;
    }

  private:
    void read(void* to, std::size_t size) {
        ULONG got = 0;
        const HRESULT hr = stream_->Read(to, static_cast<ULONG>(size), &got);
        check(hr, "reading the saved control");
        if (got != size) {
            throw std::system_error(static_cast<int>(STG_E_READFAULT), std::system_category(),
                                    "the saved control is cut short");
        }
    }
    std::uint8_t byte() {
        std::uint8_t v;
        read(&v, 1);
        return v;
    }
    std::uint16_t u16() {
        const std::uint16_t low = byte();
        return static_cast<std::uint16_t>(low | (byte() << 8));
    }
    std::uint32_t u32() {
        const std::uint32_t low = u16();
        return low | (std::uint32_t{u16()} << 16);
    }
    IStream* stream_;
    std::map<std::string, StoredItem, std::less<>> items_;
};

std::string streamBytes(const Control& control) {
    StreamSink sink;
    saveProperties(control, sink);
    return sink.finish();
}

}  // namespace

void saveToBag(const Control& control, IPropertyBag* bag) {
    BagSink sink(bag);
    saveProperties(control, sink);
}

void loadFromBag(Control& control, IPropertyBag* bag) {
    BagSource source(bag);
    loadProperties(control, source);
}

void saveToStream(const Control& control, IStream* stream) {
    const std::string bytes = streamBytes(control);
    ULONG written = 0;
    check(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written),
          "writing the control");
    if (written != bytes.size()) {
        throw std::system_error(static_cast<int>(STG_E_MEDIUMFULL), std::system_category(),
                                "the control was not written whole");
    }
}

void loadFromStream(Control& control, IStream* stream) {
    StreamSource source(stream);
    loadProperties(control, source);
}

ULONGLONG streamSizeOf(const Control& control) {
    return streamBytes(control).size();
}

}  // namespace qv::activex
