// The program's start in virtual time: the splash hands over to the main window at its third
// tick, the main window asks for the host's name and greets the room, and the splash counts on.

#include "companions/startup.h"

#include <gtest/gtest.h>

#include "tests/support/fresh_program.h"

#include <deque>
#include <filesystem>
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

namespace {

using loop::Micros;

// Answers input boxes from a queue (nullopt for Cancel) and notes what was on screen then.
class AnsweringHost : public forms::ModalHost {
  public:
    struct Prompt {
        forms::InputBoxRequest request;
        Micros at;
        bool splash_visible;
        bool main_window_visible;
    };

    std::optional<std::string> input_box(const forms::InputBoxRequest& request) override {
        auto& app = forms::App();
        prompts.push_back({request, loop::EventLoop::instance().now(), app.get("startup").Visible,
                           app.get("Form4").Visible});
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    int message_box(const forms::MessageBoxRequest&) override { return forms::vbOK; }
    std::optional<std::string> file_dialog(const forms::FileDialogRequest&) override {
        return std::nullopt;
    }

    std::deque<std::optional<std::string>> answers;
    std::vector<Prompt> prompts;
};

class ProgramStart : public profile_test::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        test_support::StartFreshProgram(m_folder.string(), &m_host);
    }
    void TearDown() override {
        test_support::EndFreshProgram();
        TempFolderTest::TearDown();
    }

    // Starts the program as it starts for real and runs it until `until` or its end.
    void RunUntil(Micros until) {
        auto& events = loop::EventLoop::instance();
        events.post([] { forms::App().get(app::FirstWindow(app::Options{})).Show(); });
        events.post_at(until, [] { loop::EventLoop::instance().end(); });
        events.run();
    }
    static std::vector<chatclient::Line> Said() {
        return chatclient::ChatClient::instance().transcript();
    }
    static startup& Splash() { return forms::App().get<startup>("startup"); }
    static Form4& Main() { return forms::App().get<Form4>("Form4"); }

    AnsweringHost m_host;
};

TEST_F(ProgramStart, TheSplashHandsOverOnceAtItsThirdTickAndCountsOn) {
    m_host.answers = {"Bob"};
    RunUntil(10'500'000);
    ASSERT_EQ(m_host.prompts.size(), 1u);
    const auto& prompt = m_host.prompts[0];
    EXPECT_EQ(prompt.at, 3'000'000);
    EXPECT_FALSE(prompt.splash_visible);
    EXPECT_FALSE(prompt.main_window_visible);  // shown only once start-up is done
    EXPECT_EQ(prompt.request.prompt, "please enter your AOL screenname");

    EXPECT_TRUE(Main().Visible);
    EXPECT_TRUE(Splash().loaded());
    EXPECT_FALSE(Splash().Visible);
    EXPECT_EQ(Splash().Label1.Caption, "10");
    EXPECT_TRUE(Splash().topmost());
}

TEST_F(ProgramStart, LeavesTheMainWindowIdleWithTheDesignOptions) {
    m_host.answers = {"  Some HOST "};
    RunUntil(6'000'000);
    Form4& f = Main();
    EXPECT_EQ(f.HostName(), "some host ");
    EXPECT_EQ(f.LogName(), "log being used");
    EXPECT_EQ(f.Label9.Caption, "1");
    EXPECT_EQ(f.Label10.Caption, "15");
    EXPECT_EQ(f.Label11.Caption, "3");
    EXPECT_EQ(f.Text1.Text, "");
    EXPECT_EQ(f.Check1.Value, 0);
    EXPECT_EQ(f.Check2.Value, 0);
    EXPECT_EQ(f.ProgressBar1.Value, 0);
    EXPECT_EQ(f.ProgressBar1.MaxValue, 100);
    EXPECT_EQ(f.ProgressBar2.MaxValue, 15);
    EXPECT_FALSE(f.Chat1.reading());

    for (forms::CommandButton* b : {&f.Command1, &f.Command5, &f.Command6, &f.Command2})
        EXPECT_TRUE(b->Enabled) << b->name();
    for (forms::CommandButton* b :
         {&f.Command4, &f.Command8, &f.Command3, &f.Command7, &f.Command9})
        EXPECT_FALSE(b->Enabled) << b->name();
    for (const forms::Control* c : f.controls()) {
        if (c->kind() != forms::ControlKind::Timer) continue;
        EXPECT_EQ(static_cast<const forms::TimerControl*>(c)->Enabled, c->name() == "Timer5")
            << c->name();
    }
    std::vector<std::string> checked;
    for (const forms::Control* c : f.controls())
        if (c->kind() == forms::ControlKind::MenuItem &&
            static_cast<const forms::MenuItem*>(c)->Checked)
            checked.push_back(c->name());
    EXPECT_EQ(checked, (std::vector<std::string>{"scrollDElay3", "fifteenmenu", "hintsmenU",
                                                 "lowAll", "mixlog", "oNemenu"}));

    // Folded, topmost, centred on the 15360 x 11520 twip screen, without a Close command.
    EXPECT_EQ(f.Width, 2550);
    EXPECT_EQ(f.ClientHeight(), 3795);
    EXPECT_EQ(f.Left, (15360 - 2550) / 2);
    EXPECT_EQ(f.Top, 3548);  // (11520 - 4425) / 2, the half rounded to even
    EXPECT_TRUE(f.topmost());
    EXPECT_FALSE(f.has_close_box());

    ASSERT_EQ(Said().size(), 2u);
    EXPECT_EQ(ReadFile(PathOf("tavrel.ini")),
              "[theuser]\r\nuser=  Some HOST \r\n[timesloaded]\r\ntimes=2\r\n");
}

// An empty answer ends the program just as Cancel does.
TEST_F(ProgramStart, ACancelledNameEndsTheProgramWithNothingWrittenOrPosted) {
    for (auto answer : {std::optional<std::string>{}, std::optional<std::string>{""}}) {
        loop::EventLoop::instance().reset(loop::Options{});
        forms::App().reset();
        forms::App().set_modal_host(&m_host);
        chatclient::ChatClient::instance().reset(chatclient::Mode::Room, "host");
        m_host.answers = {answer};
        RunUntil(60'000'000);
        EXPECT_EQ(loop::EventLoop::instance().now(), 3'000'000);
        EXPECT_EQ(forms::App().find("Form4"), nullptr);  // unloaded before the end
        EXPECT_TRUE(Said().empty());
        EXPECT_EQ(EntriesInFolder(), 0u);
    }
}

}  // namespace
