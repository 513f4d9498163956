// The main window itself: folding and unfolding step by step, the word list's tooltip with the
// headless text measures, and the pictures it shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/Form4.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"
#include "tests/game/lists_program_run.h"

namespace {

using loop::Micros;

constexpr Micros kTick = 15625;
constexpr Micros kGreeted = 4'000'000;  // the moment the script takes over

// Every change of the window's width, with the state of the arrows and timers at that moment.
struct WidthStep {
    Micros at;
    int width;
    bool unfold_arrow_visible;
};

class WindowChrome : public form4_test::ProgramRun {
  protected:
    // From `say probe: follow` on, notes every change of the main window's width and each
    // moment its unfold arrow is shown again.
    void FollowTheWidth() {
        Probe("follow", [this] {
            forms::App().set_observer([this](forms::Form& form, forms::Control* control) {
                if (&form != &Main()) return;
                Form4& f = Main();
                const Micros now = loop::EventLoop::instance().now();
                const int last = m_steps.empty() ? 2550 : m_steps.back().width;
                if (!control && f.Width != last)
                    m_steps.push_back({now, f.Width, f.Label2.Visible});
                if (control == &f.Label2 && f.Label2.Visible) m_shown_at.push_back({now, f.Width});
            });
        });
    }

    std::vector<WidthStep> m_steps;
    std::vector<std::pair<Micros, int>> m_shown_at;  // moment and width
};

TEST_F(WindowChrome, UnfoldsIn168StepsAndFoldsBackShowingTheArrowOnlyAtTheEnd) {
    FollowTheWidth();
    std::string out =
        Run("say probe: follow\nclick Form4.Label2\nwait 1\nclick Form4.Label2\nwait 2\n"
            "click Form4.Label7\nwait 3\n");
    EXPECT_NE(out.find("* ignored: click Form4.Label2 (hidden or disabled)"), std::string::npos);
    Form4& f = Main();
    ASSERT_EQ(m_steps.size(), 2u * 168);
    for (int k = 0; k < 168; ++k) {
        SCOPED_TRACE(k);
        const WidthStep& step = m_steps[static_cast<std::size_t>(k)];
        EXPECT_EQ(step.width, 2550 + 15 * (k + 1));
        EXPECT_EQ(step.at, kGreeted + kTick * (k + 1));  // one step per tick
        EXPECT_FALSE(step.unfold_arrow_visible);
    }
    const Micros fold_clicked = kGreeted + 3'000'000;
    for (int k = 0; k < 168; ++k) {
        SCOPED_TRACE(168 + k);
        const WidthStep& step = m_steps[static_cast<std::size_t>(168 + k)];
        EXPECT_EQ(step.width, 5070 - 15 * (k + 1));
        EXPECT_EQ(step.at, fold_clicked + kTick * (k + 1));
        EXPECT_FALSE(step.unfold_arrow_visible);
    }
    ASSERT_EQ(m_shown_at.size(), 1u);
    EXPECT_EQ(m_shown_at[0], std::make_pair(m_steps.back().at, 2550));
    EXPECT_EQ(f.Width, 2550);
    EXPECT_FALSE(f.wide.Enabled);
    EXPECT_FALSE(f.shrink.Enabled);
    EXPECT_TRUE(f.Label2.Visible);
}

// The fold arrow (left 4815) comes into the client area once the window is wider than 4875.
// Clicked half a tick after 2.5 s, after the 160th step, it turns unfolding off and folds from
// there.
TEST_F(WindowChrome, AFoldClickedWhileUnfoldingTakesOver) {
    FollowTheWidth();
    Run("say probe: follow\nclick Form4.Label2\nwait 2.5078125\nclick Form4.Label7\nwait 4\n");
    Form4& f = Main();
    ASSERT_EQ(m_steps.size(), 160u + 160u);
    EXPECT_EQ(m_steps[159].width, 4950);
    EXPECT_LT(f.Label7.Left(), m_steps[159].width - 2 * forms::Form::kBorderTwips);
    for (std::size_t k = 160; k < m_steps.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(m_steps[k].width, m_steps[k - 1].width - 15);
        EXPECT_EQ(m_steps[k].at, m_steps[k - 1].at + kTick);
        EXPECT_FALSE(m_steps[k].unfold_arrow_visible);
    }
    EXPECT_EQ(f.Width, 2550);
    EXPECT_FALSE(f.wide.Enabled);
    EXPECT_FALSE(f.shrink.Enabled);
    EXPECT_TRUE(f.Label2.Visible);
}

// A width off the 15-twip grid, as a screen with another pixel size leaves it: both stop at the
// first width at or past their end.
TEST_F(WindowChrome, OffTheGridBothStopAtTheFirstWidthPastTheirEnd) {
    Probe("off the grid", [] { Main().Width = 2552; });
    int unfolded = 0;
    Probe("unfolded", [&] { unfolded = Main().Width; });
    Run("say probe: off the grid\nclick Form4.Label2\nwait 3\nsay probe: unfolded\n"
        "click Form4.Label7\nwait 3\n");
    EXPECT_EQ(unfolded, 5072);
    EXPECT_EQ(Main().Width, 2537);
    EXPECT_FALSE(Main().wide.Enabled);
    EXPECT_FALSE(Main().shrink.Enabled);
    EXPECT_TRUE(Main().Label2.Visible);
}

// Headless measures of the window's font (Tahoma 8.25 pt): a row is 198 twips high and every
// character 83 wide. The list is 1910 x 810: four rows (792) fit, a fifth (990) makes it
// scroll. Room for text: 1910 - 30 = 1880 (22 characters fit, 23 do not); with the scroll bar
// 1910 - 300 = 1610 (19 fit, 20 do not).
class ListTooltip : public WindowChrome {
  protected:
    static std::string Chars(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

    struct Hover {
        float y;
        std::string tooltip;
    };
    // Hovers at each y in turn and notes the tooltip after each move.
    std::vector<std::string> HoverAll(const std::string& file, const std::vector<Hover>& hovers,
                                      int top_index = 0) {
        std::string script = "menu Form4.mixlog\nclick Form4.Command5\nchoose " + file +
                             "\nwait 1\nsay probe: scroll\n";
        for (const Hover& h : hovers)
            script += "hover Form4.List1 100 " + std::to_string(h.y) + "\nsay probe: look\n";
        std::vector<std::string> seen;
        Probe("scroll", [top_index] { Main().List1.TopIndex = top_index; });
        Probe("look", [&] { seen.push_back(Main().List1.ToolTipText); });
        Run(script);
        return seen;
    }
    void Check(const std::string& file, const std::vector<Hover>& hovers, int top_index = 0) {
        const std::vector<std::string> seen = HoverAll(file, hovers, top_index);
        ASSERT_EQ(seen.size(), hovers.size());
        for (std::size_t k = 0; k < hovers.size(); ++k)
            EXPECT_EQ(seen[k], hovers[k].tooltip) << "y " << hovers[k].y;
    }
};

TEST_F(ListTooltip, ShowsOnlyAnEntryTooWideForAListThatDoesNotScroll) {
    const std::string cut = Chars('a', 23), fits = Chars('b', 22);
    WriteList("three.log", cut + "\r\r\n" + fits + "\r\r\nshort\r\r\n");
    Check("three.log", {
                           {0, cut},   // row 0: 1909 twips do not fit in 1880
                           {198, ""},  // row 1: 1826 do
                           {100, cut},
                           {197.5, ""},   // rounds to 198: row 1
                           {196.5, cut},  // rounds to 196: row 0
                           {396, ""},     // row 2, "short"
                           {-197, cut},   // above the list: still row 0 (toward zero)
                           {-198, ""},    // row -1: no entry
                           {0, cut},
                           {594, ""},  // below the last entry
                       });
}

TEST_F(ListTooltip, AScrollingListLeavesRoomForItsScrollBar) {
    std::string bytes;
    const std::vector<std::string> entries = {Chars('a', 19), Chars('b', 20), "c", "d",
                                              Chars('e', 20), Chars('f', 19)};
    for (const std::string& e : entries) bytes += e + "\r\r\n";
    WriteList("six.log", bytes);
    // 19 characters (1577) fit in 1610, 20 (1660) do not, though both fit without the bar.
    Check(
        "six.log",
        {{198, entries[1]}, {0, ""}, {792, entries[4]}, {990, ""}, {198, entries[1]}, {1188, ""}});
    // Scrolled down by three rows, the pointer's row counts from the first entry shown.
    StartAfresh();
    Check("six.log",
          {{198, entries[4]}, {0, ""}, {198, entries[4]}, {396, ""}, {198, entries[4]}, {594, ""}},
          3);
}

TEST_F(ListTooltip, FourEntriesFitWithoutTheScrollBarAndAnEmptyListShowsNothing) {
    const std::string wide = Chars('w', 20);
    const std::string cut = Chars('z', 23);
    WriteList("four.log", wide + "\r\r\nb\r\r\nc\r\r\n" + cut + "\r\r\n");
    Check("four.log", {{594, cut}, {0, ""}});
    WriteList("five.log", wide + "\r\r\nb\r\r\nc\r\r\nd\r\r\ne\r\r\n");
    StartAfresh();
    Check("five.log", {{0, wide}});
    WriteList("none.log", "");
    StartAfresh();
    Check("none.log", {{0, ""}, {198, ""}});
}

TEST_F(ListTooltip, KeepsItsLastTextUntilThePointerMovesAgain) {
    const std::string cut = Chars('x', 30);
    WriteList("one.log", cut + "\r\r\n");
    std::vector<std::string> seen;
    Probe("look", [&] { seen.push_back(Main().List1.ToolTipText); });
    Run("menu Form4.mixlog\nclick Form4.Command5\nchoose one.log\nwait 1\nhover Form4.List1 0 10\n"
        "say probe: look\nwait 1\nsay probe: look\nhover Form4.List1 0 300\nsay probe: look\n");
    EXPECT_EQ(seen, (std::vector<std::string>{cut, cut, ""}));
}

// The pictures are ours: the banner fills Image1 (2400 x 600 twips at 15 twips a pixel).
TEST(MainWindowPictures, TheBannerAndTheIconHaveTheirSizes) {
    struct Case {
        const char* file;
        std::uint32_t width, height;
    };
    const std::filesystem::path assets = std::filesystem::path(TAVREL_TEST_DIR) / ".." / "assets";
    for (auto [file, width, height] : {Case{"banner.png", 160, 40}, Case{"icon.png", 32, 32}}) {
        SCOPED_TRACE(file);
        std::ifstream in(assets / file, std::ios::binary);
        ASSERT_TRUE(in);
        unsigned char header[24] = {};
        in.read(reinterpret_cast<char*>(header), sizeof header);
        ASSERT_EQ(in.gcount(), 24);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(header) + 1, 3), "PNG");
        EXPECT_EQ(std::string(reinterpret_cast<char*>(header) + 12, 4), "IHDR");
        auto big_endian = [&](int at) {
            return std::uint32_t{header[at]} << 24 | std::uint32_t{header[at + 1]} << 16 |
                   std::uint32_t{header[at + 2]} << 8 | std::uint32_t{header[at + 3]};
        };
        EXPECT_EQ(big_endian(16), width);
        EXPECT_EQ(big_endian(20), height);
    }
}

// The main window carries the program icon; its word list is in the window's font, the one
// its tooltip measures in.
TEST_F(WindowChrome, TheWindowHasTheProgramIconAndTheListItsFont) {
    Form4& f = Main();
    EXPECT_EQ(f.icon, "icon.png");
    EXPECT_EQ(f.font, (forms::Font{"Tahoma", 8.25}));
    EXPECT_EQ(f.List1.font, f.font);
    EXPECT_EQ(f.List2.font, forms::Font{}) << "the scoreboard keeps the controls' font";
}

TEST_F(WindowChrome, Image1ShowsTheBannerAtItsDesignPlace) {
    Form4& f = Main();
    EXPECT_EQ(f.Image1.Source, "banner.png");
    EXPECT_EQ(f.Image1.Left, 2475);
    EXPECT_EQ(f.Image1.Top, 0);
    EXPECT_EQ(f.Image1.Width, 2400);
    EXPECT_EQ(f.Image1.Height, 600);
    EXPECT_EQ(f.Image1.Width / forms::App().twips_per_pixel, 160);
    EXPECT_EQ(f.Image1.Height / forms::App().twips_per_pixel, 40);
}

}  // namespace
