#pragma once

// Stand-ins for the platform's profile (INI) file functions, working on the file at each call:
// nothing is cached, so a file edited by hand is seen at the next read.

#include <string>

namespace profile {

// Copies the value of `key` in `section` of the file into `buffer`, cut to `size` - 1
// characters and ended by a NUL, and gives the number of characters copied. The value reads
// as in LookupValue and ends at a NUL byte. `default_value` (or "" when null) stands in for
// a value that is missing or cannot be read: no file, a folder, an unreadable file.
unsigned GetPrivateProfileStringA(const char* section, const char* key, const char* default_value,
                                  char* buffer, unsigned size, const char* file_path);

// Sets `key` in `section` to `value` as WithValue does, creating the file and the section when
// they are missing, and replaces the file by the rules of ReplaceFileBytes (in one step, through
// links, only where the user may write it). Gives false and leaves the file untouched when it
// cannot be read or written, or when the pair cannot be stored: a value with a line break would
// spill into lines of its own.
bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* file_path);

}  // namespace profile
