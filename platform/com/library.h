#pragma once
// A component library loaded with dlopen. It stays loaded while any holder of the shared
// pointer remains, and is closed afterwards only if it says none of its objects is alive.

#include <filesystem>
#include <memory>
#include <string>

namespace com {

class Library {
  public:
    // The loaded library, or nullptr with `error` saying why.
    static std::shared_ptr<Library> Open(const std::filesystem::path& path, std::string& error);

    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // The exported function `name` as type `Function`, or nullptr when there is none.
    template <class Function>
    Function Find(const char* name) const {
        return reinterpret_cast<Function>(Symbol(name));
    }

  private:
    Library(void* handle, std::filesystem::path path);
    void* Symbol(const char* name) const;

    void* m_handle;
    std::filesystem::path m_path;
};

}  // namespace com
