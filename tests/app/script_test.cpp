// The script language and its driver: parsing, and a timeline that acts inside pauses and
// modal boxes as a person would.
#include "app/script.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <streambuf>

#include "app/script_driver.h"
#include "common/chat.h"
#include "common/pause.h"
#include "platform/chatclient/chat_client.h"
#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"
#include "tests/support/run_helpers.h"

namespace {

TEST(ParseScript, ReadsEveryVerbAndItsTexts) {
    auto r = app::ParseScript(
        "# comment\n\nwait 1.5\r\nsay Bob Smith: caf\xC3\xA9 \\x01 \nclick Form4.Command1\n"
        "type Form7.Text1  two blanks\nanswer\npress Yes\nselect F.List1 -1\nhover F.L 10 20.5\n");
    ASSERT_FALSE(r.error) << *r.error;
    ASSERT_EQ(r.actions.size(), 8u);
    EXPECT_EQ(r.actions[0].seconds, 1.5);
    EXPECT_EQ(r.actions[1].name, "Bob Smith");
    EXPECT_EQ(r.actions[1].text, "caf\xE9 \x01 ");  // trailing blank kept
    EXPECT_EQ(r.actions[2].form, "Form4");
    EXPECT_EQ(r.actions[2].target, "Command1");
    EXPECT_EQ(r.actions[3].text, " two blanks");
    EXPECT_EQ(r.actions[4].text, "");
    EXPECT_EQ(r.actions[6].number, -1);
    EXPECT_EQ(r.actions[7].y, 20.5f);
}

TEST(ParseScript, NamesTheLineOfABadAction) {
    for (const char* bad : {"wait x", "say nobody", "click Form4", "check F.C 2", "press Maybe",
                            "frobnicate", "say a: bad \\q escape", "room ajar"}) {
        auto r = app::ParseScript(std::string("wait 1\n") + bad + "\n");
        ASSERT_TRUE(r.error) << bad;
        EXPECT_EQ(r.error->rfind("line 2: ", 0), 0u) << *r.error;
    }
}

TEST(ParseScript, SkipsAByteOrderMarkOnlyAtTheStart) {
    auto r = app::ParseScript("\xEF\xBB\xBFwait 1\nfrobnicate\n");
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->rfind("line 2: ", 0), 0u) << *r.error;
    r = app::ParseScript("\xEF\xBB\xBF# a comment\r\nwait 2\n");
    ASSERT_FALSE(r.error) << *r.error;
    ASSERT_EQ(r.actions.size(), 1u);
    EXPECT_EQ(r.actions[0].line, 2);
    r = app::ParseScript("wait 1\n\xEF\xBB\xBFwait 1\n");
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->rfind("line 2: unknown action", 0), 0u) << *r.error;
}

// A window whose button pauses three seconds and whose timer counts.
struct PausingForm : forms::Form {
    forms::CommandButton Command1{*this, "Command1"};
    forms::TimerControl Timer1{*this, "Timer1", 1000, true};
    std::vector<std::string> log;
    int ticks = 0;
    PausingForm() : forms::Form("PausingForm") {
        Command1.Click = [this] {
            log.push_back("click");
            Pause(3);
            log.push_back("click done");
        };
        Timer1.Tick = [this] { ++ticks; };
    }
};

class ScriptDriverTest : public testing::Test {
protected:
    void SetUp() override {
        loop::EventLoop::instance().reset(loop::Options{});
        forms::App().reset();
        desktop::Desktop::instance().reset();
        chatclient::ChatClient::instance().reset(chatclient::Mode::Room, "host");
        forms::App().register_form("PausingForm", [] { return std::make_unique<PausingForm>(); });
    }
    void TearDown() override { forms::App().reset(); }

    std::string Run(const std::string& script, std::function<void()> first = {}) {
        auto parsed = app::ParseScript(script);
        EXPECT_FALSE(parsed.error);
        std::ostringstream out;
        app::ScriptDriver driver(std::move(parsed.script), {true, true, "."}, out);
        forms::App().set_modal_host(&driver);
        driver.start();
        if (first) loop::EventLoop::instance().post(first);
        loop::EventLoop::instance().run();
        forms::App().set_modal_host(nullptr);
        return out.str();
    }
};

TEST_F(ScriptDriverTest, ActionsTakeEffectInsideAPause) {
    auto& form = forms::App().get<PausingForm>("PausingForm");
    form.Show();
    std::string out = Run("click PausingForm.Command1\nwait 1\nsay bob: during\nwait 3\n");
    EXPECT_EQ(out, "[1.00] bob: during\n");
    EXPECT_EQ(form.log, (std::vector<std::string>{"click", "click done"}));
}

