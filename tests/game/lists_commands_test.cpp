// The main window's word-list commands, driven as a host drives them: "load log" from the
// button and the menu, its cancel and failure roads, "mix log on load", "mix log now",
// "clear log" in each of its states and "remove sel".
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game/Form4.h"
#include "platform/loop/loop.h"
#include "tests/game/lists_program_run.h"

namespace {

using Entries = std::vector<std::string>;

class WordListCommands : public form4_test::ProgramRun {
  protected:
    static Entries Words() { return Main().List1.entries(); }

    // Fills what loading must leave alone, and what it must reset, with values of its own.
    void ProbeMarksState(const std::string& name) {
        Probe(name, [] {
            Form4& f = Main();
            f.perceNt.AddItem("bob - 1");
            f.List2.AddItem("bob - 3");
            f.List3.AddItem("2.5");
            f.Label12.Caption = "1";
            f.Label13.Caption = "33";
            f.ProgressBar1.Value = 7;
        });
    }
};

constexpr const char* kLoadCommands[] = {"click Form4.Command5", "menu Form4.loadikfjk"};

TEST_F(WordListCommands, LoadsEachNonEmptyLineOnceLowerCasedFromButtonAndMenu) {
    struct Case {
        const char* what;
        std::string bytes;
        Entries entries;
    };
    const Case cases[] = {
        {"written by the word-list editor",
         "Apple\r\r\nPEAR\r\r\nplum\r\r\n",
         {"apple", "pear", "plum"}},
        {"line feeds only", "One\nTwo\nThree\n", {"one", "two", "three"}},
        {"mixed case and blanks", "  MiXeD Case \r\n  \r\nEND", {"  mixed case ", "  ", "end"}},
    };
    for (const char* command : kLoadCommands)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(command) + ", " + c.what);
            StartAfresh();
            WriteList("Words.LOG.log", c.bytes);
            ProbeMarksState("marks");
            const std::string out = Run("say probe: marks\nmenu Form4.mixlog\n" +
                                        std::string(command) + "\nchoose Words.LOG.log\nwait 1\n");
            EXPECT_NE(
                out.find("* open dialog init \"$FOLDER\" filter \"log files (*.log)|*.log\" -> "
                         "\"Words.LOG.log\""),
                std::string::npos)
                << out;
            Form4& f = Main();
            EXPECT_EQ(Words(), c.entries);
            EXPECT_EQ(f.LogName(), "words");
            EXPECT_EQ(f.Label6.Caption, std::to_string(c.entries.size()));
            EXPECT_EQ(f.Label5.Caption, std::to_string(c.entries.size()));
            EXPECT_EQ(f.Label13.Caption, "0");
            EXPECT_EQ(f.ProgressBar1.Value, 0);
            EXPECT_EQ(f.ProgressBar1.MaxValue, 100);
            EXPECT_EQ(f.perceNt.ListCount(), 0);
            // Loading touches nothing else.
            EXPECT_EQ(f.List2.entries(), Entries{"bob - 3"});
            EXPECT_EQ(f.List3.entries(), Entries{"2.5"});
            EXPECT_EQ(f.Label12.Caption, "1");
            EXPECT_FALSE(f.mixlog.Checked);
        }
}

TEST_F(WordListCommands, CaptionIsTheBareFileNameLowerCasedWithEveryLogRemoved) {
    struct Case {
        const char* file;    // as written in the script
        std::string stored;  // the file's name in the folder
        std::string caption;
    };
    const Case cases[] = {
        {"Words.LOG.log", "Words.LOG.log", "words"},
        {"biglog.txt", "biglog.txt", "biglog.txt"},
        {"sub/Deep.Log", "sub/Deep.Log", "deep"},
        // One pass over the name: removing one ".log" may join the pieces of another.
        {"a.lo.logg.log", "a.lo.logg.log", "a.log"},
        {"\\xC9T\\xC9.LOG", "\xC9T\xC9.LOG", "\xE9t\xE9"},
    };
    std::filesystem::create_directory(m_folder / "sub");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        StartAfresh();
        WriteList(c.stored, "word\r\n");
        Run(std::string("click Form4.Command5\nchoose ") + c.file + "\nwait 1\n");
        EXPECT_EQ(Main().Frame1.Caption, c.caption);
        EXPECT_EQ(Words(), Entries{"word"});
    }
}

