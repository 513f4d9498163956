#pragma once
// What the editor tests stand on: fresh stand-ins, the program's windows registered, a program
// folder of their own, and a modal host that answers each box from a queue of replies given by
// the test, noting every box that opened. A box that opens with no reply queued fails the test.

#include <gtest/gtest.h>

#include "tests/support/fresh_program.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/chatclient/chat_client.h"
#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/forms/modal.h"
#include "platform/loop/loop.h"
#include "tests/profile/temp_folder.h"

namespace editor_test {

using Entries = std::vector<std::string>;

class ScriptedHost : public forms::ModalHost {
  public:
    // Replies, each taken by the next box of its kind: an input box's text (nullopt for
    // Cancel), a message box's button, a file dialog's path (nullopt for Cancel).
    std::deque<std::optional<std::string>> answers;
    std::deque<int> presses;
    std::deque<std::optional<std::string>> choices;

    std::vector<forms::InputBoxRequest> input_boxes;
    std::vector<forms::MessageBoxRequest> message_boxes;
    std::vector<forms::FileDialogRequest> file_dialogs;

    std::optional<std::string> input_box(const forms::InputBoxRequest& request) override {
        input_boxes.push_back(request);
        if (answers.empty()) {
            ADD_FAILURE() << "an input box opened with no answer queued: " << request.prompt;
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    int message_box(const forms::MessageBoxRequest& request) override {
        message_boxes.push_back(request);
        if (presses.empty()) {
            ADD_FAILURE() << "a message box opened with no button queued: " << request.text;
            return forms::vbCancel;
        }
        int press = presses.front();
        presses.pop_front();
        return press;
    }
    std::optional<std::string> file_dialog(const forms::FileDialogRequest& request) override {
        file_dialogs.push_back(request);
        if (choices.empty()) {
            ADD_FAILURE() << "a file dialog opened with no choice queued";
            return std::nullopt;
        }
        auto choice = choices.front();
        choices.pop_front();
        return choice;
    }
    // Every queued reply was used.
    bool drained() const { return answers.empty() && presses.empty() && choices.empty(); }
};

class EditorTest : public profile_test::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        test_support::StartFreshProgram(m_folder.string(), &host);
    }
    void TearDown() override {
        EXPECT_TRUE(host.drained()) << "a reply was queued for a box that never opened";
        test_support::EndFreshProgram();
        TempFolderTest::TearDown();
    }

    template <class F>
    F& Open(const char* name) {
        F& form = forms::App().get<F>(name);
        form.Show();
        return form;
    }

    static void Fill(forms::ListBox& list, const Entries& entries) {
        list.Clear();
        for (const std::string& entry : entries) list.AddItem(entry);
    }

    // Lets virtual time pass, with every timer tick that falls due meanwhile.
    static void RunFor(loop::Micros micros) {
        auto& events = loop::EventLoop::instance();
        const loop::Micros until = events.now() + micros;
        while (events.now() < until) {
            events.do_events();
            events.wait_until(until);
        }
        events.do_events();
    }

    // Files in the folder whose names start with a dot: a write's leftovers.
    std::size_t HiddenFiles() const {
        std::size_t n = 0;
        for (const auto& item : std::filesystem::directory_iterator(m_folder))
            if (item.path().filename().string().rfind('.', 0) == 0) ++n;
        return n;
    }

    // File descriptors this process has open.
    static std::size_t OpenDescriptors() {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& item :
             std::filesystem::directory_iterator("/proc/self/fd"))
            ++n;
        return n;
    }

    ScriptedHost host;
};

}  // namespace editor_test
