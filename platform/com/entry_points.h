#pragma once
// The functions a component library exports by name, and their types. A host finds them with
// dlsym; the library defines them extern "C" with exactly these signatures.

#include "platform/com/class_factory.h"
#include "platform/com/status.h"
#include "platform/com/type_info.h"

namespace com::entry {

// Ok when no object or factory of the library is alive, so it may be unloaded.
inline constexpr const char* kCanUnloadNow = "DllCanUnloadNow";
using CanUnloadNow = Status (*)();

// The factory for the class named `class_name` (its ProgID), holding one reference.
inline constexpr const char* kGetClassObject = "DllGetClassObject";
using GetClassObject = Status (*)(const char* class_name, ClassFactory** factory);

// Enter or remove the library's classes in the registry file `registry_file`; nullptr means
// the registry file beside the library itself.
inline constexpr const char* kRegisterServer = "DllRegisterServer";
inline constexpr const char* kUnregisterServer = "DllUnregisterServer";
using RegisterServer = Status (*)(const char* registry_file);

inline constexpr const char* kGetTypeInfo = "DllGetTypeInfo";
using GetTypeInfo = const TypeLibraryInfo* (*)();

inline constexpr const char* kGetFileVersion = "DllGetFileVersion";
using GetFileVersion = const FileVersion* (*)();

}  // namespace com::entry
