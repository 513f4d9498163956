#pragma once
// Runs the whole program headless from a script in a fresh program folder, so that a test can
// look at the main window's controls while the script runs and after it has ended.
//
// The script given to Run() takes over once the host has answered the name prompt and start-up
// has greeted the room (at 4 s of virtual time). A line `say probe: NAME` runs the check
// registered under NAME at that moment, in its turn among the moment's events (after the
// actions written before it), as the program's chat readers would judge it.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "app/options.h"
#include "app/program.h"
#include "app/script.h"
#include "app/script_driver.h"
#include "game/Form4.h"
#include "platform/chatclient/chat_client.h"
#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"
#include "tests/profile/temp_folder.h"

namespace form4_test {

class ProgramRun : public profile_test::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        StartAfresh();
    }
    void TearDown() override {
        forms::App().set_modal_host(nullptr);
        forms::App().set_observer(nullptr);
        forms::App().reset();
        chatclient::ChatClient::instance().reset(chatclient::Mode::None, "host");
        desktop::Desktop::instance().reset();
        TempFolderTest::TearDown();
    }

    // Discards the windows of an earlier run; the program folder and its files stay.
    void StartAfresh() {
        forms::App().set_modal_host(nullptr);
        forms::App().set_observer(nullptr);
        loop::EventLoop::instance().reset(loop::Options{});
        forms::App().reset();
        desktop::Desktop::instance().reset();
        chatclient::ChatClient::instance().reset(chatclient::Mode::Room, "host");
        forms::App().program_folder = m_folder.string();
        app::RegisterWindows();
        m_probes.clear();
    }

    void Probe(const std::string& name, std::function<void()> check) {
        m_probes[name] = std::move(check);
    }

    // Runs the program with `script` after the greeting; gives what the room heard, with the
    // times and the trace lines.
    std::string Run(const std::string& script) {
        auto parsed = app::ParseScript("answer host\nawait completed logs\n" + script);
        if (parsed.error) {
            ADD_FAILURE() << *parsed.error;
            return "";
        }
        auto& client = chatclient::ChatClient::instance();
        int listener = client.add_listener([this](const chatclient::Line& line) {
            if (line.name != "probe") return;
            auto probe = m_probes.find(line.text);
            if (probe == m_probes.end())
                ADD_FAILURE() << "no probe named " << line.text;
            else
                loop::EventLoop::instance().post(probe->second);
        });
        std::ostringstream out;
        {
            app::ScriptDriver driver(std::move(parsed.script), {true, true, m_folder.string()}, out);
            forms::App().set_modal_host(&driver);
            driver.start();
            auto& events = loop::EventLoop::instance();
            events.post([] { forms::App().get(app::FirstWindow(app::Options{})).Show(); });
            events.run();
            forms::App().set_modal_host(nullptr);
            driver.finish();
            for (const std::string& error : driver.errors()) ADD_FAILURE() << error;
        }
        client.remove_listener(listener);
        return out.str();
    }

    void WriteList(const std::string& name, std::string_view bytes) const {
        WriteFile(PathOf(name), bytes);
    }

    static Form4& Main() { return forms::App().get<Form4>("Form4"); }

  private:
    std::map<std::string, std::function<void()>> m_probes;
};

}  // namespace form4_test
