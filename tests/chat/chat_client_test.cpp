#include "platform/chatclient/chat_client.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/desktop.h"

namespace {

using namespace desktop;
using chatclient::ChatClient;
using chatclient::Line;
using chatclient::Mode;

LPARAM Text(const char* text) {
    return reinterpret_cast<LPARAM>(text);
}

bool HasChild(HWND window, const char* class_name) {
    return FindWindowExA(window, 0, class_name, nullptr) != 0;
}

// Walks the client's windows the way a program looking for the room does: the first
// "AOL Child" under the frame's "MDIClient" whose direct children hold the four classes.
HWND RoomFoundByClasses() {
    HWND frame = FindWindowA("aol frame25", nullptr);
    HWND mdi = FindWindowExA(frame, 0, "mdiclient", nullptr);
    for (HWND child = FindWindowExA(mdi, 0, "aol child", nullptr); child != 0;
         child = FindWindowExA(mdi, child, "aol child", nullptr)) {
        if (HasChild(child, "_aol_static") && HasChild(child, "richcntlreadonly") &&
            HasChild(child, "_aol_combobox") && HasChild(child, "_aol_icon"))
            return child;
    }
    return 0;
}

std::string BoxText(HWND box) {
    std::string buffer(SendMessageA(box, WM_GETTEXTLENGTH, 0, 0) + 1, ' ');
    SendMessageA(box, WM_GETTEXT, buffer.size(), Text(buffer.data()));
    buffer.pop_back();
    return buffer;
}

class ChatClientTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Desktop::instance().reset();
        client().reset(Mode::Room, "host");
    }
    void TearDown() override {
        // Listeners outlive a reset, and these capture the test's locals.
        for (int id : m_listeners) client().remove_listener(id);
        client().reset(Mode::None, "host");
    }
    static ChatClient& client() { return ChatClient::instance(); }
    int Listen(ChatClient::Listener listener) {
        m_listeners.push_back(client().add_listener(std::move(listener)));
        return m_listeners.back();
    }
    void Type(const char* text) {
        HWND box = client().input_box();
        SendMessageA(box, WM_SETTEXT, 0, Text(text));
        SendMessageA(box, WM_CHAR, 13, 0);
    }
    std::vector<int> m_listeners;
};

TEST_F(ChatClientTest, ParsesTheOptionTexts) {
    struct Case {
        const char* text;
        std::optional<Mode> mode;
    };
    for (auto [text, mode] : {Case{"none", Mode::None},
                              {"noroom", Mode::NoRoom},
                              {"nobox", Mode::NoBox},
                              {"room", Mode::Room},
                              {"stubborn", Mode::Stubborn},
                              {"Room", std::nullopt},
                              {"", std::nullopt}}) {
        EXPECT_EQ(chatclient::ParseMode(text), mode) << text;
        if (mode) {
            EXPECT_EQ(chatclient::ModeName(*mode), text);
        }
    }
}

TEST_F(ChatClientTest, TheRoomIsTheSecondChildWindowAndTheBoxNotItsFirstChild) {
    HWND mdi = FindWindowExA(client().main_window(), 0, "MDIClient", nullptr);
    HWND first = FindWindowExA(mdi, 0, "AOL Child", nullptr);
    HWND second = FindWindowExA(mdi, first, "AOL Child", nullptr);

    EXPECT_NE(first, 0u);
    EXPECT_EQ(second, client().room_window());
    EXPECT_EQ(RoomFoundByClasses(), client().room_window());

    HWND box = FindWindowExA(second, 0, "RichCntl", nullptr);
    EXPECT_EQ(box, client().input_box());
    EXPECT_NE(ChildrenOf(second).front(), box);
}

TEST_F(ChatClientTest, EachModeShowsItsWindows) {
    struct Case {
        Mode mode;
        bool frame;
        bool room;
        bool box;
    };
    for (auto [mode, frame, room, box] : {Case{Mode::None, false, false, false},
                                          {Mode::NoRoom, true, false, false},
                                          {Mode::NoBox, true, true, false},
                                          {Mode::Room, true, true, true},
                                          {Mode::Stubborn, true, true, true}}) {
        client().reset(mode, "host");
        auto name = chatclient::ModeName(mode);
        EXPECT_EQ(FindWindowA("AOL Frame25", nullptr) != 0, frame) << name;
        EXPECT_EQ(RoomFoundByClasses() != 0, room) << name;
        EXPECT_EQ(client().room_open(), room) << name;
        HWND found_room = RoomFoundByClasses();
        EXPECT_EQ(found_room && HasChild(found_room, "richcntl"), box) << name;
        EXPECT_EQ(client().say("amy", "hi"), room) << name;
    }
}

TEST_F(ChatClientTest, ClassesAmongGrandchildrenDoNotMakeARoom) {
    client().reset(Mode::None, "host");
    HWND frame = CreateWindowA("AOL Frame25", "AOL", 0);
    HWND mdi = CreateWindowA("MDIClient", "", frame);
    HWND candidate = CreateWindowA("AOL Child", "Lookalike", mdi);
    HWND panel = CreateWindowA("_AOL_Static", "", candidate);
    for (const char* name : {"RICHCNTLREADONLY", "_AOL_Combobox", "_AOL_Icon", "richcntl"})
        CreateWindowA(name, "", panel);
    EXPECT_EQ(RoomFoundByClasses(), 0u);

    // The same classes one level up make it the room.
    for (const char* name : {"RICHCNTLREADONLY", "_AOL_Combobox", "_AOL_Icon"})
        CreateWindowA(name, "", candidate);
    EXPECT_EQ(RoomFoundByClasses(), candidate);
}

