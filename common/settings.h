#pragma once

// The program's settings file: one value per call, read afresh and written at once.

#include <string>

// The value of `key` in `section`, "" when the file, the section or the key is missing. The
// key is looked up in small letters; values longer than 749 characters come back cut to that.
std::string ReadIni(const std::string& section, const std::string& key, const std::string& file);

// Stores the value under the key exactly as given. A failed write is passed over.
void WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file);

// The settings file "tavrel.ini" in the program's folder.
std::string SettingsFilePath(const std::string& program_folder);
