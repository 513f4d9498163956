#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/desktop/desktop.h"

namespace {

using namespace desktop;

const std::vector<std::string> kStandard = {"Restore",  "Move", "Size", "Minimize",
                                            "Maximize", "",     "Close"};

class SystemMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        Desktop::instance().reset();
        m_window = CreateWindowA("Form", "", 0);
    }
    // What a window does at load to lose its close box: the last item, then the one above.
    void RemoveLastTwo() {
        HMENU menu = GetSystemMenu(m_window, false);
        int count = GetMenuItemCount(menu);
        RemoveMenu(menu, count - 1, MF_BYPOSITION | MF_REMOVE);
        RemoveMenu(menu, count - 2, MF_BYPOSITION | MF_REMOVE);
        DrawMenuBar(m_window);
    }
    HWND m_window = 0;
};

TEST_F(SystemMenu, EveryWindowStartsWithTheStandardMenu) {
    HMENU menu = GetSystemMenu(m_window, false);
    EXPECT_NE(menu, 0u);
    EXPECT_NE(menu, m_window);
    EXPECT_EQ(GetSystemMenu(m_window, false), menu);
    EXPECT_EQ(GetMenuItemCount(menu), 7);
    EXPECT_EQ(SystemMenuItems(m_window), kStandard);
    EXPECT_TRUE(HasCloseCommand(m_window));
}

TEST_F(SystemMenu, RemovingTheLastTwoItemsTakesAwayClose) {
    RemoveLastTwo();
    EXPECT_FALSE(HasCloseCommand(m_window));
    EXPECT_EQ(SystemMenuItems(m_window),
              (std::vector<std::string>{"Restore", "Move", "Size", "Minimize", "Maximize"}));

    HWND other = CreateWindowA("Form", "", 0);
    EXPECT_TRUE(HasCloseCommand(other)) << "each window has a menu of its own";
}

TEST_F(SystemMenu, RevertRestoresTheStandardMenu) {
    RemoveLastTwo();
    EXPECT_EQ(GetSystemMenu(m_window, true), 0u);
    EXPECT_TRUE(HasCloseCommand(m_window));
    EXPECT_EQ(SystemMenuItems(m_window), kStandard);
}

TEST_F(SystemMenu, RefusesWhatItCannotDo) {
    HMENU menu = GetSystemMenu(m_window, false);
    EXPECT_FALSE(RemoveMenu(menu, 7, MF_BYPOSITION)) << "past the last item";
    EXPECT_FALSE(RemoveMenu(menu, 0, MF_REMOVE)) << "items have no command ids";
    EXPECT_FALSE(RemoveMenu(999, 0, MF_BYPOSITION));
    EXPECT_EQ(GetMenuItemCount(999), -1);
    EXPECT_EQ(GetSystemMenu(999, false), 0u);
    EXPECT_FALSE(DrawMenuBar(999));
    EXPECT_EQ(GetMenuItemCount(menu), 7);

    DestroyWindow(m_window);
    EXPECT_EQ(GetMenuItemCount(menu), -1);
    EXPECT_FALSE(HasCloseCommand(m_window));
}

}  // namespace
