// The settings file's format: any file bytes, then a section, key and value. When the pair can
// be stored, a read gives back what was written (as the format reads values: blanks at the ends
// and one pair of enclosing quotes dropped; exactly the value when it has neither), and every
// other pair reads as it did before. When it cannot, the reason is one the format names.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "platform/profile/profile_format.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

std::string_view Trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// How the format reads a stored value back.
std::string AsRead(std::string_view value) {
    value = Trimmed(value);
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\''))
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool Storable(std::string_view section, std::string_view key, std::string_view value) {
    for (std::string_view part : {section, key, value})
        if (part.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
            return false;
    if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos)
        return false;
    return Trimmed(key).empty() || Trimmed(key).front() != '[';
}

// Names of the settings file, and bytes that make its lines interesting.
std::string Name(FuzzedDataProvider& in) {
    static const char* const kNames[] = {"tavrel", "scramble",   "completed", "finished",
                                         "TAVREL", " Scramble ", "",          "[x",
                                         "a=b",    "\xC4",       "\xE4"};
    if (in.ConsumeBool())
        return kNames[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
    return in.ConsumeRandomLengthString(16);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string section = Name(in);
    const std::string key = Name(in);
    const std::string value = in.ConsumeRandomLengthString(32);
    const std::string other_section = Name(in);
    const std::string other_key = Name(in);
    const std::string file = in.ConsumeRemainingBytesAsString();

    const auto written = profile::WithValue(file, section, key, value);
    fuzz::Check(written.has_value() == Storable(section, key, value),
                "a pair is refused exactly when the format cannot hold it");
    if (!written) return 0;

    bool found = false;
    const std::string back = profile::LookupValue(*written, section, key, found);
    fuzz::Check(found, "a written key is found");
    fuzz::Check(back == AsRead(value), "a written value reads back", back);
    if (AsRead(value) == value) fuzz::Check(back == value, "a plain value reads back exactly");

    // Writing the same value again changes nothing.
    fuzz::Check(profile::WithValue(*written, section, key, value) == written,
                "writing a value twice leaves the file as the first write left it");

    if (!(profile::NamesEqual(section, other_section) && profile::NamesEqual(key, other_key))) {
        bool found_before = false, found_after = false;
        const std::string before =
            profile::LookupValue(file, other_section, other_key, found_before);
        const std::string after =
            profile::LookupValue(*written, other_section, other_key, found_after);
        fuzz::Check(found_before == found_after && before == after,
                    "every other pair reads as it did", other_section + "/" + other_key);
    }
    return 0;
}
