#pragma once
// The component registry: a text file that maps each ProgID to the library that serves it, one
// "ProgID=library path" line each. Blank lines and lines starting with '#' are ignored; ProgIDs
// match in any letter case; a relative library path is taken from the registry file's folder.
// The file is read whole on every look-up and rewritten whole on every change.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace com {

inline constexpr std::string_view kRegistryFileName = "components.list";

class Registry {
  public:
    explicit Registry(std::filesystem::path file) : m_file(std::move(file)) {}

    // The registry beside the running program.
    static Registry BesideExecutable();
    // The registry file in `folder`.
    static Registry InFolder(const std::filesystem::path& folder);

    const std::filesystem::path& file() const { return m_file; }

    // The library registered for `prog_id`, or nullopt.
    std::optional<std::filesystem::path> Lookup(std::string_view prog_id) const;

    // Enters `prog_id` for `library`, replacing an older entry; false with `error` when the file
    // cannot be written.
    bool Register(std::string_view prog_id, const std::filesystem::path& library,
                  std::string& error) const;

    // Removes `prog_id`; removing one that is not there succeeds.
    bool Unregister(std::string_view prog_id, std::string& error) const;

  private:
    std::filesystem::path m_file;
};

}  // namespace com
