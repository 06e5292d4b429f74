// The published properties saved into and loaded from a container's document, through the same
// property table the command line uses. A value equal to its declared stored default is not
// written; on loading, an absent property takes that stored default (documents written by any
// implementation then read back as they were saved), or keeps the constructor's value when the
// table declares none. Results of a paint are never saved.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "quorvantix/control.h"

namespace qv::persistence {

// One saved item: a property, or one attribute of a font ("Font.Name", ...).
using StoredItem = std::variant<bool, std::int32_t, double, std::string>;
enum class ItemKind : std::uint8_t { Boolean, Integer, Double, String };

class ItemSink {
  public:
    virtual ~ItemSink() = default;
    virtual void put(std::string_view name, const StoredItem& item) = 0;
};

class ItemSource {
  public:
    virtual ~ItemSource() = default;
    // The item converted to the kind, or nullopt when absent or not convertible.
    virtual std::optional<StoredItem> get(std::string_view name, ItemKind kind) = 0;
};

void saveProperties(const Control& control, ItemSink& sink);
// Loads into a freshly constructed control. Throws when a property's setter does.
void loadProperties(Control& control, ItemSource& source);

}  // namespace qv::persistence
