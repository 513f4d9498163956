#pragma once
// The script language that drives the program headless: a timeline of a person's actions.
//
//   wait S                      S seconds pass
//   await TEXT                  time passes until an output line containing TEXT is said
//   say NAME: TEXT              NAME says TEXT in the room
//   click FORM.CONTROL          a button, label, check box or option button is clicked
//   menu FORM.ITEM              a menu item is chosen
//   type FORM.CONTROL TEXT      a text box's whole text becomes TEXT
//   select FORM.CONTROL INDEX   a list's selection (-1 clears it)
//   check FORM.CONTROL 0|1      a check box's value
//   hover FORM.CONTROL X Y      the pointer moves over a control (twips)
//   close FORM                  the window's close box
//   room open|close             the chat room is opened or closed in the client
//   answer [TEXT]               reply to an input box: OK with TEXT
//   press OK|Cancel|Yes|No      reply to a message box (OK at an input box takes its text)
//   choose PATH                 reply to a file dialog (relative to the program's folder)
//   cancel                      Cancel at any box
//
// Scripts are UTF-8; their texts are converted to the program's Windows-1252 bytes, with the
// escapes \\ \r \n \t \0 and \xHH. A byte order mark at the start is skipped. Blank lines and
// lines starting with # are ignored.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

enum class Verb : std::uint8_t {
    Wait,
    Await,
    Say,
    Click,
    Menu,
    Type,
    Select,
    Check,
    Hover,
    Close,
    Room,
    Answer,
    Press,
    Choose,
    Cancel
};

struct Action {
    Verb verb;
    int line = 0;        // line number in the script, from 1
    std::string source;  // the line as written, for messages
    double seconds = 0;  // wait
    std::string form;    // FORM of FORM.CONTROL, or of close
    std::string target;  // CONTROL or ITEM
    std::string text;    // await, say, type, answer, choose (Windows-1252); press: the button
    std::string name;    // say: the speaker
    int number = 0;      // select index, check value, hover x, room 1 open / 0 close
    float y = 0;         // hover y
};

// Why an action cannot run, such as a name that does not exist; nullopt where it can.
using ActionCheck = std::function<std::optional<std::string>(const Action&)>;

// A script that has been read whole and found sound. It keeps the text as it came and where
// each action's line starts, not the actions themselves: an action is parsed afresh from its
// line each time it is asked for, so a script takes little more memory than its text.
class Script {
  public:
    Script() = default;

    // Parses every line, and checks each action with `check` when one is given. Each fault goes
    // to `fault` as "line N: WHY: SOURCE", in the order of the lines; with any fault there is no
    // script.
    static std::optional<Script> Read(std::string utf8,
                                      const std::function<void(const std::string&)>& fault,
                                      const ActionCheck& check = {});

    std::size_t size() const { return m_lines.size(); }
    Verb verb(std::size_t i) const { return static_cast<Verb>(m_lines[i].verb); }
    Action action(std::size_t i) const;

  private:
    struct Line {
        std::uint32_t start;  // byte offset of the line in the text
        std::uint32_t number : 27;
        std::uint32_t verb : 5;
    };
    std::string m_text;
    std::vector<Line> m_lines;  // the action lines, in order
};

// A whole script at once, for tests and tools: the actions, and the first fault if any.
struct ParseResult {
    Script script;  // empty on a bad script
    std::vector<Action> actions;
    std::optional<std::string> error;
};

ParseResult ParseScript(std::string_view utf8);

}  // namespace app
