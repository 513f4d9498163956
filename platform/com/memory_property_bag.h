#pragma once
// A property bag held in memory: the design values a window gives its controls, and what a
// control saves. Keys keep the order in which they were first stored.

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "platform/com/property_bag.h"

namespace com {

class MemoryPropertyBag final : public PropertyBag {
  public:
    using Entry = std::pair<std::string, Variant>;

    MemoryPropertyBag() = default;
    MemoryPropertyBag(std::initializer_list<Entry> entries);

    Variant Read(std::string_view key, const Variant& default_value) override;
    void Write(std::string_view key, const Variant& value, const Variant& default_value) override;

    const std::vector<Entry>& entries() const { return m_entries; }
    bool contains(std::string_view key) const;

  private:
    std::vector<Entry> m_entries;
};

}  // namespace com
