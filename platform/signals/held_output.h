#pragma once
// Output to a descriptor that an ending signal is never kept out of for ever.
//
// A line written under HeldSignals goes out whole where the descriptor takes it: a file, a
// terminal, a pipe that is read. Where the descriptor takes nothing (a pipe whose reader holds it
// open but stops reading), the writing waits with the ending signals let in, so that one that
// comes, or came meanwhile, ends the program there; what was not yet written is lost. Bytes go
// out in pieces of at most PIPE_BUF, each of which a pipe takes whole or not at all, so a line of
// at most that length is then missing whole.

#include <streambuf>
#include <string_view>

namespace signals {

// Writes all of `bytes` to `fd` as above; false, with errno saying why, where the writing fails.
bool WriteLettingSignalsIn(int fd, std::string_view bytes);

// A stream buffer over `fd` that keeps bytes until it is flushed (or full) and then writes them
// with WriteLettingSignalsIn.
class HeldOutput : public std::streambuf {
  public:
    explicit HeldOutput(int fd);
    ~HeldOutput() override;
    HeldOutput(const HeldOutput&) = delete;
    HeldOutput& operator=(const HeldOutput&) = delete;

  protected:
    int_type overflow(int_type c) override;
    int sync() override;

  private:
    bool flush_kept();

    int m_fd;
    char m_kept[8192];
};

}  // namespace signals
