#include "app/script_driver.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/chatclient/chat_client.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"
#include "platform/signals/ending_signals.h"
#include "platform/text/text.h"

namespace app {

namespace {

constexpr loop::Micros kAwaitLimit = 600'000'000;

std::string Quote(const std::string& bytes) {
    return "\"" + text::EscapeBytes(bytes) + "\"";
}

// "line N: WHY: SOURCE", the line quoted as written but for its control bytes.
std::string LineMessage(const Action& action, const std::string& why) {
    return "line " + std::to_string(action.line) + ": " + why + ": " +
           text::EscapeControls(action.source);
}

std::string ButtonsName(int buttons) {
    switch (buttons) {
        case forms::vbOKCancel:
            return "OK Cancel";
        case forms::vbYesNo:
            return "Yes No";
        default:
            return "OK";
    }
}

std::string IconName(int icon) {
    switch (icon) {
        case forms::vbCritical:
            return "critical";
        case forms::vbQuestion:
            return "question";
        case forms::vbExclamation:
            return "exclamation";
        case forms::vbInformation:
            return "information";
        default:
            return "none";
    }
}

std::string ResultName(int result) {
    switch (result) {
        case forms::vbCancel:
            return "Cancel";
        case forms::vbYes:
            return "Yes";
        case forms::vbNo:
            return "No";
        default:
            return "OK";
    }
}

}  // namespace

std::string MarkFolder(std::string line, std::string folder) {
    // A folder given with a slash at its end names the same folder as without.
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder.empty() || folder == "." || folder == "/") return line;
    const std::string mark = "$FOLDER";
    for (auto at = line.find(folder); at != std::string::npos; at = line.find(folder, at)) {
        const std::size_t end = at + folder.size();
        const bool starts = at == 0 || line[at - 1] == ' ' || line[at - 1] == '"';
        const bool ends = end == line.size() || line[end] == '/' || line[end] == '"';
        if (starts && ends) {
            line.replace(at, folder.size(), mark);
            at += mark.size();
        } else {
            ++at;
        }
    }
    return line;
}

ScriptDriver::ScriptDriver(Script script, DriverOptions options, std::ostream& out)
    : m_script(std::move(script)), m_options(std::move(options)), m_out(out) {
    m_listener = chatclient::ChatClient::instance().add_listener(
        [this](const chatclient::Line& line) { on_line(line.name, line.text); });
}

ScriptDriver::~ScriptDriver() {
    chatclient::ChatClient::instance().remove_listener(m_listener);
}

void ScriptDriver::start() {
    auto& loop = loop::EventLoop::instance();
    loop.input_at(loop.now(), [this] { begin_moment(); });
}

// A moment is the actions up to the next wait or await. The wait counts from the moment
// itself, so the timeline keeps its times however long the moment's actions take to run.
// The actions run as one input run: each after those above it and what the program did with
// them, and all before the moment's due timers; only one of them waits in memory at a time.
void ScriptDriver::begin_moment() {
    auto& loop = loop::EventLoop::instance();
    const std::size_t from = m_next;
    std::size_t to = from;
    while (to < m_script.size() && m_script.verb(to) != Verb::Wait &&
           m_script.verb(to) != Verb::Await)
        ++to;
    const bool last = to == m_script.size();
    m_next = last ? to : to + 1;
    if (!last) {
        const Action boundary = m_script.action(to);
        if (boundary.verb == Verb::Wait) {
            loop.input_at(loop.now() + static_cast<loop::Micros>(boundary.seconds * 1e6 + 0.5),
                          [this] { begin_moment(); });
        } else {
            m_await = boundary.text;
            const std::uint64_t id = ++m_await_id;
            loop.input_at(loop.now() + kAwaitLimit, [this, id, boundary] {
                if (m_await && m_await_id == id) fail(boundary, "await timed out after 600 s");
            });
        }
    }
    if (from == to && !last) return;
    loop.post_input_run([this, next = from, to, last]() mutable {
        if (next < to) {
            act(m_script.action(next++));
            return true;
        }
        if (last) end_script();
        return false;
    });
}

void ScriptDriver::act(const Action& a) {
    switch (a.verb) {
        case Verb::Say:
            if (!chatclient::ChatClient::instance().say(a.name, a.text))
                ignore(a, "no room is open");
            return;
        case Verb::Room:
            if (a.number)
                chatclient::ChatClient::instance().open_room();
            else
                chatclient::ChatClient::instance().close_room();
            return;
        case Verb::Answer:
        case Verb::Press:
        case Verb::Choose:
        case Verb::Cancel:
            m_replies.push_back(a);
            return;
        default:
            input(a);
    }
}

