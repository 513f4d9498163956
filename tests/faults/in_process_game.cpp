#include "tests/faults/in_process_game.h"

#include "app/program.h"
#include "common/word_list_file.h"
#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"

namespace harness {

namespace {
loop::Micros MicrosOf(double seconds) {
    return static_cast<loop::Micros>(seconds * 1e6 + 0.5);
}
}  // namespace

InProcessGame::InProcessGame(GameSetup setup) : m_setup(std::move(setup)) {
    loop::Options options;
    options.virtual_time = m_setup.virtual_time;
    options.seed = m_setup.seed;
    loop::EventLoop::instance().reset(options);
    desktop::Desktop::instance().reset();
    forms::App().reset();
    chatclient::ChatClient::instance().reset(chatclient::Mode::Room, m_setup.host_name);
    forms::App().program_folder = m_setup.folder;
    forms::App().set_modal_host(this);
    app::RegisterWindows();
}

InProcessGame::~InProcessGame() {
    forms::App().set_modal_host(nullptr);
    forms::App().reset();
    chatclient::ChatClient::instance().reset(chatclient::Mode::None, "host");
    desktop::Desktop::instance().reset();
}

void InProcessGame::at(double seconds, std::function<void()> action) {
    loop::EventLoop::instance().post_at(MicrosOf(seconds), std::move(action));
}

void InProcessGame::say_at(double seconds, std::string name, std::string text) {
    at(seconds, [name = std::move(name), text = std::move(text)] {
        chatclient::ChatClient::instance().say(name, text);
    });
}

void InProcessGame::load_and_start_at(double seconds, std::string list, bool mixed) {
    at(seconds, [this, list = std::move(list), mixed] {
        Form4& f = main();
        if (f.mixlog.Checked != mixed) choose(f.mixlog);
        file_choice = list;
        click(f.Command5);
        click(f.Command1);
    });
}

void InProcessGame::run_until(double seconds) {
    auto& events = loop::EventLoop::instance();
    events.post([] { forms::App().get(app::FirstWindow(app::Options{})).Show(); });
    events.post_at(MicrosOf(seconds), [] { loop::EventLoop::instance().end(); });
    events.run();
}

Form4& InProcessGame::main() const {
    return forms::App().get<Form4>("Form4");
}

const std::vector<chatclient::Line>& InProcessGame::transcript() const {
    return chatclient::ChatClient::instance().transcript();
}

bool InProcessGame::click(forms::CommandButton& button) {
    if (!button.usable() || !button.Click) return false;
    button.Click();
    return true;
}

bool InProcessGame::choose(forms::MenuItem& item) {
    if (!item.usable() || !item.Click) return false;
    item.Click();
    return true;
}

int InProcessGame::message_box(const forms::MessageBoxRequest& request) {
    messages.push_back(request);
    return request.buttons() == forms::vbYesNo ? yes_no_reply : forms::vbOK;
}

std::optional<std::string> InProcessGame::input_box(const forms::InputBoxRequest&) {
    if (input_answers.empty()) return m_setup.host_name;
    auto answer = input_answers.front();
    input_answers.pop_front();
    return answer;
}

std::optional<std::string> InProcessGame::file_dialog(const forms::FileDialogRequest&) {
    if (file_choice.empty()) return std::nullopt;
    return m_setup.folder + "/" + file_choice;
}

bool WriteWordList(const std::string& path, const std::vector<std::string>& words) {
    return WriteListFile(path, words);
}

}  // namespace harness
