#pragma once
// Word-list and quiz-list files: plain bytes, one entry a line.
//
// A line ends at a carriage return (13) or at a line feed (10); a line feed right after a
// carriage return belongs to that line end, so CR, LF, CR LF and CR CR LF files all read as
// their lines. The last line may end at the end of the file. A line is cut at its first NUL,
// which the lists' C-string entries cannot carry. Empty lines are skipped; other lines are kept
// as they are, blanks and all. Writing ends each entry with 13, 13, 10, which
// reads back as the entry followed by an empty line.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Cuts bytes into lines as they arrive, in pieces of any size; a line end split between two
// pieces counts once.
class ListLineSplitter {
  public:
    using LineHandler = std::function<void(const std::string& line)>;
    explicit ListLineSplitter(LineHandler each_line) : m_each_line(std::move(each_line)) {}

    void feed(std::string_view bytes);
    // The end of the bytes: hands over a last line that had no line end.
    void finish();

  private:
    void end_line();

    LineHandler m_each_line;
    std::string m_line;
    bool m_after_cr = false;  // the previous byte ended a line at a carriage return
};

// The non-empty lines of `bytes`, in order.
std::vector<std::string> SplitListLines(std::string_view bytes);

// Reads the file as bytes and hands each non-empty line over as soon as it is complete. Only a
// regular file of at most profile::kMaxFileBytes (64 MiB) is read, and opening it never waits,
// so a named pipe, a device or an endless file fails at once. False when the file cannot be
// opened or read; the lines handed over before a failure stay handed over (a last line cut off
// by the failure is not). The file is closed on every road.
bool ReadListFile(const std::string& path,
                  const std::function<void(const std::string& line)>& each_line);

// Creates or replaces the file with each entry followed by 13, 13, 10, by the rules of
// profile::ReplaceFileBytes: through links to the file they name, only where the user may write
// it, so that a failure leaves any old file as it was (but for a write in place, where no new
// file can take the old one's place). False on failure, with nothing left open and no new file
// left behind.
bool WriteListFile(const std::string& path, const std::vector<std::string>& entries);
