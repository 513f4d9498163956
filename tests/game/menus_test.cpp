// The option menus: each item checks itself alone in its group, writes its value and posts its
// notice; the points items also keep the descending timer in step.
#include <string>
#include <vector>

#include "tests/game/cycle_fixture.h"

namespace cycle_test {
namespace {

using OptionMenus = MainWindowTest;

enum class Group { Delay, TimeLimit, Hints, LetterCase, Points };

std::vector<forms::MenuItem*> Items(Form4& f, Group group) {
    switch (group) {
        case Group::Delay:
            return {&f.scrollDElay2, &f.scrollDElay3, &f.scrollDELay8, &f.scrollDELay12};
        case Group::TimeLimit:
            return {&f.fivesec, &f.tensec, &f.fifteenmenu, &f.twentYmenu, &f.twentyFivemenu};
        case Group::Hints:
            return {&f.hintsmenU, &f.rehint, &f.dontscroll};
        case Group::LetterCase:
            return {&f.capitalletter, &f.capAll, &f.lowAll};
        case Group::Points:
            return {&f.oNemenu, &f.tHreemenu, &f.fivemenu, &f.wordmenu, &f.descendmenu};
    }
    return {};
}

std::vector<std::string> Checked(Form4& f, Group group) {
    std::vector<std::string> names;
    for (forms::MenuItem* item : Items(f, group))
        if (item->Checked) names.push_back(item->name());
    return names;
}

struct Choice {
    const char* item;
    void (Form4::*handler)();
    Group group;
    forms::Label Form4::*label;  // nullptr: the item writes no label
    const char* value;
    const char* notice;  // "" for none
};

const Choice kChoices[] = {
    {"scrollDElay2", &Form4::Form4_scrollDElay2_Click, Group::Delay, &Form4::Label11, "1", ""},
    {"scrollDElay3", &Form4::Form4_scrollDElay3_Click, Group::Delay, &Form4::Label11, "3", ""},
    {"scrollDELay8", &Form4::Form4_scrollDELay8_Click, Group::Delay, &Form4::Label11, "8", ""},
    {"scrollDELay12", &Form4::Form4_scrollDELay12_Click, Group::Delay, &Form4::Label11, "12", ""},
    {"fivesec", &Form4::Form4_fivesec_Click, Group::TimeLimit, &Form4::Label10, "3.7",
     "<b>[ </b>speed tavrel activated, only 3.7 seconds to answer!<b> ]</b>"},
    {"tensec", &Form4::Form4_tensec_Click, Group::TimeLimit, &Form4::Label10, "10", ""},
    {"fifteenmenu", &Form4::Form4_fifteenmenu_Click, Group::TimeLimit, &Form4::Label10, "15", ""},
    {"twentYmenu", &Form4::Form4_twentYmenu_Click, Group::TimeLimit, &Form4::Label10, "20", ""},
    {"twentyFivemenu", &Form4::Form4_twentyFivemenu_Click, Group::TimeLimit, &Form4::Label10, "25",
     ""},
    {"hintsmenU", &Form4::Form4_hintsmenU_Click, Group::Hints, nullptr, "", ""},
    {"rehint", &Form4::Form4_rehint_Click, Group::Hints, nullptr, "", ""},
    {"dontscroll", &Form4::Form4_dontscroll_Click, Group::Hints, nullptr, "", ""},
    {"capitalletter", &Form4::Form4_capitalletter_Click, Group::LetterCase, nullptr, "", ""},
    {"capAll", &Form4::Form4_capAll_Click, Group::LetterCase, nullptr, "", ""},
    {"lowAll", &Form4::Form4_lowAll_Click, Group::LetterCase, nullptr, "", ""},
    {"oNemenu", &Form4::Form4_oNemenu_Click, Group::Points, &Form4::Label9, "1",
     "<FONT FACE=Arial><b>[</b> tavrel: each word will be worth <b>1</b> point <b>]</b></font>"},
    {"tHreemenu", &Form4::Form4_tHreemenu_Click, Group::Points, &Form4::Label9, "3",
     "<FONT FACE=Arial><b>[</b> tavrel: each word will be worth <b>3</b> points <b>]</b></font>"},
    {"fivemenu", &Form4::Form4_fivemenu_Click, Group::Points, &Form4::Label9, "5",
     "<FONT FACE=Arial><b>[</b> tavrel: each word will be worth <b>5</b> points <b>]</b></font>"},
    {"wordmenu", &Form4::Form4_wordmenu_Click, Group::Points, nullptr, "",
     "<FONT FACE=Arial><b>[</b> tavrel: each word will be worth <b>its length</b> in letters "
     "<b>]</b></font>"},
    {"descendmenu", &Form4::Form4_descendmenu_Click, Group::Points, nullptr, "",
     "<FONT FACE=Arial><b>[ </b>tavrel: descending scores - <b>more time = less points "
     "]</b></font>"},
};

TEST_F(OptionMenus, EachItemChecksItselfAloneWritesItsValueAndPostsItsNotice) {
    Form4& f = Main();
    // Twice round, so that every item is also chosen while it is checked already.
    for (int round = 0; round < 2; ++round)
        for (const Choice& c : kChoices) {
            f.Label9.Caption = "?";
            (f.*c.handler)();
            EXPECT_EQ(Checked(f, c.group), std::vector<std::string>{c.item});
            if (c.label) {
                EXPECT_EQ((f.*c.label).Caption, c.value) << c.item;
            } else if (c.group == Group::Points) {
                EXPECT_EQ(f.Label9.Caption, "?") << c.item;
            }
            std::vector<std::string> notices;
            if (*c.notice) notices.push_back(c.notice);
            EXPECT_EQ(Heard(), notices) << c.item;
        }
}

TEST_F(OptionMenus, TimeLimitsSetTheBarsMaximumUntilItsNextTick) {
    struct Case {
        void (Form4::*handler)();
        int maximum;
    };
    Form4& f = Main();
    for (auto [handler, maximum] :
         {Case{&Form4::Form4_fivesec_Click, 4}, Case{&Form4::Form4_tensec_Click, 10},
          Case{&Form4::Form4_fifteenmenu_Click, 15}, Case{&Form4::Form4_twentYmenu_Click, 20},
          Case{&Form4::Form4_twentyFivemenu_Click, 25}}) {
        (f.*handler)();
        EXPECT_EQ(f.ProgressBar2.MaxValue, maximum);
    }
    // 3.7 and then 15: the bar runs at the 15-second scale.
    f.Form4_fivesec_Click();
    f.Form4_fifteenmenu_Click();
    f.Form4_Timer4_Timer();
    EXPECT_EQ(f.ProgressBar2.MaxValue, 369);
}

TEST_F(OptionMenus, FixedAndSmartPointsSwitchTheDescendingTimerOff) {
    struct Case {
        void (Form4::*handler)();
        bool timer6_after;
    };
    Form4& f = Main();
    for (auto [handler, timer6_after] :
         {Case{&Form4::Form4_oNemenu_Click, false}, Case{&Form4::Form4_tHreemenu_Click, false},
          Case{&Form4::Form4_fivemenu_Click, false}, Case{&Form4::Form4_wordmenu_Click, false},
          Case{&Form4::Form4_descendmenu_Click, true}}) {
        f.Timer6.Enabled = true;
        (f.*handler)();
        EXPECT_EQ(f.Timer6.Enabled, timer6_after);
    }
    // Choosing "descending" does not start the timer itself: the next start or line does.
    f.Timer6.Enabled = false;
    f.Form4_descendmenu_Click();
    EXPECT_FALSE(f.Timer6.Enabled);
}

TEST_F(OptionMenus, PointsChosenAfterADescendingGameHoldForTheNextOne) {
    Form4& f = Main();
    LoadWords({"apple", "pear"});
    f.Form4_descendmenu_Click();
    f.Form4_Command1_Click();
    EXPECT_TRUE(f.Timer6.Enabled);
    RunFor(0.1);
    EXPECT_EQ(f.Label9.Caption, "3");
    f.Form4_Command4_Click();
    f.Form4_fivemenu_Click();
    f.Form4_Command1_Click();
    RunFor(10);  // well past 6 on the clock
    EXPECT_FALSE(f.Timer6.Enabled);
    EXPECT_EQ(f.Label9.Caption, "5");
}

}  // namespace
}  // namespace cycle_test