TEST_F(WordListCommands, MixOnLoadShufflesOnlyWhileChecked) {
    // Three passes over two entries swap them exactly three times.
    struct Case {
        const char* toggles;
        bool checked;
        Entries entries;
    };
    const Case cases[] = {
        {"", true, {"second", "first"}},
        {"menu Form4.mixlog\n", false, {"first", "second"}},
        {"menu Form4.mixlog\nmenu Form4.mixlog\n", true, {"second", "first"}},
    };
    WriteList("two.log", "first\r\r\nsecond\r\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.toggles);
        StartAfresh();
        Run(std::string(c.toggles) + "click Form4.Command5\nchoose two.log\nwait 1\n");
        EXPECT_EQ(Main().mixlog.Checked, c.checked);
        EXPECT_EQ(Words(), c.entries);
    }
}

TEST_F(WordListCommands, MixNowShufflesAListOfAtLeastOneEntry) {
    WriteList("two.log", "first\r\r\nsecond\r\r\n");
    Entries before_mixing;
    Probe("loaded", [&] { before_mixing = Words(); });
    Run("menu Form4.mixlog\nmenu Form4.mixNOW\nclick Form4.Command5\nchoose two.log\nwait 1\n"
        "say probe: loaded\nmenu Form4.mixNOW\nwait 1\n");
    EXPECT_EQ(before_mixing, (Entries{"first", "second"}));
    EXPECT_EQ(Words(), (Entries{"second", "first"}));
    EXPECT_FALSE(Main().mixlog.Checked);
}

TEST_F(WordListCommands, CancelOrAFailedReadKeepsAllButTheEmptiedLists) {
    // The bar stands at 1 after one "remove sel"; the dialog's cancel leaves it, while a chosen
    // file resets it before it is read.
    struct Case {
        const char* reply;
        int bar;
    };
    const Case cases[] = {
        {"cancel", 1},
        {"choose gone.log", 0},
        {"choose blank.log", 0},
        {"choose .", 0},  // a folder: opens, but cannot be read
    };
    WriteList("abc.log", "aaa\r\r\nbbb\r\r\nccc\r\r\n");
    WriteList("blank.log", "\r\r\n\r\n\r");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        StartAfresh();
        ProbeMarksState("marks");
        Probe("bar at 1", [] { Main().ProgressBar1.Value = 1; });
        Run(std::string("menu Form4.mixlog\nclick Form4.Command5\nchoose abc.log\nwait 1\n") +
            "say probe: marks\nsay probe: bar at 1\nclick Form4.Command5\n" + c.reply +
            "\nwait 1\n");
        Form4& f = Main();
        EXPECT_EQ(f.List1.ListCount(), 0);
        EXPECT_EQ(f.perceNt.ListCount(), 0);
        EXPECT_EQ(f.LogName(), "abc");
        EXPECT_EQ(f.Label6.Caption, "3");
        EXPECT_EQ(f.Label13.Caption, "33");
        EXPECT_EQ(f.ProgressBar1.Value, c.bar);
        EXPECT_EQ(f.List2.ListCount(), 1);
        EXPECT_EQ(f.List3.ListCount(), 1);
        EXPECT_EQ(f.Label12.Caption, "1");
    }
}

// The mix step's only trace on an empty list is the seeding of the random generator, so the
// numbers drawn afterwards tell whether it ran at the moment of the cancel.
TEST_F(WordListCommands, ACancelStillRunsTheMixStepOnTheEmptyList) {
    double drawn = 0;
    auto draw_later = [&] { Probe("draw", [&] { drawn = loop::Rnd(); }); };

    draw_later();
    Probe("seed", [] { loop::Randomize(); });
    Run("wait 1\nsay probe: seed\nwait 1\nsay probe: draw\n");
    const double seeded_at_five = drawn;

    StartAfresh();
    draw_later();
    Run("wait 1\nclick Form4.Command5\ncancel\nwait 1\nsay probe: draw\n");
    EXPECT_EQ(drawn, seeded_at_five);

    StartAfresh();
    draw_later();
    Run("menu Form4.mixlog\nwait 1\nclick Form4.Command5\ncancel\nwait 1\nsay probe: draw\n");
    EXPECT_NE(drawn, seeded_at_five);
}

