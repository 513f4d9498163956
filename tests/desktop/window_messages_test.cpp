#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/desktop.h"

namespace {

using namespace desktop;

LPARAM Text(const char* text) {
    return reinterpret_cast<LPARAM>(text);
}

class WindowMessages : public ::testing::Test {
  protected:
    void SetUp() override { Desktop::instance().reset(); }
};

TEST_F(WindowMessages, TextOfAWindowWithoutProcedureIsItsTitle) {
    HWND window = CreateWindowA("Edit", "old", 0);
    EXPECT_EQ(SendMessageA(window, WM_SETTEXT, 0, Text("hello")), 1);
    EXPECT_EQ(WindowTitle(window), "hello");
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 5);

    std::string buffer(6, ' ');
    EXPECT_EQ(SendMessageA(window, WM_GETTEXT, buffer.size(), Text(buffer.data())), 5);
    EXPECT_EQ(buffer, std::string("hello\0", 6));

    EXPECT_EQ(SendMessageA(window, WM_SETTEXT, 0, 0), 1) << "no text empties it";
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST_F(WindowMessages, GetTextCutsToTheBufferLeavingRoomForTheNul) {
    struct Case {
        WPARAM size;
        LRESULT copied;
        std::string buffer;
    };
    HWND window = CreateWindowA("Edit", "hello", 0);
    for (const auto& [size, copied, expected] : {
             Case{0, 0, "xxxxxxxx"},
             {1, 0, std::string("\0xxxxxxx", 8)},
             {3, 2, std::string("he\0xxxxx", 8)},
             {8, 5, std::string("hello\0xx", 8)},
         }) {
        std::string buffer(8, 'x');
        EXPECT_EQ(SendMessageA(window, WM_GETTEXT, size, Text(buffer.data())), copied) << size;
        EXPECT_EQ(buffer, expected) << size;
    }
}

TEST_F(WindowMessages, KeepsBytesAsTheyAre) {
    HWND window = CreateWindowA("Edit", "", 0);
    SendMessageA(window, WM_SETTEXT, 0, Text("caf\xE9 <b>x</b>"));
    EXPECT_EQ(WindowTitle(window), "caf\xE9 <b>x</b>");
}

TEST_F(WindowMessages, AProcedureGetsEveryMessage) {
    std::vector<UINT> seen;
    HWND window = CreateWindowA("List", "title", 0, [&](HWND, UINT message, WPARAM, LPARAM) {
        seen.push_back(message);
        return LRESULT{42};
    });
    EXPECT_EQ(SendMessageA(window, WM_SETTEXT, 0, Text("new")), 42);
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 42);
    EXPECT_EQ(SendMessageA(window, LB_FINDSTRING, static_cast<WPARAM>(-1), Text("a")), 42);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_SETTEXT, WM_GETTEXTLENGTH, LB_FINDSTRING}));
    EXPECT_EQ(WindowTitle(window), "title");
}

TEST_F(WindowMessages, AProcedureCanLeaveMessagesToTheDefault) {
    HWND window = CreateWindowA("Edit", "", 0, [](HWND w, UINT message, WPARAM wp, LPARAM lp) {
        if (message == WM_CHAR) return LRESULT{7};
        return DefWindowProcA(w, message, wp, lp);
    });
    SendMessageA(window, WM_SETTEXT, 0, Text("kept"));
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 4);
    EXPECT_EQ(SendMessageA(window, WM_CHAR, 13, 0), 7);
}

TEST_F(WindowMessages, OtherMessagesWithoutProcedureAndMessagesToNoWindowGiveZero) {
    HWND window = CreateWindowA("Edit", "x", 0);
    EXPECT_EQ(SendMessageA(window, WM_CHAR, 13, 0), 0);
    EXPECT_EQ(SendMessageA(window, LB_SETCURSEL, 3, 0), 0);
    EXPECT_EQ(SendMessageA(999, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST_F(WindowMessages, AProcedureMayDestroyItsOwnWindow) {
    auto state = std::make_shared<int>(0);
    HWND window = CreateWindowA("Edit", "", 0, [state](HWND w, UINT, WPARAM, LPARAM) {
        DestroyWindow(w);
        *state += 1;  // still running on the destroyed window's procedure
        return LRESULT{*state};
    });
    EXPECT_EQ(SendMessageA(window, WM_CHAR, 13, 0), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(SendMessageA(window, WM_CHAR, 13, 0), 0);
}

}  // namespace
