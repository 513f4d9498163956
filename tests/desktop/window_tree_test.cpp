#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/desktop/desktop.h"

namespace {

using namespace desktop;

class WindowTree : public ::testing::Test {
  protected:
    void SetUp() override { Desktop::instance().reset(); }
};

TEST_F(WindowTree, KeepsChildrenFrontToBackInCreationOrder) {
    HWND top = CreateWindowA("Frame", "Top", 0);
    HWND first = CreateWindowA("Child", "one", top);
    HWND second = CreateWindowA("Child", "two", top);
    HWND third = CreateWindowA("Other", "three", top);

    EXPECT_EQ(ChildrenOf(top), (std::vector<HWND>{first, second, third}));
    EXPECT_EQ(ParentOf(second), top);
    EXPECT_EQ(ParentOf(top), 0u);
    EXPECT_EQ(WindowClass(third), "Other");
    EXPECT_EQ(WindowTitle(first), "one");
}

TEST_F(WindowTree, RefusesAParentThatIsNoWindow) {
    EXPECT_EQ(CreateWindowA("Child", "", 999), 0u);
}

TEST_F(WindowTree, FindsTheNextMatchingChildAfterAGivenOne) {
    HWND top = CreateWindowA("Frame", "", 0);
    HWND a = CreateWindowA("AOL Child", "a", top);
    HWND other = CreateWindowA("MDIClient", "", top);
    HWND b = CreateWindowA("AOL Child", "b", top);

    EXPECT_EQ(FindWindowExA(top, 0, "AOL Child", nullptr), a);
    EXPECT_EQ(FindWindowExA(top, a, "AOL Child", nullptr), b);
    EXPECT_EQ(FindWindowExA(top, b, "AOL Child", nullptr), 0u);
    EXPECT_EQ(FindWindowExA(top, a, nullptr, nullptr), other);
    EXPECT_EQ(FindWindowExA(top, 0, nullptr, "b"), b);
    EXPECT_EQ(FindWindowExA(top, 0, "AOL Child", "B"), 0u) << "titles compare exactly";
}

TEST_F(WindowTree, StartsNowhereAfterAWindowThatIsNotAChild) {
    HWND top = CreateWindowA("Frame", "", 0);
    CreateWindowA("Child", "", top);
    HWND stranger = CreateWindowA("Child", "", 0);

    EXPECT_EQ(FindWindowExA(top, stranger, "Child", nullptr), 0u);
    EXPECT_EQ(FindWindowExA(999, 0, "Child", nullptr), 0u);
}

TEST_F(WindowTree, SearchesOnlyDirectChildren) {
    HWND top = CreateWindowA("Frame", "", 0);
    HWND middle = CreateWindowA("Middle", "", top);
    CreateWindowA("Deep", "", middle);

    EXPECT_EQ(FindWindowExA(top, 0, "Deep", nullptr), 0u);
    EXPECT_EQ(FindWindowA("Middle", nullptr), 0u) << "only top-level windows";
    EXPECT_EQ(FindWindowA("frame", nullptr), top);
    EXPECT_EQ(FindWindowExA(0, 0, "FRAME", nullptr), top);
}

TEST_F(WindowTree, ComparesClassNamesRegardlessOfCase) {
    struct Case {
        const char* created;
        const char* sought;
        bool found;
    };
    for (auto [created, sought, found] : {
             Case{"AOL Child", "aol child", true},
             {"RICHCNTLREADONLY", "RichCntlReadOnly", true},
             {"richcntl", "RICHCNTL", true},
             {"Caf\xC9", "caf\xE9", true},                    // E acute
             {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", true},  // the letters among the symbols
             {"\xD7", "\xF7", false},                         // multiplication and division signs
             {"richcntl", "richcntl ", false},
             {"richcntl", "richcnt", false},
         }) {
        Desktop::instance().reset();
        HWND window = CreateWindowA(created, "", 0);
        EXPECT_EQ(FindWindowA(sought, nullptr), found ? window : 0u) << created << " / " << sought;
    }
}

TEST_F(WindowTree, DestroysAWindowWithEverythingBelowIt) {
    HWND top = CreateWindowA("Frame", "", 0);
    HWND keep = CreateWindowA("Child", "", top);
    HWND gone = CreateWindowA("Child", "", top);
    HWND grandchild = CreateWindowA("Child", "", gone);

    EXPECT_TRUE(DestroyWindow(gone));
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(IsWindow(grandchild));
    EXPECT_EQ(ChildrenOf(top), std::vector<HWND>{keep});
    EXPECT_FALSE(DestroyWindow(gone));
}

TEST_F(WindowTree, NeverHandsOutAHandleTwiceUntilReset) {
    HWND first = CreateWindowA("A", "", 0);
    DestroyWindow(first);
    HWND second = CreateWindowA("A", "", 0);
    EXPECT_NE(second, first);
    EXPECT_FALSE(IsWindow(first));

    auto generation = Desktop::instance().generation();
    Desktop::instance().reset();
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(CreateWindowA("A", "", 0), 1u);
    EXPECT_NE(Desktop::instance().generation(), generation);
}

TEST_F(WindowTree, RecordsStayingOnTop) {
    HWND window = CreateWindowA("Form", "", 0);
    EXPECT_FALSE(IsTopmost(window));
    EXPECT_TRUE(SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE));
    EXPECT_TRUE(IsTopmost(window));
    EXPECT_TRUE(SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE));
    EXPECT_FALSE(IsTopmost(window));
    EXPECT_FALSE(SetWindowPos(999, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE));
}

}  // namespace
