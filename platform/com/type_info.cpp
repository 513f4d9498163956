#include "platform/com/type_info.h"

namespace com {

const PropertyInfo* FindProperty(const TypeLibraryInfo& library, std::string_view name) {
    for (const PropertyInfo& property : library.default_interface.properties)
        if (name == property.name) return &property;
    return nullptr;
}

}  // namespace com
