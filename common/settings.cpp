#include "common/settings.h"

#include "platform/memory/out_of_memory.h"
#include "platform/profile/profile.h"
#include "platform/profile/profile_format.h"

namespace {

constexpr unsigned kReadBufferSize = 750;

}  // namespace

std::string ReadIni(const std::string& section, const std::string& key, const std::string& file) {
    const memory::Doing doing("reading the settings file");
    std::string buffer(kReadBufferSize, '\0');
    const std::string lower_key = profile::LowerName(key);
    const unsigned length = profile::GetPrivateProfileStringA(
        section.c_str(), lower_key.c_str(), "", buffer.data(), kReadBufferSize, file.c_str());
    buffer.resize(length);
    return buffer;
}

void WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file) {
    const memory::Doing doing("writing the settings file");
    // Nobody is told of a failed write: the value is simply not kept.
    (void)profile::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                              file.c_str());
}

std::string SettingsFilePath(const std::string& program_folder) {
    if (!program_folder.empty() && program_folder.back() == '/')
        return program_folder + "tavrel.ini";
    return program_folder + "/tavrel.ini";
}
