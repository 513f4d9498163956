// The word-list reader as the main window's loader uses it: any bytes read from a file, every
// line lower-cased. The reader must agree with a plain restatement of the line rules, whatever
// the file's size (the input can be placed across the reader's 64 KiB buffer boundary) and
// however the bytes arrive in pieces.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "common/word_list_file.h"
#include "fuzz/fuzz_support.h"
#include "platform/text/text.h"

namespace {

// The rules as the file format states them, one byte at a time.
std::vector<std::string> ReferenceLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool cut = false;  // a NUL has ended the line's text
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') {
            if (bytes[i] == '\0') cut = true;
            if (!cut) line += bytes[i];
            continue;
        }
        if (!line.empty()) lines.push_back(line);
        line.clear();
        cut = false;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte: with its top bit set, the rest starts 0 to 15 bytes before the 64 KiB
    // mark where the file reader's buffer ends; bits 4 to 6 give the size of the pieces that
    // the splitter is fed.
    const unsigned control = data[0];
    std::string bytes;
    if (control & 0x80) bytes.assign(64 * 1024 - (control & 0x0F), 'w');
    const std::size_t filler = bytes.size();
    bytes.append(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t piece = 1 + ((control >> 4) & 0x07);

    const std::vector<std::string> expected = ReferenceLines(bytes);
    fuzz::Check(SplitListLines(bytes) == expected, "SplitListLines agrees with the rules");

    std::vector<std::string> pieced;
    ListLineSplitter splitter([&](const std::string& line) { pieced.push_back(line); });
    splitter.feed(std::string_view(bytes).substr(0, filler));
    for (std::size_t at = filler; at < bytes.size(); at += piece)
        splitter.feed(std::string_view(bytes).substr(at, piece));
    splitter.finish();
    fuzz::Check(pieced == expected, "pieces of any size read as the whole");

    const std::string path = fuzz::ScratchFolder() + "/words.log";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::vector<std::string> loaded;
    fuzz::Check(
        ReadListFile(path, [&](const std::string& line) { loaded.push_back(text::LCase(line)); }),
        "a readable file reads");
    fuzz::Check(loaded.size() == expected.size(), "one entry per non-empty line");
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        fuzz::Check(loaded[i] == text::LCase(expected[i]), "entries come lower-cased, in order",
                    loaded[i]);
        fuzz::Check(!loaded[i].empty() &&
                        loaded[i].find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
                    "no empty entry and no line end or NUL in one", loaded[i]);
        fuzz::Check(text::LCase(loaded[i]) == loaded[i], "lower-casing is settled", loaded[i]);
    }
    return 0;
}
