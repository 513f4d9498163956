#pragma once
// A component library's description of itself, read by the host at run time: its classes'
// properties with their dispatch ids and the events they raise.

#include <span>
#include <string_view>

#include "platform/com/dispatch.h"

namespace com {

enum class ValueType { Bool, Int16, Int32, Colour };

struct PropertyInfo {
    const char* name;
    DispId id;
    ValueType type;
};

struct ParameterInfo {
    const char* name;
    ValueType type;
    bool by_reference;
};

struct EventInfo {
    const char* name;
    DispId id;
    std::span<const ParameterInfo> parameters;
};

struct InterfaceInfo {
    const char* name;
    std::span<const PropertyInfo> properties;
    std::span<const EventInfo> events;
};

struct TypeLibraryInfo {
    const char* library_name;
    int major_version;
    int minor_version;
    const char* class_name;
    const char* prog_id;
    InterfaceInfo default_interface;
    InterfaceInfo event_interface;
};

struct FileVersion {
    int major;
    int minor;
    bool self_registering;
};

// The property of `library`'s default interface called `name` (exact case), or nullptr.
const PropertyInfo* FindProperty(const TypeLibraryInfo& library, std::string_view name);

}  // namespace com
