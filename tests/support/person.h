#pragma once
// A person at the desktop view, for the tests that work it with real keys and clicks: xdotool
// on a display of the test's own, while the program runs with TAVREL_VIEW_PERSON and --times,
// its transcript in one file and its reports of the boxes in another. Every wait is bounded.

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/run_helpers.h"
#include "tests/support/virtual_display.h"

namespace test_support {

struct TimedLine {
    double at = -1;
    std::string text;
};

// The room's lines, "[12.34] NAME: TEXT", as "NAME: TEXT".
inline std::vector<TimedLine> SaidLines(const std::string& out) {
    std::vector<TimedLine> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        if (line.size() > 1 && line[0] == '[')
            lines.push_back({std::atof(line.c_str() + 1), line.substr(line.find("] ") + 2)});
    return lines;
}

// The view's reports, "person: WHAT at 12.34: TEXT", as "WHAT: TEXT".
inline std::vector<TimedLine> Reports(const std::string& err) {
    std::vector<TimedLine> lines;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);) {
        std::size_t at = line.find(" at ");
        if (line.rfind("person: ", 0) == 0 && at != std::string::npos)
            lines.push_back({std::atof(line.c_str() + at + 4),
                             line.substr(8, at - 8) + ": " + line.substr(line.find(": ", at) + 2)});
    }
    return lines;
}

// The moment of the nth report that begins with WHAT; -1 when there is none.
inline double Reported(const std::string& err, const std::string& what, int nth = 1) {
    int seen = 0;
    for (const TimedLine& line : Reports(err))
        if (line.text.rfind(what, 0) == 0 && ++seen == nth) return line.at;
    return -1;
}

class Person {
  public:
    Person(std::string display, std::filesystem::path out, std::filesystem::path err)
        : m_display(std::move(display)), m_out(std::move(out)), m_err(std::move(err)) {}

    // Waits up to a minute for the nth report that begins with WHAT; true once it has come.
    bool report(const std::string& what, int nth = 1) const {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            if (Reported(ReadAll(m_err), what, nth) >= 0) return true;
            hold(0.05);
        }
        return false;
    }
    // Waits up to a minute for the room's line TEXT.
    bool said(const std::string& text) const { return heard("] " + text + "\n"); }
    // Waits up to a minute for TEXT anywhere in the transcript.
    bool heard(const std::string& text) const { return WaitForText(m_out, text, 60); }
    std::string transcript() const { return ReadAll(m_out); }
    bool xdo(const std::string& args) const {
        return std::system((shell_display() + " xdotool " + args + " >/dev/null 2>&1").c_str()) ==
               0;
    }
    // Types TEXT where the keys go and presses Return.
    bool type_line(const std::string& text) const {
        return xdo("type --delay 15 " + Shell(text)) && xdo("key Return");
    }
    // Into the room's typing line, 142 and 312 pixels into its window.
    bool click_room() const {
        return xdo("search --name '^Chat Room$' mousemove --window %1 142 312 click 1");
    }
    // Into a box by its title, the newest when several have it.
    bool click_box(const std::string& title, int x, int y) const {
        std::string command = "export " + shell_display() +
                              "; xdotool mousemove --window \"$(xdotool search --name " +
                              Shell("^" + title + "$") + " | tail -n 1)\" " + std::to_string(x) +
                              " " + std::to_string(y) + " click 1 >/dev/null 2>&1";
        return std::system(command.c_str()) == 0;
    }
    // Whether a window of that title shows on the screen.
    bool sees(const std::string& title) const {
        return xdo("search --onlyvisible --name " + Shell("^" + title + "$"));
    }
    static void hold(double seconds) {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }

  private:
    std::string shell_display() const { return "DISPLAY=" + Shell(m_display); }

    std::string m_display;
    std::filesystem::path m_out, m_err;
};

// A run of the program that a person works with keys and clicks while a script of tests/view/
// drives it: a display and a folder of the run's own, the program's folder inside it, and the
// clock started at a whole second rather than at the local time's.
class PersonRun {
  public:
    explicit PersonRun(const std::string& name) {
        if (!OnPath("xdotool")) return;
        m_display = std::make_unique<VirtualDisplay>();
        if (m_display->name().empty()) return;
        m_folder = std::filesystem::temp_directory_path() /
                   ("tavrel-" + name + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(program_folder());
    }
    ~PersonRun() {
        m_display.reset();
        if (!m_folder.empty()) std::filesystem::remove_all(m_folder);
    }
    PersonRun(const PersonRun&) = delete;
    PersonRun& operator=(const PersonRun&) = delete;

    // False where there is no Xvfb or no xdotool.
    bool ready() const { return !m_folder.empty(); }
    std::filesystem::path program_folder() const { return m_folder / "program"; }

    // Runs the program on the script while `act` plays the person's part; `act` gives the step
    // that did not come about, or "". The program is ended after `seconds` at the most.
    void play(const std::string& script, int seconds,
              const std::function<std::string(const Person&)>& act) {
        const std::string tests = TAVREL_TEST_DIR;
        Background program(
            "DISPLAY=" + Shell(m_display->name()) + " TAVREL_VIEW_PERSON=1 LSAN_OPTIONS=" +
            Shell("suppressions=" + tests + "/view/leaks.supp") + " exec timeout " +
            std::to_string(seconds) + " " + Shell(std::string(TAVREL_BINARY_DIR) + "/bin/tavrel") +
            " --view --times --clock 12:00:00 --script " + Shell(tests + "/view/" + script) +
            " --folder " + Shell(program_folder().string()) + " >" + Shell(out_file().string()) +
            " 2>" + Shell(err_file().string()));
        m_failed = act(Person(m_display->name(), out_file(), err_file()));
        m_status = program.wait(m_failed.empty() ? 30 : 0);
        m_out = ReadAll(out_file());
        m_err = ReadAll(err_file());
    }

    const std::string& failed() const { return m_failed; }
    int status() const { return m_status; }
    // The transcript and the reports of the boxes, as the run left them.
    const std::string& out() const { return m_out; }
    const std::string& err() const { return m_err; }

  private:
    std::filesystem::path out_file() const { return m_folder / "out.txt"; }
    std::filesystem::path err_file() const { return m_folder / "err.txt"; }

    std::unique_ptr<VirtualDisplay> m_display;
    std::filesystem::path m_folder;
    std::string m_failed = "not played";
    int m_status = -1;
    std::string m_out, m_err;
};

}  // namespace test_support
