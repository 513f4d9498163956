// Posting into the chat room: finding the room among the client's windows, the Enter that is
// typed again when the box still holds the line, and the read-back's trimming.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/chat.h"
#include "platform/chatclient/chat_client.h"
#include "platform/desktop/desktop.h"
#include "platform/loop/loop.h"
#include "platform/text/text.h"

namespace {

using namespace desktop;
using chatclient::ChatClient;
using chatclient::Mode;

class ChatPosting : public ::testing::Test {
  protected:
    void SetUp() override {
        Desktop::instance().reset();
        loop::EventLoop::instance().reset(loop::Options{});
        Client(Mode::None);
    }
    void TearDown() override {
        ChatClient::instance().reset(Mode::None, "host");
        Desktop::instance().reset();
    }
    static void Client(Mode mode) { ChatClient::instance().reset(mode, "host"); }
    static std::vector<std::string> Said() {
        std::vector<std::string> texts;
        for (const auto& line : ChatClient::instance().transcript()) texts.push_back(line.text);
        return texts;
    }

    // A client of our own making, for the shapes the stand-in client never takes.
    HWND Frame() {
        HWND frame = CreateWindowA("AOL Frame25", "AOL", 0);
        m_mdi = CreateWindowA("MDIClient", "", frame);
        return frame;
    }
    HWND Child(const std::vector<const char*>& child_classes, HWND parent = 0) {
        HWND child = CreateWindowA("AOL Child", "", parent ? parent : m_mdi);
        for (const char* c : child_classes) CreateWindowA(c, "", child);
        return child;
    }
    // An input box that counts the Enters typed into it; `takes` says whether it posts them.
    HWND CountingBox(HWND room, bool takes) {
        return CreateWindowA("richcntl", "", room,
                             [this, takes](HWND box, UINT message, WPARAM w, LPARAM l) -> LRESULT {
                                 if (message == WM_CHAR && w == 13) {
                                     ++m_enters;
                                     if (takes) SetWindowTitle(box, "");
                                     return 0;
                                 }
                                 return DefWindowProcA(box, message, w, l);
                             });
    }

    HWND m_mdi = 0;
    int m_enters = 0;
};

const std::vector<const char*> kRoomClasses = {"_AOL_Static", "RICHCNTLREADONLY", "_AOL_Combobox",
                                               "_AOL_Icon"};

TEST_F(ChatPosting, FindsTheFirstChildThatHasAllFourClasses) {
    EXPECT_EQ(FindChatWindow(), 0u);  // no client
    Frame();
    EXPECT_EQ(FindChatWindow(), 0u);  // no chat room
    Child({"_AOL_Static", "_AOL_Icon"});
    HWND holder = Child({"_AOL_Static"});
    // The other three classes only among grandchildren: not a room.
    Child({"RICHCNTLREADONLY", "_AOL_Combobox", "_AOL_Icon"}, holder);
    EXPECT_EQ(FindChatWindow(), 0u);
    HWND room = Child({"_AOL_Icon", "_AOL_Combobox", "RICHCNTLREADONLY", "_AOL_Static"});
    Child(kRoomClasses);
    EXPECT_EQ(FindChatWindow(), room);
}

TEST_F(ChatPosting, PostsEachLineOnceIntoTheStandInRoom) {
    for (Mode mode : {Mode::Room, Mode::Stubborn}) {
        Client(mode);
        SendChat("<b>hello</b>");
        SendChat("second line");
        EXPECT_EQ(Said(), (std::vector<std::string>{"<b>hello</b>", "second line"}))
            << chatclient::ModeName(mode);
        EXPECT_EQ(WindowTitle(ChatClient::instance().input_box()), "");
    }
}

TEST_F(ChatPosting, PostsNothingWithoutARoomOrItsInputBox) {
    for (Mode mode : {Mode::None, Mode::NoRoom, Mode::NoBox}) {
        Client(mode);
        SendChat("lost");
        EXPECT_TRUE(Said().empty()) << chatclient::ModeName(mode);
    }
}

TEST_F(ChatPosting, AStubbornBoxLosesALineWithBlanksAtItsEnds) {
    Client(Mode::Stubborn);
    // The read-back is trimmed, so it never equals the line and no second Enter is typed.
    SendChat(" leading");
    SendChat("trailing ");
    EXPECT_TRUE(Said().empty());
    SendChat("next");
    EXPECT_EQ(Said(), std::vector<std::string>{"next"});
}

TEST_F(ChatPosting, TypesEnterAgainOnlyWhenTheBoxReadsBackTheLine) {
    struct Case {
        bool box_takes_enter;
        std::string line;
        int enters;
    };
    for (const auto& [takes, line, enters] : {
             Case{true, "hello", 1}, Case{false, "hello", 2},  // no third attempt
             Case{false, " hello", 1},                         // trimmed read-back differs
             Case{false, "hello  ", 1}, Case{true, "", 2},     // an empty box equals the empty line
             Case{false, "\thello", 2},                        // only spaces are trimmed
         }) {
        Desktop::instance().reset();
        Frame();
        HWND room = Child({"_AOL_Static", "RICHCNTLREADONLY", "_AOL_Combobox"});
        CountingBox(room, takes);
        CreateWindowA("_AOL_Icon", "", room);
        m_enters = 0;
        SendChat(line);
        EXPECT_EQ(m_enters, enters) << takes << " '" << line << "'";
    }
}

TEST(TrimNull, CutsAtTheFirstNulAndTrimsSpacesOnlyThen) {
    using namespace std::string_literals;
    struct Case {
        std::string in, out;
    };
    for (const auto& [in, out] : {
             Case{"  word  ", "  word  "},  // no NUL: unchanged
             Case{"  word \0 more"s, "word"},
             Case{"\0abc"s, ""},
             Case{"   \0"s, ""},
             Case{"\tword \0"s, "\tword"},
             Case{"", ""},
         })
        EXPECT_EQ(TrimNull(in), out) << text::EscapeBytes(in);
}

}  // namespace
