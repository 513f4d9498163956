// The quiz-list reader and writer: the same line rules, entries kept as typed. Any list that
// was read from a file is saved and read back unchanged, and saving never leaves a stray file.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/word_list_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> entries = SplitListLines(bytes);

    const std::string path = fuzz::ScratchFolder() + "/questions.qz";
    fuzz::Check(WriteListFile(path, entries), "a list saves");
    std::vector<std::string> back;
    fuzz::Check(ReadListFile(path, [&](const std::string& line) { back.push_back(line); }),
                "a saved list reads");
    fuzz::Check(back == entries, "a saved list reads back as it was");

    // Saving any entries at all, line breaks inside them included: what reads back is each
    // entry's own lines in turn, as if every entry had been read on its own.
    std::vector<std::string> typed;
    for (std::size_t at = 0; at < bytes.size(); at += 7) typed.push_back(bytes.substr(at, 7));
    fuzz::Check(WriteListFile(path, typed), "any entries save");
    std::vector<std::string> typed_back;
    fuzz::Check(ReadListFile(path, [&](const std::string& line) { typed_back.push_back(line); }),
                "saved entries read");
    std::vector<std::string> lines;
    for (const std::string& entry : typed)
        for (std::string& line : SplitListLines(entry)) lines.push_back(std::move(line));
    fuzz::Check(typed_back == lines,
                "saved entries read back as their lines, the empty ones left out");

    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(fuzz::ScratchFolder()))
        files += entry.path().filename() == "questions.qz" ? 0 : 1;
    fuzz::Check(files == 0, "no temporary file is left behind");
    return 0;
}
