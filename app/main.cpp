// tavrel: hosts word-scramble games in a chat room.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "app/demo.h"
#include "app/options.h"
#include "app/program.h"
#include "app/view/front_end.h"
#include "platform/loop/stack.h"
#include "platform/memory/out_of_memory.h"
#include "platform/signals/ending_signals.h"
#include "platform/signals/held_output.h"
#ifdef TAVREL_HAS_VIEW
#include "app/view/desktop_view.h"
#endif

namespace {

int OutOfMemory(const char* fallback) {
    const char* doing = memory::Exhausted() ? memory::Exhausted() : fallback;
    std::cerr << "tavrel: out of memory while " << doing << "\n";
    return 1;
}

// An exception that cannot be caught where it is thrown ends the program through here. Memory
// that ran out is told as everywhere else, never an abort: every line said is out whole, and a
// save under way keeps the old file.
[[noreturn]] void OnTerminate() {
    bool out_of_memory = false;
    if (std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::bad_alloc&) {
            out_of_memory = true;
        } catch (...) {
        }
    }
    if (!out_of_memory) std::abort();
    std::cout.flush();
    OutOfMemory("running");
    std::cerr.flush();
    std::_Exit(1);
}

// Gives a stream another buffer while it lives, flushing it before the old one comes back.
class StreamBufferSwap {
  public:
    StreamBufferSwap(std::ostream& stream, std::streambuf* buffer)
        : m_stream(stream), m_before(stream.rdbuf(buffer)) {}
    ~StreamBufferSwap() {
        m_stream.flush();
        m_stream.rdbuf(m_before);
    }
    StreamBufferSwap(const StreamBufferSwap&) = delete;
    StreamBufferSwap& operator=(const StreamBufferSwap&) = delete;

  private:
    std::ostream& m_stream;
    std::streambuf* m_before;
};

// The demo, the windows or a script, as the options ask.
int RunAsAsked(const app::Options& options) {
    // SIGTERM, SIGINT and SIGHUP end the run between lines and saves, the demo's folder removed;
    // a closed pipe fails the next write of the transcript. They are taken on this thread, the
    // one that writes.
    const signals::EndingSignals ending_signals;
    // The transcript goes out line by line with those signals held, but a reader that stops
    // reading does not keep them out.
    signals::HeldOutput transcript(STDOUT_FILENO);
    const StreamBufferSwap standard_output(std::cout, &transcript);
#ifdef TAVREL_HAS_VIEW
    if (options.demo && options.view) {
        if (auto desktop_view = view::DesktopView::Open())
            return app::RunDemo(options, std::cout, std::cerr, desktop_view.get());
        std::cerr << "tavrel: --view needs a display (is DISPLAY set?)\n";
        return 2;
    }
#endif
    if (options.demo) return app::RunDemo(options, std::cout, std::cerr);
#ifdef TAVREL_HAS_VIEW
    // With a display the windows open: a person drives them, or a script with --view.
    if (options.script.empty() || options.view)
        if (auto desktop_view = view::DesktopView::Open())
            return app::RunProgram(options, std::cout, std::cerr, desktop_view.get());
#endif
    if (options.script.empty()) {
        std::cerr << "tavrel: nothing to run here without a script or a display.\n"
                     "  ./run demo                 plays the bundled demo\n"
                     "  tavrel --script FILE       runs a script (see --help)\n";
#ifdef TAVREL_HAS_VIEW
        std::cerr << "  tavrel                     opens the windows where there is a display\n";
#endif
        return 2;
    }
    if (options.view) {
        std::cerr << "tavrel: --view needs a display (is DISPLAY set?)\n";
        return 2;
    }
    return app::RunProgram(options, std::cout, std::cerr);
}

// What runs on the program's stack: everything after the options. A little memory is kept aside
// so that running out of it can be told.
int Run(const app::Options& options) {
    const memory::Reserve reserve;
    std::set_terminate(OnTerminate);
    try {
        return RunAsAsked(options);
    } catch (const std::bad_alloc&) {
        return OutOfMemory("starting");
    }
}

}  // namespace

int main(int argc, char** argv) {
    // With standard output closed, the first file the program opens would take its place and
    // receive the transcript.
    if (::fcntl(STDOUT_FILENO, F_GETFD) == -1) {
        std::cerr << "tavrel: standard output is closed: the transcript cannot be written\n";
        return 1;
    }
    std::vector<std::string> args(argv + 1, argv + argc);
    app::ParsedOptions parsed = app::ParseOptions(args);
    if (parsed.error) {
        std::cerr << "tavrel: " << *parsed.error << "\n" << app::UsageText();
        return 2;
    }
    const app::Options options = parsed.options;
    if (options.help || options.version) {
        std::cout << (options.help ? app::UsageText() : "tavrel 1.5\n") << std::flush;
        if (std::cout) return 0;
        std::cerr << "tavrel: cannot write to standard output\n";
        return 1;
    }
    // Handlers nest inside each other's pauses and boxes, up to the event loop's bound: the
    // program runs on a stack with room for that, reserved before it reads or writes anything.
    try {
        return loop::RunOnProgramStack([&options] { return Run(options); });
    } catch (const loop::StackUnavailable& e) {
        std::cerr << "tavrel: " << e.what() << "\n";
        return 1;
    }
}
