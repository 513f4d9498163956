#include "platform/com/memory_property_bag.h"

#include <algorithm>

namespace com {

MemoryPropertyBag::MemoryPropertyBag(std::initializer_list<Entry> entries) {
    for (const auto& [key, value] : entries) Write(key, value, Variant());
}

Variant MemoryPropertyBag::Read(std::string_view key, const Variant& default_value) {
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& entry) { return entry.first == key; });
    return found == m_entries.end() ? default_value : found->second;
}

void MemoryPropertyBag::Write(std::string_view key, const Variant& value,
                              const Variant& default_value) {
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& entry) { return entry.first == key; });
    if (SameValue(value, default_value)) {
        if (found != m_entries.end()) m_entries.erase(found);
    } else if (found != m_entries.end()) {
        found->second = value;
    } else {
        m_entries.emplace_back(std::string(key), value);
    }
}

bool MemoryPropertyBag::contains(std::string_view key) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const Entry& entry) { return entry.first == key; });
}

}  // namespace com