TEST_F(ChatClientTest, EnterSaysTheBoxTextUnderTheScreenNameAndEmptiesTheBox) {
    client().reset(Mode::Room, "Host Name");
    Type("<b>hello</b>");
    EXPECT_EQ(client().transcript(), (std::vector<Line>{{"Host Name", "<b>hello</b>"}}));
    EXPECT_EQ(BoxText(client().input_box()), "");
}

TEST_F(ChatClientTest, EnterInAnEmptyBoxSaysNothing) {
    HWND box = client().input_box();
    SendMessageA(box, WM_CHAR, 13, 0);
    Type("");
    EXPECT_TRUE(client().transcript().empty());
}

TEST_F(ChatClientTest, OtherCharactersDoNotSend) {
    HWND box = client().input_box();
    SendMessageA(box, WM_SETTEXT, 0, Text("typed"));
    SendMessageA(box, WM_CHAR, 'x', 0);
    SendMessageA(box, WM_CHAR, 10, 0);
    EXPECT_TRUE(client().transcript().empty());
    EXPECT_EQ(BoxText(box), "typed");
}

TEST_F(ChatClientTest, AStubbornBoxIgnoresTheFirstEnterOfEachText) {
    client().reset(Mode::Stubborn, "host");
    HWND box = client().input_box();
    for (const char* text : {"one", "two"}) {
        SendMessageA(box, WM_SETTEXT, 0, Text(text));
        SendMessageA(box, WM_CHAR, 13, 0);
        EXPECT_EQ(BoxText(box), text) << "first Enter ignored";
        SendMessageA(box, WM_CHAR, 13, 0);
        EXPECT_EQ(BoxText(box), "");
    }
    EXPECT_EQ(client().transcript(), (std::vector<Line>{{"host", "one"}, {"host", "two"}}));
}

// An evening of games in flat memory: the room keeps its newest lines, every one of them up to
// the last said, and its storage stops growing; listeners still hear every line.
TEST_F(ChatClientTest, TheTranscriptKeepsTheNewestLinesInBoundedMemory) {
    constexpr std::size_t kKept = ChatClient::kHistoryLines;
    std::uint64_t heard = 0;
    int id = client().add_listener([&heard](const Line&) { ++heard; });
    std::size_t said = 0;
    auto say_until = [&](std::size_t total) {
        for (; said < total; ++said) client().say("p", std::to_string(said));
    };
    say_until(2 * kKept);
    const std::size_t capacity = client().transcript().capacity();
    say_until(5 * kKept + 7);
    client().remove_listener(id);

    const std::vector<Line>& kept = client().transcript();
    EXPECT_EQ(client().said_count(), said);
    EXPECT_EQ(heard, said);
    EXPECT_GE(kept.size(), kKept);
    EXPECT_LE(kept.size(), kKept + kKept / 8);
    EXPECT_EQ(kept.capacity(), capacity) << "no more storage for more lines";
    // The newest lines, in order, without a gap.
    const std::size_t first = said - kept.size();
    for (std::size_t i = 0; i < kept.size(); ++i)
        ASSERT_EQ(kept[i].text, std::to_string(first + i)) << i;

    client().reset(Mode::Room, "host");
    EXPECT_TRUE(client().transcript().empty());
    EXPECT_EQ(client().said_count(), 0u);
}

TEST_F(ChatClientTest, ListenersHearEveryLineAtOnceInTheOrderAdded) {
    std::vector<std::string> heard;
    int first = Listen([&](const Line& l) { heard.push_back("1:" + l.text); });
    Listen([&](const Line& l) { heard.push_back("2:" + l.name); });

    client().say("amy", "hi");
    EXPECT_EQ(heard, (std::vector<std::string>{"1:hi", "2:amy"}));

    client().remove_listener(first);
    Type("yo");
    EXPECT_EQ(heard, (std::vector<std::string>{"1:hi", "2:amy", "2:host"}));
}

TEST_F(ChatClientTest, AListenerRemovedByAnEarlierOneHearsNothingMore) {
    int second = 0;
    int heard_by_second = 0;
    Listen([&](const Line&) { client().remove_listener(second); });
    second = Listen([&](const Line&) { ++heard_by_second; });

    client().say("amy", "hi");
    client().say("amy", "again");
    EXPECT_EQ(heard_by_second, 0);
}

TEST_F(ChatClientTest, ClosingAndReopeningTheRoomMakesANewWindow) {
    HWND old_room = client().room_window();
    HWND old_box = client().input_box();
    client().close_room();
    EXPECT_FALSE(client().room_open());
    EXPECT_FALSE(IsWindow(old_room));
    EXPECT_FALSE(IsWindow(old_box));
    EXPECT_EQ(RoomFoundByClasses(), 0u);
    EXPECT_FALSE(client().say("amy", "lost"));

    client().open_room();
    EXPECT_TRUE(client().room_open());
    EXPECT_NE(client().room_window(), old_room);
    EXPECT_EQ(RoomFoundByClasses(), client().room_window());
    Type("back");
    EXPECT_EQ(client().transcript(), (std::vector<Line>{{"host", "back"}}));
}

TEST_F(ChatClientTest, NoRoomOpensWithoutARunningClient) {
    client().reset(Mode::None, "host");
    client().open_room();
    EXPECT_FALSE(client().room_open());
    EXPECT_EQ(FindWindowA("AOL Frame25", nullptr), 0u);
}

TEST_F(ChatClientTest, ResetLeavesWindowsMadeAfterADesktopReset) {
    Desktop::instance().reset();
    HWND form = CreateWindowA("Form", "", 0);  // may carry the old frame's number
    client().reset(Mode::Room, "host");
    EXPECT_TRUE(IsWindow(form));
    EXPECT_TRUE(client().room_open());
}

}  // namespace