// The program ends after the round that runs the last action's events, and one more at the
// same moment, so a box opened then still takes a reply given then. A reply that waits for an
// open box keeps the program running until the box takes it.
void ScriptDriver::end_script() {
    auto& loop = loop::EventLoop::instance();
    loop.post([this] {
        loop::EventLoop::instance().post([this] {
            if (!m_replies.empty() && forms::modal_open()) {
                m_end_when_answered = true;
                return;
            }
            loop::EventLoop::instance().end_after_round();
        });
    });
}

void ScriptDriver::on_line(const std::string& name, const std::string& text) {
    std::string line = name + ": " + text;
    emit(text::EscapeBytes(line));
    if (m_await && line.find(*m_await) != std::string::npos) {
        m_await.reset();
        auto& loop = loop::EventLoop::instance();
        loop.input_at(loop.now(), [this] { begin_moment(); });
    }
}

void ScriptDriver::emit(const std::string& utf8_line) {
    // Each line reaches the output as it is said, so a run that is killed keeps every line
    // said before; a signal that ends the run waits until the line is out whole.
    int error = 0;
    {
        const signals::HeldSignals held;
        if (m_options.times) {
            char stamp[32];
            std::snprintf(stamp, sizeof stamp, "[%.2f] ",
                          static_cast<double>(loop::EventLoop::instance().now()) / 1e6);
            m_out << stamp;
        }
        errno = 0;
        m_out << utf8_line << '\n' << std::flush;
        error = errno;
    }
    if (m_out || m_write_error) return;
    m_write_error = std::error_code(error ? error : EIO, std::generic_category());
    // Nothing said from here on could be seen: the run ends at the line that was lost.
    auto& loop = loop::EventLoop::instance();
    if (!loop.ended()) loop.end();
}

// The program's folder differs from run to run; traces show it as $FOLDER, so that a
// transcript that names files can be compared byte for byte.
void ScriptDriver::trace(const std::string& utf8_line) {
    if (!m_options.trace) return;
    emit("* " + MarkFolder(utf8_line, text::EscapeBytes(m_options.program_folder)));
}

void ScriptDriver::fail(const Action& action, const std::string& why) {
    m_errors.push_back(LineMessage(action, why));
    loop::EventLoop::instance().end();
}

void ScriptDriver::finish() {
    // After an error the script stopped short; its replies were never due to be taken.
    if (!m_errors.empty() || m_write_error) return;
    for (const Action& reply : m_replies)
        m_errors.push_back(LineMessage(reply, "no box took this reply"));
    m_replies.clear();
}

void ScriptDriver::ignore(const Action& action, const std::string& why) {
    trace("ignored: " + text::EscapeControls(action.source) + " (" + why + ")");
}

void ScriptDriver::input(const Action& a) {
    if (forms::modal_open()) {
        m_deferred.push_back(a);
        return;
    }
    forms::Form* form = forms::App().find(a.form);
    if (!form || !form->loaded() || !form->Visible) return ignore(a, "the window is not shown");
    if (a.verb == Verb::Close) {
        if (!form->close_box()) ignore(a, "the window has no close box");
        return;
    }
    forms::Control* control = form->find(a.target);
    if (!control) return ignore(a, "no such control");
    bool is_menu = control->kind() == forms::ControlKind::MenuItem;
    if ((a.verb == Verb::Menu) != is_menu)
        return ignore(a, is_menu ? "a menu item is chosen with menu" : "not a menu item");
    if (!control->usable()) return ignore(a, "hidden or disabled");

    using forms::ControlKind;
    switch (a.verb) {
        case Verb::Menu: {
            auto* item = static_cast<forms::MenuItem*>(control);
            if (!item->items().empty() || item->is_separator())
                return ignore(a, "a submenu only opens");
            if (item->Click) item->Click();
            return;
        }
        case Verb::Click:
            switch (control->kind()) {
                case ControlKind::CommandButton:
                    if (auto& f = static_cast<forms::CommandButton*>(control)->Click) f();
                    return;
                case ControlKind::Label:
                    if (auto& f = static_cast<forms::Label*>(control)->Click) f();
                    return;
                case ControlKind::CheckBox:
                    static_cast<forms::CheckBox*>(control)->click();
                    return;
                case ControlKind::OptionButton:
                    static_cast<forms::OptionButton*>(control)->click();
                    return;
                default:
                    return ignore(a, "cannot be clicked");
            }
        case Verb::Type:
            if (control->kind() != ControlKind::TextBox) return ignore(a, "not a text box");
            static_cast<forms::TextBox*>(control)->Text = a.text;
            return;
        case Verb::Select: {
            if (control->kind() != ControlKind::ListBox) return ignore(a, "not a list box");
            auto* list = static_cast<forms::ListBox*>(control);
            if (a.number < -1 || a.number >= list->ListCount()) return ignore(a, "no such entry");
            list->ListIndex = a.number;
            if (list->Click) list->Click();
            return;
        }
        case Verb::Check:
            if (control->kind() != ControlKind::CheckBox) return ignore(a, "not a check box");
            static_cast<forms::CheckBox*>(control)->Value = a.number;
            return;
        case Verb::Hover: {
            if (control->kind() != ControlKind::ListBox) return ignore(a, "no pointer handler");
            auto* list = static_cast<forms::ListBox*>(control);
            if (list->MouseMove) list->MouseMove(0, 0, static_cast<float>(a.seconds), a.y);
            return;
        }
        default:
            return;
    }
}