TEST_F(WordListCommands, ClearLogWhenStoppedKeepsCaptionAndWord) {
    WriteList("abc.log", "aaa\r\r\nbbb\r\r\nccc\r\r\n");
    bool stopped_as_expected = false;
    Probe("stopped", [&] {
        Form4& f = Main();
        stopped_as_expected = f.Check1.Value == 1 && f.List1.entries() == Entries{"ccc"} &&
                              f.List3.ListCount() == 1 && f.perceNt.ListCount() == 1 &&
                              f.ProgressBar1.Value == 2;
        f.Label12.Caption = "1";
        f.Label13.Caption = "33";
    });
    Run("menu Form4.mixlog\nclick Form4.Command5\nchoose abc.log\nclick Form4.Command1\n"
        "await [</b> aaa<b>\nsay alice: aaa\nawait [</b> bbb<b>\nclick Form4.Command4\n"
        "await game stopped\nsay probe: stopped\nclick Form4.Command6\nwait 1\n");
    EXPECT_TRUE(stopped_as_expected);
    Form4& f = Main();
    EXPECT_EQ(f.List1.ListCount(), 0);
    EXPECT_EQ(f.List3.ListCount(), 0);
    EXPECT_EQ(f.perceNt.ListCount(), 0);
    EXPECT_EQ(f.Label12.Caption, "0");
    EXPECT_EQ(f.Label13.Caption, "0");
    EXPECT_EQ(f.ProgressBar1.Value, 0);
    EXPECT_EQ(f.LogName(), "abc");
    EXPECT_EQ(f.Text1.Text, "bbb");
    EXPECT_EQ(f.Text2.Text, "bbb");
    EXPECT_EQ(f.List2.ListCount(), 1);
    EXPECT_EQ(f.Label6.Caption, "3");
}

// Stop during a skip's delay arms the poster once the delay is over; unticking "stop program"
// by hand then leaves a word pending with the game not stopped, and "clear log" waits.
TEST_F(WordListCommands, ClearLogWhileAWordIsPendingDoesNothing) {
    WriteList("abc.log", "aaa\r\r\nbbb\r\r\nccc\r\r\n");
    struct Seen {
        bool pending = false;
        Entries words;
        int bar = -1;
        std::string caption;
    };
    Seen before, after;
    auto look = [](Seen& seen) {
        Form4& f = Main();
        seen = {f.Timer2.Enabled && f.Check1.Value == 0 && f.Command6.Enabled, f.List1.entries(),
                f.ProgressBar1.Value, f.Frame1.Caption};
    };
    Probe("before", [&] { look(before); });
    Probe("after", [&] { look(after); });
    Run("menu Form4.mixlog\nclick Form4.Command5\nchoose abc.log\nclick Form4.Command1\n"
        "await [</b> aaa<b>\nclick Form4.Command8\nwait 1\nclick Form4.Command4\n"
        "await game stopped\nwait 3\ncheck Form4.Check1 0\nwait 2\nsay probe: before\n"
        "click Form4.Command6\nsay probe: after\n");
    EXPECT_TRUE(before.pending);
    EXPECT_EQ(before.words, Entries{"ccc"});
    EXPECT_EQ(before.bar, 2);
    EXPECT_EQ(before.caption, "abc");
    EXPECT_TRUE(after.pending);
    EXPECT_EQ(after.words, before.words);
    EXPECT_EQ(after.bar, before.bar);
    EXPECT_EQ(after.caption, before.caption);
}

TEST_F(WordListCommands, ClearLogWhenIdleForgetsTheLogButNotTheCounts) {
    WriteList("abc.log", "aaa\r\r\nbbb\r\r\nccc\r\r\n");
    ProbeMarksState("marks");
    Probe("word", [] {
        Main().Text1.Text = "aaa";
        Main().Text2.Text = "aaa";
    });
    Run("menu Form4.mixlog\nclick Form4.Command5\nchoose abc.log\nwait 1\nsay probe: marks\n"
        "say probe: word\nclick Form4.Command6\nwait 1\n");
    Form4& f = Main();
    EXPECT_EQ(f.List1.ListCount(), 0);
    EXPECT_EQ(f.List3.ListCount(), 0);
    EXPECT_EQ(f.perceNt.ListCount(), 0);
    EXPECT_EQ(f.ProgressBar1.Value, 0);
    EXPECT_EQ(f.Text1.Text, "");
    EXPECT_EQ(f.Text2.Text, "");
    EXPECT_EQ(f.LogName(), "log being used");
    EXPECT_EQ(f.Label12.Caption, "1");
    EXPECT_EQ(f.Label13.Caption, "33");
    EXPECT_EQ(f.Label6.Caption, "3");
    EXPECT_EQ(f.List2.ListCount(), 1);
}

