#pragma once
// Late-bound access to a component's properties by dispatch id. The component converts the
// value it is given to the property's own type (see the conversions in variant.h).

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/com/status.h"
#include "platform/com/variant.h"

namespace com {

using DispId = std::int32_t;

enum class InvokeKind { PropertyGet, PropertyPut };

class Dispatch {
  public:
    static constexpr std::string_view kInterfaceName = "com.Dispatch";

    // A put takes exactly one argument, the new value; a get takes none and sets `result`.
    // On failure nothing has changed and `result` is left alone.
    virtual Status Invoke(DispId member, InvokeKind kind, std::span<const Variant> args,
                          Variant& result) = 0;

  protected:
    ~Dispatch() = default;
};

}  // namespace com
