// Registers a component library in a component registry file, or removes it, by calling the
// library's own DllRegisterServer or DllUnregisterServer.
//
//     orvane_register [-u] LIBRARY [REGISTRY_FILE]
//
// Without REGISTRY_FILE the library uses the registry file beside itself.

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/com/entry_points.h"
#include "platform/com/library.h"

int main(int argc, char** argv) {
    int next = 1;
    const bool unregister = next < argc && std::strcmp(argv[next], "-u") == 0;
    if (unregister) ++next;
    if (next >= argc || argc - next > 2) {
        std::fprintf(stderr, "usage: %s [-u] LIBRARY [REGISTRY_FILE]\n", argv[0]);
        return 2;
    }
    const char* library_path = argv[next];
    const char* registry_file = next + 1 < argc ? argv[next + 1] : nullptr;

    std::string error;
    const auto library = com::Library::Open(library_path, error);
    if (!library) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    const char* entry_name =
        unregister ? com::entry::kUnregisterServer : com::entry::kRegisterServer;
    const auto entry = library->Find<com::entry::RegisterServer>(entry_name);
    if (entry == nullptr) {
        std::fprintf(stderr, "%s: %s does not export %s\n", argv[0], library_path, entry_name);
        return 1;
    }
    const com::Status status = entry(registry_file);
    if (status != com::Status::Ok) {
        std::fprintf(stderr, "%s: %s failed: %s\n", argv[0], entry_name,
                     std::string(com::StatusText(status)).c_str());
        return 1;
    }
    return 0;
}
