#include "common/word_list_file.h"

#include "platform/memory/out_of_memory.h"
#include "platform/profile/file_bytes.h"
#include "platform/text/text.h"

namespace {

constexpr char kCr = 13;
constexpr char kLf = 10;

}  // namespace

void ListLineSplitter::feed(std::string_view bytes) {
    for (char c : bytes) {
        if (m_after_cr) {
            m_after_cr = false;
            if (c == kLf) continue;
        }
        if (c == kCr) {
            end_line();
            m_after_cr = true;
        } else if (c == kLf) {
            end_line();
        } else {
            m_line.push_back(c);
        }
    }
}

void ListLineSplitter::finish() {
    end_line();
    m_after_cr = false;
}

void ListLineSplitter::end_line() {
    // The lists keep C strings, so a line ends for good at a NUL: the rest of it is dropped, and
    // a line that is empty before its NUL is an empty line.
    std::string line = text::UpToNul(m_line);
    m_line.clear();
    if (!line.empty()) m_each_line(line);
}

std::vector<std::string> SplitListLines(std::string_view bytes) {
    std::vector<std::string> lines;
    ListLineSplitter splitter([&lines](const std::string& line) { lines.push_back(line); });
    splitter.feed(bytes);
    splitter.finish();
    return lines;
}

bool ReadListFile(const std::string& path,
                  const std::function<void(const std::string& line)>& each_line) {
    const memory::Doing doing("reading a list");
    ListLineSplitter splitter(each_line);
    const profile::ReadOutcome outcome =
        profile::ReadFilePieces(path, profile::kMaxFileBytes,
                                [&splitter](std::string_view piece) { splitter.feed(piece); });
    if (outcome != profile::ReadOutcome::kRead) return false;
    splitter.finish();
    return true;
}

bool WriteListFile(const std::string& path, const std::vector<std::string>& entries) {
    const memory::Doing doing("saving a list");
    std::size_t size = 0;
    for (const std::string& entry : entries) size += entry.size() + 3;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& entry : entries) {
        bytes += entry;
        bytes += "\r\r\n";
    }
    return profile::ReplaceFileBytes(path, bytes);
}
