#pragma once

// The profile (INI) text format, as pure functions over a file's bytes.
//
// A line is a section header "[name]" or a value line "key=value"; lines end in CR LF or LF.
// Names compare regardless of letter case (ASCII and the Windows-1252 accented letters) and
// of blanks around them. Only the first section of a given name counts, and within it only the
// first line of a given key. Lines that are neither headers nor value lines, and value lines
// above the first header, are kept on writing but never read.

#include <optional>
#include <string>
#include <string_view>

namespace profile {

// The name in small letters, as the format compares names.
std::string LowerName(std::string_view name);

bool NamesEqual(std::string_view a, std::string_view b);

// The value of `key` in `section`: the text after the first '=', blanks at both ends removed,
// then one pair of matching enclosing quotation marks (" or ') removed. `found` tells a
// missing key from an empty value.
std::string LookupValue(std::string_view file_bytes, std::string_view section, std::string_view key,
                        bool& found);

// The file's bytes with `key` in `section` set to `value`: the key's line is rewritten as
// "key=value" in place, or added at the end of its section, or a new section is appended.
// Every other line stays byte for byte. New lines take the file's own line ending (CR LF for
// a file that has none yet).
//
// Gives nothing when the pair cannot be stored without changing other keys: a line break or
// NUL in any of the three, a ']' in the section, an '=' in the key or a key starting with '['.
std::optional<std::string> WithValue(std::string_view file_bytes, std::string_view section,
                                     std::string_view key, std::string_view value);

}  // namespace profile
