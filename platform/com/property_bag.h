#pragma once
// Where a control keeps its design-time settings. A value equal to its default is never stored,
// so a bag holds only what differs from the defaults.

#include <string_view>

#include "platform/com/variant.h"

namespace com {

class PropertyBag {
  public:
    // The value stored under `key`, or `default_value` when there is none.
    virtual Variant Read(std::string_view key, const Variant& default_value) = 0;
    // Stores `value` under `key`; a value equal to `default_value` removes the key instead.
    virtual void Write(std::string_view key, const Variant& value,
                       const Variant& default_value) = 0;

  protected:
    ~PropertyBag() = default;
};

}  // namespace com
