#pragma once
// What the shared-helper tests stand on: a fresh virtual-time loop and desktop, a window with one
// list box, a chat room whose lines are recorded with the moment they were said, and a modal
// host that records message boxes and answers OK.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/chatclient/chat_client.h"
#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/modal.h"
#include "platform/loop/loop.h"

namespace common_test {

struct TestForm : forms::Form {
    forms::ListBox List1{*this, "List1"};
    TestForm() : forms::Form("TestForm") {}
};

class RecordingModalHost : public forms::ModalHost {
  public:
    int message_box(const forms::MessageBoxRequest& request) override {
        boxes.push_back(request);
        return forms::vbOK;
    }
    std::optional<std::string> input_box(const forms::InputBoxRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> file_dialog(const forms::FileDialogRequest&) override {
        return std::nullopt;
    }
    std::vector<forms::MessageBoxRequest> boxes;
};

struct SaidLine {
    std::string text;
    loop::Micros at;
};

class HelperTest : public ::testing::Test {
  protected:
    void SetUp() override {
        desktop::Desktop::instance().reset();
        loop::EventLoop::instance().reset(loop::Options{});
        chat().reset(chatclient::Mode::Room, "host");
        m_listener = chat().add_listener([this](const chatclient::Line& line) {
            m_said.push_back({line.text, loop::EventLoop::instance().now()});
        });
        forms::App().set_modal_host(&m_modal);
        m_form = std::make_unique<TestForm>();
    }
    void TearDown() override {
        m_form.reset();
        forms::App().set_modal_host(nullptr);
        chat().remove_listener(m_listener);
        chat().reset(chatclient::Mode::None, "host");
        desktop::Desktop::instance().reset();
    }

    static chatclient::ChatClient& chat() { return chatclient::ChatClient::instance(); }
    static loop::EventLoop& events() { return loop::EventLoop::instance(); }

    forms::ListBox& list() { return m_form->List1; }
    void fill(const std::vector<std::string>& entries) {
        list().Clear();
        for (const auto& entry : entries) list().AddItem(entry);
    }
    std::vector<std::string> entries() { return list().entries(); }

    std::vector<std::string> said_texts() const {
        std::vector<std::string> texts;
        for (const auto& line : m_said) texts.push_back(line.text);
        return texts;
    }
    const std::vector<SaidLine>& said() const { return m_said; }
    const std::vector<forms::MessageBoxRequest>& boxes() const { return m_modal.boxes; }

  private:
    std::unique_ptr<TestForm> m_form;
    RecordingModalHost m_modal;
    std::vector<SaidLine> m_said;
    int m_listener = 0;
};

}  // namespace common_test
