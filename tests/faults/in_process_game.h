#pragma once
// The whole program in this process on a timeline of seconds since its start: the windows are
// built and opened as the program opens them, boxes are answered from here, and room lines are
// said at chosen moments. Fault tests, fuzz targets and benchmarks drive games through it.
//
// The splash hands over at 3 s, the host's name is asked then and the greetings go out at 4 s,
// so a game's first action fits at 5 s. One game per object; `run_until` runs it once.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/Form4.h"
#include "platform/chatclient/chat_client.h"
#include "platform/forms/modal.h"

namespace harness {

struct GameSetup {
    std::string folder;  // the program's folder
    bool virtual_time = true;
    std::uint64_t seed = 0;
    std::string host_name = "host";  // the chat client's screen name and the name prompt's answer
};

class InProcessGame : public forms::ModalHost {
  public:
    explicit InProcessGame(GameSetup setup);
    ~InProcessGame() override;
    InProcessGame(const InProcessGame&) = delete;
    InProcessGame& operator=(const InProcessGame&) = delete;

    // Runs `action` at `seconds` after the start.
    void at(double seconds, std::function<void()> action);
    void say_at(double seconds, std::string name, std::string text);
    // At `seconds`: loads the list file `list` from the folder (in file order unless `mixed`)
    // and starts the game.
    void load_and_start_at(double seconds, std::string list, bool mixed = false);

    // Opens the first window and runs the program until `seconds` or until it ends.
    void run_until(double seconds);

    Form4& main() const;
    const std::vector<chatclient::Line>& transcript() const;

    // A person's click: nothing happens when the control is hidden or disabled.
    static bool click(forms::CommandButton& button);
    static bool choose(forms::MenuItem& item);

    // Replies to boxes. Input boxes take the queued answers (nullopt cancels), then the host's
    // name; file dialogs pick `file_choice` in the folder ("" cancels); yes/no boxes get
    // `yes_no_reply`, the others OK.
    std::deque<std::optional<std::string>> input_answers;
    std::string file_choice;
    int yes_no_reply = forms::vbYes;
    std::vector<forms::MessageBoxRequest> messages;  // every message box shown, in order

    int message_box(const forms::MessageBoxRequest& request) override;
    std::optional<std::string> input_box(const forms::InputBoxRequest& request) override;
    std::optional<std::string> file_dialog(const forms::FileDialogRequest& request) override;

  private:
    GameSetup m_setup;
};

// Writes a word list the way the word-list editor writes it.
bool WriteWordList(const std::string& path, const std::vector<std::string>& words);

}  // namespace harness
