#include "persistence/saved_stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace qv::persistence {
namespace {

constexpr char kMagic[4] = {'Q', 'V', 'P', '1'};
constexpr std::uint32_t kMaxItems = 4096;
constexpr std::uint32_t kMaxString = 16u << 20;

void putByte(std::string& out, std::uint8_t v) {
    out += static_cast<char>(v);
}
void putU16(std::string& out, std::uint16_t v) {
    putByte(out, v & 0xFF);
    putByte(out, static_cast<std::uint8_t>(v >> 8));
}
void putU32(std::string& out, std::uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, static_cast<std::uint16_t>(v >> 16));
}

class Input {
  public:
    explicit Input(ByteReader& in) : in_(in) {}
    void read(void* to, std::size_t size) { in_.read(to, size); }
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
    std::string text(std::uint32_t size) {
        std::string s;
        // In pieces, so a false length cannot claim memory the stream does not hold.
        while (s.size() < size) {
            char piece[4096];
            const std::size_t n = std::min<std::size_t>(sizeof piece, size - s.size());
            read(piece, n);
            s.append(piece, n);
        }
        return s;
    }

  private:
    ByteReader& in_;
};

class MemoryReader final : public ByteReader {
  public:
    explicit MemoryReader(std::string_view bytes) : bytes_(bytes) {}
    void read(void* to, std::size_t size) override {
        if (size > bytes_.size() - position_) throw FormatError("the saved control is cut short");
        std::memcpy(to, bytes_.data() + position_, size);
        position_ += size;
    }

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

}  // namespace

void StreamWriter::put(std::string_view name, const StoredItem& item) {
    if (name.size() > 0xFFFF) throw std::length_error("a property name is too long to save");
    ++count_;
    putByte(bytes_, static_cast<std::uint8_t>(item.index()));
    putU16(bytes_, static_cast<std::uint16_t>(name.size()));
    bytes_.append(name);
    if (const bool* b = std::get_if<bool>(&item)) {
        putByte(bytes_, *b ? 1 : 0);
    } else if (const std::int32_t* i = std::get_if<std::int32_t>(&item)) {
        putU32(bytes_, static_cast<std::uint32_t>(*i));
    } else if (const double* d = std::get_if<double>(&item)) {
        std::uint64_t bits;
        std::memcpy(&bits, d, sizeof bits);
        putU32(bytes_, static_cast<std::uint32_t>(bits));
        putU32(bytes_, static_cast<std::uint32_t>(bits >> 32));
    } else {
        const std::string& s = std::get<std::string>(item);
        if (s.size() > kMaxString) throw std::length_error("a text is too long to save");
        putU32(bytes_, static_cast<std::uint32_t>(s.size()));
        bytes_ += s;
    }
}

std::string StreamWriter::finish() const {
    std::string out(kMagic, sizeof kMagic);
    putU32(out, count_);
    return out + bytes_;
}

StreamReader::StreamReader(ByteReader& reader) {
    Input in(reader);
    char magic[4];
    in.read(magic, sizeof magic);
    if (std::memcmp(magic, kMagic, sizeof magic) != 0) throw FormatError("not a saved control");
    const std::uint32_t count = in.u32();
    if (count > kMaxItems) throw FormatError("too many saved items");
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t kind = in.byte();
        std::string name = in.text(in.u16());
        switch (kind) {
            case 0:
                items_[name] = StoredItem(in.byte() != 0);
                break;
            case 1:
                items_[name] = StoredItem(static_cast<std::int32_t>(in.u32()));
                break;
            case 2: {
                const std::uint64_t low = in.u32();
                const std::uint64_t bits = low | (std::uint64_t{in.u32()} << 32);
                double d;
                std::memcpy(&d, &bits, sizeof d);
                items_[name] = StoredItem(d);
                break;
            }
            case 3: {
                const std::uint32_t size = in.u32();
                if (size > kMaxString) throw FormatError("a saved text is too long");
                items_[name] = StoredItem(in.text(size));
                break;
            }
            default:
                throw FormatError("unknown kind of saved item");
        }
    }
}

std::optional<StoredItem> StreamReader::get(std::string_view name, ItemKind kind) {
    const auto it = items_.find(name);
    if (it == items_.end() || it->second.index() != static_cast<std::size_t>(kind)) {
        return std::nullopt;
    }
    return it->second;
}

std::string savedBytes(const Control& control) {
    StreamWriter writer;
    saveProperties(control, writer);
    return writer.finish();
}

void loadSavedBytes(Control& control, std::string_view bytes) {
    MemoryReader reader(bytes);
    StreamReader source(reader);
    loadProperties(control, source);
}

}  // namespace qv::persistence
