#include "platform/com/library.h"

#include <dlfcn.h>

#include "platform/com/entry_points.h"

namespace com {

std::shared_ptr<Library> Library::Open(const std::filesystem::path& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "cannot load " + path.string();
        return nullptr;
    }
    return std::shared_ptr<Library>(new Library(handle, path));
}

Library::Library(void* handle, std::filesystem::path path)
    : m_handle(handle), m_path(std::move(path)) {}

Library::~Library() {
    // Unloading under a live object would leave it without its code; keep such a library.
    const auto can_unload = Find<entry::CanUnloadNow>(entry::kCanUnloadNow);
    if (can_unload == nullptr || can_unload() == Status::Ok) dlclose(m_handle);
}

void* Library::Symbol(const char* name) const {
    return dlsym(m_handle, name);
}

}  // namespace com
