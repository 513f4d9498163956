#pragma once
// The main window after a real start-up, driven in virtual time by calling its handlers:
// boxes are answered from a queue and recorded, and the room's lines are read back.

#include <gtest/gtest.h>

#include "tests/support/fresh_program.h"

#include <cmath>
#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "app/program.h"
#include "game/Form4.h"
#include "platform/chatclient/chat_client.h"
#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"
#include "tests/profile/temp_folder.h"

namespace cycle_test {

// Answers the name prompt with "host" and message boxes from a queue (OK when it is empty).
class RecordingHost : public forms::ModalHost {
  public:
    int message_box(const forms::MessageBoxRequest& request) override {
        boxes.push_back(request);
        if (answers.empty()) return forms::vbOK;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> input_box(const forms::InputBoxRequest&) override {
        return std::string("host");
    }
    std::optional<std::string> file_dialog(const forms::FileDialogRequest&) override {
        return std::nullopt;
    }

    std::deque<int> answers;
    std::vector<forms::MessageBoxRequest> boxes;
};

class MainWindowTest : public profile_test::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        test_support::StartFreshProgram(m_folder.string(), &m_host);
        Main().Show();  // start-up: the name, the greeting lines
        m_heard = Transcript().size();
    }
    void TearDown() override {
        test_support::EndFreshProgram();
        TempFolderTest::TearDown();
    }

    static Form4& Main() { return forms::App().get<Form4>("Form4"); }
    static const std::vector<chatclient::Line>& Transcript() {
        return chatclient::ChatClient::instance().transcript();
    }
    static loop::Micros Now() { return loop::EventLoop::instance().now(); }

    // The texts said in the room since the last call (or since start-up).
    std::vector<std::string> Heard() {
        std::vector<std::string> texts;
        for (std::size_t i = m_heard; i < Transcript().size(); ++i)
            texts.push_back(Transcript()[i].text);
        m_heard = Transcript().size();
        return texts;
    }

    // Puts words into the list as loading a log would.
    static void LoadWords(std::initializer_list<const char*> words) {
        Form4& f = Main();
        for (const char* word : words) f.List1.AddItem(word);
        f.Label6.Caption = std::to_string(f.List1.ListCount());
        f.Frame1.Caption = "words";
    }

    // Lets virtual time pass with every event and tick running.
    static void RunFor(double seconds) {
        auto& events = loop::EventLoop::instance();
        loop::Micros until = events.now() + std::llround(seconds * 1e6);
        while (events.now() < until) {
            events.do_events();
            events.wait_until(until);
        }
        events.do_events();
    }
    // Runs `action` as a posted event that many seconds from now.
    static void At(double seconds, std::function<void()> action) {
        auto& events = loop::EventLoop::instance();
        events.post_at(events.now() + std::llround(seconds * 1e6), std::move(action));
    }

    RecordingHost m_host;
    std::size_t m_heard = 0;
};

}  // namespace cycle_test
