#pragma once
// Drives the program from a script in virtual (or real) time: every action takes effect at its
// moment, after the actions written above it and what the program did with them, and before
// that moment's timers, also while the program waits in a pause or a modal box (each moment's
// actions are one input run of the event loop); replies wait in a queue for the boxes that
// take them; the room's lines go to the output as `NAME: TEXT`, with `* ` trace lines among
// them when asked.

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "app/script.h"
#include "platform/forms/modal.h"

namespace app {

struct DriverOptions {
    bool times = false;  // prefix lines with the seconds since start
    bool trace = false;  // also write boxes, dialogs and ignored actions
    std::string program_folder = ".";
};

// `line` with the program's folder written $FOLDER wherever a path begins with the folder as a
// whole: where it starts the line or follows a blank or a double quote, and where it ends the
// line or comes before a slash or a double quote. The folder is given as the line shows it
// (escaped); "" and "." are left alone.
std::string MarkFolder(std::string line, std::string folder);

class ScriptDriver : public forms::ModalHost {
  public:
    ScriptDriver(Script script, DriverOptions options, std::ostream& out);
    ~ScriptDriver() override;

    // Starts the timeline at the present moment; the event loop then runs it.
    void start();
    // Called once the program has ended: a reply that no box took is an error of the script.
    void finish();
    // What was wrong with the script, one "line N: ..." message each (a reply that does not
    // fit, an await timed out, replies no box took); empty when nothing was.
    const std::vector<std::string>& errors() const { return m_errors; }
    // Set once a line could not be written to the output; the program ends at that line.
    const std::optional<std::error_code>& write_error() const { return m_write_error; }

    int message_box(const forms::MessageBoxRequest& request) override;
    std::optional<std::string> input_box(const forms::InputBoxRequest& request) override;
    std::optional<std::string> file_dialog(const forms::FileDialogRequest& request) override;

  private:
    void begin_moment();
    void act(const Action& action);
    void end_script();
    void input(const Action& action);
    void ignore(const Action& action, const std::string& why);
    void on_line(const std::string& name, const std::string& text);
    void emit(const std::string& utf8_line);
    void trace(const std::string& utf8_line);
    [[noreturn]] void fail(const Action& action, const std::string& why);
    Action take_reply();
    void release_deferred();

    Script m_script;
    std::size_t m_next = 0;  // the first action of the next moment
    DriverOptions m_options;
    std::ostream& m_out;
    int m_listener = -1;

    std::optional<std::string> m_await;  // the text an await is waiting for
    std::uint64_t m_await_id = 0;
    std::deque<Action> m_replies;
    std::vector<Action> m_deferred;
    bool m_end_when_answered = false;  // the script is over once the open box takes its reply
    std::vector<std::string> m_errors;
    std::optional<std::error_code> m_write_error;
};

}  // namespace app