Action ScriptDriver::take_reply() {
    auto& loop = loop::EventLoop::instance();
    const std::function<bool()> answered = [this] { return !m_replies.empty(); };
    while (!answered()) {
        loop.do_events(answered);
        if (!answered()) loop.wait_until(INT64_MAX / 4);
    }
    Action reply = std::move(m_replies.front());
    m_replies.pop_front();
    if (m_end_when_answered && m_replies.empty()) {
        m_end_when_answered = false;
        end_script();
    }
    return reply;
}

void ScriptDriver::release_deferred() {
    auto deferred = std::move(m_deferred);
    m_deferred.clear();
    for (Action& a : deferred)
        loop::EventLoop::instance().post([this, a = std::move(a)] { input(a); });
}

int ScriptDriver::message_box(const forms::MessageBoxRequest& r) {
    std::string box = "msgbox " + Quote(r.text) + " title " + Quote(r.title) + " buttons " +
                      ButtonsName(r.buttons()) + " icon " + IconName(r.icon());
    const Action reply = take_reply();
    int result = forms::vbOK;
    bool fits = true;
    if (reply.verb == Verb::Press) {
        const std::string& b = reply.text;
        if (r.buttons() == forms::vbYesNo)
            fits = b == "Yes" || b == "No", result = b == "Yes" ? forms::vbYes : forms::vbNo;
        else if (r.buttons() == forms::vbOKCancel)
            fits = b == "OK" || b == "Cancel", result = b == "OK" ? forms::vbOK : forms::vbCancel;
        else
            fits = b == "OK";
    } else if (reply.verb == Verb::Cancel) {
        fits = r.buttons() != forms::vbYesNo;
        result = r.buttons() == forms::vbOKCancel ? forms::vbCancel : forms::vbOK;
    } else {
        fits = false;
    }
    if (!fits) fail(reply, "the reply does not fit the open " + box);
    trace(box + " -> " + ResultName(result));
    release_deferred();
    return result;
}

std::optional<std::string> ScriptDriver::input_box(const forms::InputBoxRequest& r) {
    std::string box = "inputbox " + Quote(r.prompt) + " title " + Quote(r.title) + " default " +
                      Quote(r.default_text);
    const Action reply = take_reply();
    std::optional<std::string> result;
    if (reply.verb == Verb::Answer)
        result = reply.text;
    else if (reply.verb == Verb::Press && reply.text == "OK")
        result = r.default_text;
    else if (!(reply.verb == Verb::Cancel || (reply.verb == Verb::Press && reply.text == "Cancel")))
        fail(reply, "the reply does not fit the open " + box);
    trace(box + " -> " + (result ? Quote(*result) : "Cancel"));
    release_deferred();
    return result;
}

std::optional<std::string> ScriptDriver::file_dialog(const forms::FileDialogRequest& r) {
    std::string box = std::string(r.save ? "save" : "open") + " dialog init " + Quote(r.init_dir) +
                      " filter " + Quote(r.filter);
    const Action reply = take_reply();
    std::optional<std::string> result;
    if (reply.verb == Verb::Choose) {
        std::filesystem::path path(reply.text);
        if (path.is_relative()) path = std::filesystem::path(m_options.program_folder) / path;
        result = path.lexically_normal().string();
    } else if (!(reply.verb == Verb::Cancel ||
                 (reply.verb == Verb::Press && reply.text == "Cancel"))) {
        fail(reply, "the reply does not fit the open " + box);
    }
    trace(box + " -> " + (result ? Quote(reply.text) : "Cancel"));
    release_deferred();
    return result;
}

}  // namespace app
