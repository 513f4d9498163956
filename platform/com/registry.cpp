#include "platform/com/registry.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "platform/text/text.h"

namespace com {
namespace {

struct Entry {
    std::string prog_id;
    std::string library;
};

std::vector<Entry> ReadEntries(const std::filesystem::path& file) {
    std::vector<Entry> entries;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t equals = line.find('=');
        if (line.empty() || line.front() == '#' || equals == std::string::npos) continue;
        entries.push_back(
            {text::Trim(line.substr(0, equals)), text::Trim(line.substr(equals + 1))});
    }
    return entries;
}

// Writes beside the file and renames, so a reader never sees half a registry.
bool WriteEntries(const std::filesystem::path& file, const std::vector<Entry>& entries,
                  std::string& error) {
    std::ostringstream content;
    content << "# Component registry: ProgID=library\n";
    for (const Entry& entry : entries) content << entry.prog_id << '=' << entry.library << '\n';

    std::filesystem::path temporary = file;
    temporary += ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << content.str();
        out.close();
        if (!out) {
            error = "cannot write " + temporary.string();
            return false;
        }
    }
    std::error_code failure;
    std::filesystem::rename(temporary, file, failure);
    if (failure) {
        std::filesystem::remove(temporary, failure);
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

}  // namespace

Registry Registry::BesideExecutable() {
    std::error_code failure;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failure);
    return InFolder(failure ? std::filesystem::current_path(failure) : program.parent_path());
}

Registry Registry::InFolder(const std::filesystem::path& folder) {
    return Registry(folder / kRegistryFileName);
}

std::optional<std::filesystem::path> Registry::Lookup(std::string_view prog_id) const {
    for (const Entry& entry : ReadEntries(m_file)) {
        if (!text::EqualsIgnoreCase(entry.prog_id, prog_id) || entry.library.empty()) continue;
        const std::filesystem::path library(entry.library);
        return library.is_absolute() ? library : m_file.parent_path() / library;
    }
    return std::nullopt;
}

bool Registry::Register(std::string_view prog_id, const std::filesystem::path& library,
                        std::string& error) const {
    std::vector<Entry> entries = ReadEntries(m_file);
    std::erase_if(entries,
                  [&](const Entry& e) { return text::EqualsIgnoreCase(e.prog_id, prog_id); });
    entries.push_back({std::string(prog_id), library.string()});
    return WriteEntries(m_file, entries, error);
}

bool Registry::Unregister(std::string_view prog_id, std::string& error) const {
    std::vector<Entry> entries = ReadEntries(m_file);
    const std::size_t removed = std::erase_if(
        entries, [&](const Entry& e) { return text::EqualsIgnoreCase(e.prog_id, prog_id); });
    if (removed == 0) return true;
    return WriteEntries(m_file, entries, error);
}

}  // namespace com