// A skip sets the bar's maximum to the size of the list then (2); a later load leaves the
// maximum, so removals raise the bar to 2 and no further.
TEST_F(WordListCommands, RemoveSelRaisesTheBarUntilItsMaximum) {
    WriteList("two.log", "aaa\r\r\nbbb\r\r\n");
    WriteList("four.log", "w\r\r\nx\r\r\ny\r\r\nz\r\r\n");
    struct Seen {
        Entries words;
        int bar;
        int selected;
    };
    std::vector<Seen> seen;
    Probe("look", [&] {
        Form4& f = Main();
        seen.push_back({f.List1.entries(), f.ProgressBar1.Value, f.List1.ListIndex});
    });
    int maximum_after_load = 0;
    Probe("maximum", [&] { maximum_after_load = Main().ProgressBar1.MaxValue; });
    Run("menu Form4.mixlog\nclick Form4.Command5\nchoose two.log\nclick Form4.Command1\n"
        "await [</b> aaa<b>\nclick Form4.Command8\nawait [</b> bbb<b>\nclick Form4.Command4\n"
        "await game stopped\nclick Form4.Command5\nchoose four.log\nwait 1\nsay probe: maximum\n"
        "say probe: look\n"
        "click Form4.Command2\nsay probe: look\n"
        "select Form4.List1 1\nclick Form4.Command2\nsay probe: look\n"
        "select Form4.List1 0\nclick Form4.Command2\nsay probe: look\n"
        "select Form4.List1 1\nclick Form4.Command2\nsay probe: look\n");
    EXPECT_EQ(maximum_after_load, 2);
    const std::vector<Entries> words = {
        {"w", "x", "y", "z"}, {"w", "x", "y", "z"}, {"w", "y", "z"}, {"y", "z"}, {"y"}};
    const std::vector<int> bars = {0, 0, 1, 2, 2};
    ASSERT_EQ(seen.size(), words.size());
    for (std::size_t k = 0; k < seen.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(seen[k].words, words[k]);
        EXPECT_EQ(seen[k].bar, bars[k]);
        EXPECT_EQ(seen[k].selected, -1);
    }
}

// 100,000 lines of NUL bytes, bytes above 127, runs of line feeds and of carriage returns, a
// line of 1 MB, and the three line ends, loaded through the window.
class HostileList {
  public:
    HostileList() {
        const char* const ends[] = {"\r\n", "\r", "\r\r\n"};
        for (int i = 0; i < 100000; ++i) {
            const std::string n = std::to_string(i);
            std::string line, entry;
            if (i == 50000) {
                line.assign(1 << 20, 'M');
                entry.assign(1 << 20, 'm');
            } else if (i % 5 == 0) {
                line = std::string("Ab\0C", 4) + n;  // the entry ends at the NUL
                entry = "ab";
            } else if (i % 5 == 1) {
                line = "\xC0\xC9\xDE\xD7\x8A\x9F\xFF\x80" + n;
                entry = "\xE0\xE9\xFE\xD7\x9A\xFF\xFF\x80" + n;
            } else if (i % 5 == 2) {
                line = "X\n\n\nY" + n + "\n";  // line feeds end lines too
                m_entries.push_back("x");
                entry = "y" + n;
            } else if (i % 5 == 3) {
                line = "Q" + n + "\r\r\r";  // the carriage returns end empty lines
                entry = "q" + n;
            } else {
                line = "  Spaced " + n + " ";
                entry = "  spaced " + n + " ";
            }
            m_bytes += line + ends[i % 3];
            m_entries.push_back(entry);
        }
    }
    const std::string& bytes() const { return m_bytes; }
    const Entries& entries() const { return m_entries; }

  private:
    std::string m_bytes;
    Entries m_entries;
};

TEST_F(WordListCommands, AHostileFileOfAHundredThousandLinesLoadsByTheRules) {
    const HostileList hostile;
    WriteList("hostile.log", hostile.bytes());
    Run("menu Form4.mixlog\nclick Form4.Command5\nchoose hostile.log\nwait 1\n");
    Form4& f = Main();
    EXPECT_TRUE(Words() == hostile.entries());
    EXPECT_EQ(f.Label6.Caption, "120000");
    EXPECT_EQ(f.Label5.Caption, "120000");
    EXPECT_EQ(f.LogName(), "hostile");

    // Mixed on load, the same entries in another order.
    StartAfresh();
    Run("click Form4.Command5\nchoose hostile.log\nwait 1\n");
    Entries mixed = Words();
    EXPECT_FALSE(mixed == hostile.entries());
    Entries expected = hostile.entries();
    std::sort(mixed.begin(), mixed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_TRUE(mixed == expected);
}

}  // namespace
