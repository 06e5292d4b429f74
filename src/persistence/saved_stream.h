// The binary form of a control's saved properties, as a container's stream holds it.
// Little-endian: "QVP1", the item count (u32), then per item its kind (u8), name length (u16),
// name, and the value: u8 Boolean, i32, IEEE double, or u32 length and bytes.
#pragma once

#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>

#include "persistence/property_store.h"

namespace qv::persistence {

// A stream that is not a saved control, or one that claims more than it may.
class FormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class StreamWriter final : public ItemSink {
  public:
    // Throws std::length_error for a text too long to save.
    void put(std::string_view name, const StoredItem& item) override;
    std::string finish() const;

  private:
    std::string bytes_;
    std::uint32_t count_ = 0;
};

// Reads exactly the bytes asked for, or throws.
class ByteReader {
  public:
    virtual ~ByteReader() = default;
    virtual void read(void* to, std::size_t size) = 0;
};

// Reads the whole saved form at construction, so that a cut or hostile stream fails before
// anything is applied; it reads no byte past the saved form.
class StreamReader final : public ItemSource {
  public:
    explicit StreamReader(ByteReader& in);
    std::optional<StoredItem> get(std::string_view name, ItemKind kind) override;

  private:
    std::map<std::string, StoredItem, std::less<>> items_;
};

// The saved form of a control, and loading one from memory (throws on a bad form).
std::string savedBytes(const Control& control);
void loadSavedBytes(Control& control, std::string_view bytes);

}  // namespace qv::persistence
