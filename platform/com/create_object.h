#pragma once
// Creating a component object by its ProgID: the registry names the library, the library is
// loaded and its class factory makes the object.

#include <string>
#include <string_view>

#include "platform/com/object_ref.h"
#include "platform/com/registry.h"

namespace com {

// The new object, or an empty reference with `error` reading
// `cannot create "ProgID": reason`.
ObjectRef CreateObject(std::string_view prog_id, const Registry& registry, std::string& error);

}  // namespace com
