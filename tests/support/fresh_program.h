#pragma once
// A fresh program for a test: the event loop, the desktop, the windows and the chat client start
// afresh, the program's windows are registered, and `host` answers the boxes.

#include <string>

#include "app/program.h"
#include "platform/chatclient/chat_client.h"
#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"

namespace test_support {

inline void StartFreshProgram(const std::string& folder, forms::ModalHost* host) {
    loop::EventLoop::instance().reset(loop::Options{});
    desktop::Desktop::instance().reset();
    forms::App().reset();
    chatclient::ChatClient::instance().reset(chatclient::Mode::Room, "host");
    forms::App().program_folder = folder;
    forms::App().set_modal_host(host);
    app::RegisterWindows();
}

inline void EndFreshProgram() {
    forms::App().set_modal_host(nullptr);
    forms::App().reset();
    chatclient::ChatClient::instance().reset(chatclient::Mode::None, "host");
    desktop::Desktop::instance().reset();
}

}  // namespace test_support