TEST_F(ScriptDriverTest, TimersAndLinesRunWhileABoxWaitsAndClicksWaitForIt) {
    auto& form = forms::App().get<PausingForm>("PausingForm");
    form.Show();
    int ticks_when_answered = -1;
    std::string answer;
    std::string out = Run("wait 2\nsay bob: hi\nclick PausingForm.Command1\nwait 3\nanswer yes\nwait 1\n",
                          [&] {
                              answer = forms::InputBox("name?", "t", "");
                              ticks_when_answered = form.ticks;
                              SendChat("got " + answer);
                          });
    EXPECT_EQ(answer, "yes");
    EXPECT_EQ(ticks_when_answered, 5);
    // The click waited for the box; it ran after the answer, so it has not finished its pause.
    EXPECT_EQ(form.log, std::vector<std::string>{"click"});
    EXPECT_NE(out.find("[2.00] bob: hi\n"), std::string::npos);
    EXPECT_NE(out.find("[5.00] host: got yes\n"), std::string::npos);
    EXPECT_NE(out.find("* inputbox \"name?\" title \"t\" default \"\" -> \"yes\""), std::string::npos);
}

TEST_F(ScriptDriverTest, HiddenOrDisabledControlsIgnoreInput) {
    auto& form = forms::App().get<PausingForm>("PausingForm");
    form.Show();
    form.Command1.Enabled = false;
    std::string out = Run("click PausingForm.Command1\nclick PausingForm.Nothing\nclose Nowhere\n");
    EXPECT_TRUE(form.log.empty());
    EXPECT_NE(out.find("* ignored: click PausingForm.Command1 (hidden or disabled)"),
              std::string::npos);
    EXPECT_NE(out.find("* ignored: close Nowhere (the window is not shown)"), std::string::npos);
}

// Writes each byte through to a file on its own and raises a signal after the fifth, as if the
// signal came in the middle of a line.
class SignallingOutput : public std::streambuf {
  public:
    SignallingOutput(int fd, int signal) : m_fd(fd), m_signal(signal) {}

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        if (::write(m_fd, &byte, 1) != 1) return traits_type::eof();
        if (++m_written == 5) std::raise(m_signal);
        return c;
    }

  private:
    int m_fd;
    int m_signal;
    int m_written = 0;
};

using ScriptDriverDeathTest = ScriptDriverTest;

TEST_F(ScriptDriverDeathTest, AnEndingSignalWaitsUntilTheLineIsOutWhole) {
    GTEST_FLAG_SET(death_test_style, "fast");
    std::string path = (std::filesystem::temp_directory_path() / "tavrel-line-XXXXXX").string();
    const int fd = ::mkstemp(path.data());
    ASSERT_GE(fd, 0);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const auto say_a_line = [fd, signal] {
            // The default action, whatever the test was started with (nohup, a background job).
            ::signal(signal, SIG_DFL);
            SignallingOutput buffer(fd, signal);
            std::ostream out(&buffer);
            app::ScriptDriver driver({}, {}, out);
            chatclient::ChatClient::instance().say("ann", "one two three");
        };
        EXPECT_EXIT(say_a_line(), ::testing::KilledBySignal(signal), "") << signal;
        EXPECT_EQ(test_support::ReadAll(path), "ann: one two three\n") << signal;
        ASSERT_EQ(::ftruncate(fd, 0), 0);
        ASSERT_EQ(::lseek(fd, 0, SEEK_SET), 0);
    }
    ::close(fd);
    std::filesystem::remove(path);
}

// The trace writes the program's folder as $FOLDER only where a path begins with the folder as a
// whole, so that the folder's name elsewhere in a line stays as it is.
TEST(MarkFolder, WritesTheFolderOnlyWhereAPathBeginsWithIt) {
    struct Case {
        std::string folder, line, marked;
    };
    const std::string filter = R"( filter "log files (*.log)|*.log")";
    const Case cases[] = {
        {"log", R"(open dialog init "log")" + filter, R"(open dialog init "$FOLDER")" + filter},
        {"log", R"(msgbox "This file already exists: log/words.log, do you wish replace it?")",
         R"(msgbox "This file already exists: $FOLDER/words.log, do you wish replace it?")"},
        {"log", "log/a log/", "$FOLDER/a $FOLDER/"},
        {"log", R"(open dialog init "logs" -> "catalog/log.log")",
         R"(open dialog init "logs" -> "catalog/log.log")"},
        {"/tmp/f", R"(init "/tmp/f" path "/tmp/f/x" other "/tmp/fx" "/var/tmp/f/x")",
         R"(init "$FOLDER" path "$FOLDER/x" other "/tmp/fx" "/var/tmp/f/x")"},
        {"/tmp/f/", R"(init "/tmp/f" path "/tmp/f/x")", R"(init "$FOLDER" path "$FOLDER/x")"},
        {".", R"(init "." path "./x")", R"(init "." path "./x")"},
        {"/", R"(init "/" path "/x")", R"(init "/" path "/x")"},
        {"", R"(init "")", R"(init "")"},
    };
    for (const Case& c : cases) EXPECT_EQ(app::MarkFolder(c.line, c.folder), c.marked) << c.line;
}

}  // namespace
