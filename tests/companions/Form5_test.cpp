// The word-list editor driven the way the host drives it: clicks on its buttons, with the input
// boxes, message boxes and file dialogs answered by the test.
#include "companions/Form5.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>

#include "game/Form4.h"
#include "platform/profile/file_bytes.h"
#include "tests/companions/editor_fixture.h"

namespace {

using editor_test::Entries;
using forms::vbCancel;
using forms::vbOK;

class WordListEditor : public editor_test::EditorTest {
  protected:
    Form5& editor() { return m_editor ? *m_editor : *(m_editor = &Open<Form5>("Form5")); }
    Entries entries() { return editor().List1.entries(); }

    void AddWords(std::initializer_list<std::optional<std::string>> answers) {
        for (const auto& answer : answers) host.answers.push_back(answer);
        editor().Form5_Command1_Click();
    }
    void OpenFile(const std::string& name, const std::string& bytes) {
        WriteFile(PathOf(name), bytes);
        host.choices.push_back(PathOf(name));
        editor().Form5_Command7_Click();
    }
    void SaveAs(const std::string& name) {
        host.choices.push_back(PathOf(name));
        editor().Form5_Command5_Click();
    }

  private:
    Form5* m_editor = nullptr;
};

TEST_F(WordListEditor, IsLaidOutAsDesigned) {
    Form5& f = editor();
    EXPECT_EQ(f.Caption(), "log creator");
    EXPECT_EQ(f.border, forms::BorderStyle::FixedSingle);
    EXPECT_EQ(f.icon, "icon.png");
    EXPECT_FALSE(f.min_max_buttons);
    EXPECT_EQ(f.ClientWidth(), 2175);
    EXPECT_EQ(f.ClientHeight(), 3210);
    EXPECT_EQ(f.font, forms::Font{});

    const forms::Font tahoma{"Tahoma", 8.25};
    const forms::Font plain{};
    struct Row {
        forms::Control* control;
        std::string caption;
        int left, top, width, height;
        forms::Font font;
    };
    const Row rows[] = {
        {&f.List1, "", 120, 240, 1935, 1395, tahoma},
        {&f.Command1, "add word", 0, 2160, 975, 255, tahoma},
        {&f.Command2, "remove word", 1080, 2160, 1095, 255, tahoma},
        {&f.Command3, "kill dupes", 1080, 2415, 1095, 255, tahoma},
        {&f.Command4, "clear log", 0, 2680, 975, 255, tahoma},
        {&f.Command5, "save log", 0, 2960, 975, 255, tahoma},
        {&f.Frame1, "tavrel - log creator", 0, 0, 2175, 1815, plain},
        {&f.Command6, "alphabetize", 0, 2415, 975, 255, tahoma},
        {&f.Command7, "open log", 1080, 2680, 1095, 255, tahoma},
        {&f.Label1, "     word count - ", 120, 1800, 1215, 255, plain},
        {&f.Label2, "0", 1440, 1800, 735, 255, plain},
        {&f.Command8, "exit", 1080, 2960, 1095, 255, plain},
    };
    int tab = 0;
    for (const Row& row : rows) {
        forms::Control& c = *row.control;
        SCOPED_TRACE(c.name());
        EXPECT_EQ(c.TabIndex, tab++);
        EXPECT_EQ(c.Left(), row.left);
        EXPECT_EQ(c.Top(), row.top);
        EXPECT_EQ(c.Width(), row.width);
        EXPECT_EQ(c.Height(), row.height);
        EXPECT_EQ(c.font, row.font);
        std::string caption;
        if (auto* b = dynamic_cast<forms::CommandButton*>(&c)) caption = b->Caption;
        if (auto* l = dynamic_cast<forms::Label*>(&c)) caption = l->Caption;
        if (auto* fr = dynamic_cast<forms::Frame*>(&c)) caption = fr->Caption;
        EXPECT_EQ(caption, row.caption);
    }
    EXPECT_EQ(f.List1.ListCount(), 0);
    EXPECT_EQ(f.Timer1.Interval(), 1);
    EXPECT_TRUE(f.Timer1.Enabled());
}

TEST_F(WordListEditor, LoadsTopmostCentredAndWithoutClose) {
    Form5& f = editor();
    EXPECT_TRUE(f.loaded());
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.topmost());
    EXPECT_FALSE(f.has_close_box());
    EXPECT_FALSE(f.close_box());
    EXPECT_TRUE(f.loaded());
    const auto& app = forms::App();
    EXPECT_EQ(f.Left(), (app.screen_width - f.Width()) / 2);
    EXPECT_EQ(f.Top(), (app.screen_height - f.Height()) / 2);
}

TEST_F(WordListEditor, AddWordAsksUntilTheAnswerIsEmpty) {
    AddWords({"Apple", " pie ", ""});
    EXPECT_EQ(entries(), (Entries{"Apple", "pie"}));
    EXPECT_EQ(editor().List1.ListIndex(), 0);
    EXPECT_EQ(editor().Label2.Caption(), "2");
    ASSERT_EQ(host.input_boxes.size(), 3u);
    for (const auto& box : host.input_boxes) {
        EXPECT_EQ(box.prompt, "what word?");
        EXPECT_EQ(box.title, " tavrel by veskin");
        EXPECT_EQ(box.default_text, "");
    }
}

TEST_F(WordListEditor, AddWordCancelledAtOnceChangesNothing) {
    AddWords({std::nullopt});
    EXPECT_EQ(entries(), Entries{});
    EXPECT_EQ(editor().List1.ListIndex(), -1);
    EXPECT_EQ(editor().Label2.Caption(), "0");
}

TEST_F(WordListEditor, AddWordKeepsRepeatsAndCaseAndSelectsTheFirstEntry) {
    AddWords({"cat", "Cat", "cat", std::nullopt});
    EXPECT_EQ(entries(), (Entries{"cat", "Cat", "cat"}));
    EXPECT_EQ(editor().List1.ListIndex(), 0);
    EXPECT_EQ(editor().Label2.Caption(), "3");
}

// Longer than 16-bit counts reach: every entry is held, counted, saved and read back.
TEST_F(WordListEditor, OpensAndSavesAFortyThousandWordListWhole) {
    Entries words;
    std::string bytes;
    for (int i = 0; i < 40000; ++i) {
        words.push_back("word" + std::to_string(i));
        bytes += words.back() + "\r\r\n";
    }
    OpenFile("big.log", bytes);
    EXPECT_TRUE(entries() == words);
    RunFor(20'000);
    EXPECT_EQ(editor().Label2.Caption(), "40000");

    AddWords({"last", ""});
    EXPECT_EQ(editor().Label2.Caption(), "40001");
    host.presses = {vbOK};
    SaveAs("big.log");
    EXPECT_TRUE(ReadFile(PathOf("big.log")) == bytes + "last\r\r\n");

    host.choices.push_back(PathOf("big.log"));
    editor().Form5_Command7_Click();
    words.push_back("last");
    EXPECT_TRUE(entries() == words);
    RunFor(20'000);
    EXPECT_EQ(editor().Label2.Caption(), "40001");
}

TEST_F(WordListEditor, BlanksOnlySaveAsAnEmptyLineThatOpeningSkips) {
    AddWords({"one", "   ", "two", ""});
    EXPECT_EQ(entries(), (Entries{"one", "", "two"}));
    SaveAs("blank.log");
    EXPECT_EQ(ReadFile(PathOf("blank.log")), "one\r\r\n\r\r\ntwo\r\r\n");
    host.choices.push_back(PathOf("blank.log"));
    editor().Form5_Command7_Click();
    EXPECT_EQ(entries(), (Entries{"one", "two"}));
}

TEST_F(WordListEditor, RemoveWordTakesTheSelectedEntryOnly) {
    Fill(editor().List1, {"a", "b", "c"});
    editor().Form5_Command2_Click();
    EXPECT_EQ(entries(), (Entries{"a", "b", "c"}));

    editor().List1.ListIndex = 1;
    editor().Form5_Command2_Click();
    EXPECT_EQ(entries(), (Entries{"a", "c"}));
    EXPECT_EQ(editor().List1.ListIndex(), -1);
}

TEST_F(WordListEditor, KillDupesRemovesOnlyAdjacentRepeats) {
    Fill(editor().List1, {"a", "a", "b", "a"});
    editor().Form5_Command3_Click();
    EXPECT_EQ(entries(), (Entries{"a", "b", "a"}));

    Fill(editor().List1, {"a", "a", "b", "a"});
    editor().Form5_Command6_Click();
    editor().Form5_Command3_Click();
    EXPECT_EQ(entries(), (Entries{"a", "b"}));

    Fill(editor().List1, {});
    editor().Form5_Command3_Click();
    EXPECT_EQ(entries(), Entries{});
}

TEST_F(WordListEditor, AlphabetizeSortsByCharacterCode) {
    struct Case {
        Entries in, out;
    };
    for (const auto& [in, out] : {Case{{"b", "B", "a", "ab"}, {"B", "a", "ab", "b"}},
                                  Case{{"dog", "Dog", "do", "d og"}, {"Dog", "d og", "do", "dog"}},
                                  Case{{"only"}, {"only"}}, Case{{}, {}}}) {
        Fill(editor().List1, in);
        editor().Form5_Command6_Click();
        EXPECT_EQ(entries(), out);
    }
    EXPECT_TRUE(host.message_boxes.empty());
}

TEST_F(WordListEditor, ClearLogAsksOnlyWithASelectedEntry) {
    OpenFile("pets.log", "cat\r\r\ndog\r\r\n");
    editor().Form5_Command4_Click();  // nothing selected after opening: no question
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(entries(), (Entries{"cat", "dog"}));

    editor().List1.ListIndex = 1;
    host.presses = {vbCancel};
    editor().Form5_Command4_Click();
    ASSERT_EQ(host.message_boxes.size(), 1u);
    EXPECT_EQ(host.message_boxes[0].text, "do you really want to clear the log?");
    EXPECT_EQ(host.message_boxes[0].title, "clear log?");
    EXPECT_EQ(host.message_boxes[0].style, forms::vbOKCancel);
    EXPECT_EQ(entries(), (Entries{"cat", "dog"}));

    host.presses = {vbOK};
    editor().Form5_Command4_Click();
    EXPECT_EQ(entries(), Entries{});
    EXPECT_EQ(editor().Frame1.Caption(), "pets");
}

TEST_F(WordListEditor, ClearLogIgnoresASelectedEmptyEntry) {
    Fill(editor().List1, {"", "a"});
    editor().List1.ListIndex = 0;
    editor().Form5_Command4_Click();
    EXPECT_EQ(entries(), (Entries{"", "a"}));
}

TEST_F(WordListEditor, SaveWithNothingToSaveShowsTheMessageAndNoDialog) {
    host.presses = {vbOK};
    editor().Form5_Command5_Click();
    ASSERT_EQ(host.message_boxes.size(), 1u);
    EXPECT_EQ(host.message_boxes[0].text, "theres nothing to save!!");
    EXPECT_EQ(host.message_boxes[0].title, "tavrel");
    EXPECT_EQ(host.message_boxes[0].style, forms::vbOKOnly);
    EXPECT_TRUE(host.file_dialogs.empty());
}

TEST_F(WordListEditor, SaveWritesEachEntryWithCrCrLfAndReadsBack) {
    Fill(editor().List1, {"cat", "dog"});
    SaveAs("pets.log");
    EXPECT_EQ(ReadFile(PathOf("pets.log")), "cat\r\r\ndog\r\r\n");
    ASSERT_EQ(host.file_dialogs.size(), 1u);
    EXPECT_TRUE(host.file_dialogs[0].save);
    EXPECT_EQ(host.file_dialogs[0].init_dir, "");
    EXPECT_EQ(host.file_dialogs[0].filter, "log files (*.log)|*.log|");
    EXPECT_TRUE(host.message_boxes.empty());

    host.choices.push_back(PathOf("pets.log"));
    editor().Form5_Command7_Click();
    EXPECT_EQ(entries(), (Entries{"cat", "dog"}));
}

TEST_F(WordListEditor, SaveKeepsThePathAsGivenAndTheEntriesAsTheyStand) {
    Fill(editor().List1, {"Big Cat", " x "});
    editor().List1.ListIndex = 1;
    SaveAs("mywords");
    EXPECT_EQ(ReadFile(PathOf("mywords")), "Big Cat\r\r\n x \r\r\n");
    EXPECT_FALSE(std::filesystem::exists(PathOf("mywords.log")));
    EXPECT_EQ(entries(), (Entries{"Big Cat", " x "}));
    EXPECT_EQ(editor().List1.ListIndex(), 1);
    EXPECT_EQ(editor().Frame1.Caption(), "tavrel - log creator");
}

TEST_F(WordListEditor, SaveOverAnExistingFileAsksFirst) {
    WriteFile(PathOf("old.log"), "old\r\r\n");
    Fill(editor().List1, {"new"});

    host.presses = {vbCancel};
    SaveAs("old.log");
    ASSERT_EQ(host.message_boxes.size(), 1u);
    EXPECT_EQ(host.message_boxes[0].text,
              "This file already exists: " + PathOf("old.log") + ", do you wish replace it?");
    EXPECT_EQ(host.message_boxes[0].title, "Error");
    EXPECT_EQ(host.message_boxes[0].style, forms::vbOKCancel | forms::vbQuestion);
    EXPECT_EQ(ReadFile(PathOf("old.log")), "old\r\r\n");

    host.presses = {vbOK};
    SaveAs("old.log");
    EXPECT_EQ(ReadFile(PathOf("old.log")), "new\r\r\n");
}

TEST_F(WordListEditor, SaveCancelledWritesNothing) {
    Fill(editor().List1, {"a"});
    host.choices.push_back(std::nullopt);
    editor().Form5_Command5_Click();
    EXPECT_EQ(EntriesInFolder(), 0u);
    EXPECT_TRUE(host.message_boxes.empty());
}

TEST_F(WordListEditor, SaveThatCannotWriteKeepsTheOldFileAndLeavesNothingOpen) {
    const std::size_t descriptors = OpenDescriptors();
    Fill(editor().List1, {"a"});

    std::filesystem::create_directory(PathOf("taken.log"));
    SaveAs("taken.log");  // a folder: no question, and nothing can be written there
    EXPECT_TRUE(std::filesystem::is_directory(PathOf("taken.log")));
    SaveAs("no-such-folder/words.log");

    // A file-size limit makes the writing itself fail part of the way through.
    WriteFile(PathOf("words.log"), "old\r\r\n");
    Fill(editor().List1, Entries(10000, "an entry long enough to pass the limit"));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto old_handler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    host.presses = {vbOK};
    SaveAs("words.log");
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, old_handler);

    EXPECT_EQ(ReadFile(PathOf("words.log")), "old\r\r\n");
    EXPECT_EQ(HiddenFiles(), 0u);
    EXPECT_EQ(OpenDescriptors(), descriptors);
    EXPECT_EQ(host.message_boxes.size(), 1u);  // only the replace question
}

TEST_F(WordListEditor, OpenLowerCasesEntriesAndNamesTheFrameAfterTheFile) {
    struct Case {
        std::string file, bytes;
        Entries entries;
        std::string caption;
    };
    const Case cases[] = {
        {"Words.LOG", "Big Cat\r\n\r\n", {"big cat"}, "words"},
        {"a.log.log", "x\r\r\n", {"x"}, "a"},
        {"Pets.txt", "  Two Blanks \r\r\nCAT", {"  two blanks ", "cat"}, "pets.txt"},
        {"lf.log", "One\ntwo\n\nthree", {"one", "two", "three"}, "lf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        OpenFile(c.file, c.bytes);
        EXPECT_EQ(entries(), c.entries);
        EXPECT_EQ(editor().Frame1.Caption(), c.caption);
        EXPECT_EQ(editor().List1.ListIndex(), -1);
    }
    ASSERT_FALSE(host.file_dialogs.empty());
    EXPECT_FALSE(host.file_dialogs[0].save);
    EXPECT_EQ(host.file_dialogs[0].init_dir, m_folder.string());
    EXPECT_EQ(host.file_dialogs[0].filter, "log files (*.log)|*.log|");
}

TEST_F(WordListEditor, OpenWithoutEntriesLeavesTheListEmptyAndTheCaption) {
    OpenFile("first.log", "a\r\r\n");
    OpenFile("empty.log", "\r\r\n\r\n\r");
    EXPECT_EQ(entries(), Entries{});
    EXPECT_EQ(editor().Frame1.Caption(), "first");

    // Anything but a regular file of at most the size cap cannot be opened, and is given up at
    // once: a named pipe with no writer, an endless device, a file past the cap.
    ASSERT_EQ(mkfifo(PathOf("pipe.log").c_str(), 0600), 0);
    WriteFile(PathOf("oversized.log"), "word\r\r\n");
    std::filesystem::resize_file(PathOf("oversized.log"), profile::kMaxFileBytes + 1);
    for (const std::string& path : {PathOf("missing.log"), PathOf("pipe.log"),
                                    std::string("/dev/zero"), PathOf("oversized.log")}) {
        SCOPED_TRACE(path);
        host.choices.push_back(path);
        editor().Form5_Command7_Click();
        EXPECT_EQ(entries(), Entries{});
        EXPECT_EQ(editor().Frame1.Caption(), "first");
    }
    EXPECT_TRUE(host.message_boxes.empty());
}

TEST_F(WordListEditor, OpenCancelledLeavesAnEmptyListCountedAtTheNextTick) {
    OpenFile("pets.log", "cat\r\r\ndog\r\r\n");
    RunFor(20'000);
    EXPECT_EQ(editor().Label2.Caption(), "2");

    host.choices.push_back(std::nullopt);
    editor().Form5_Command7_Click();
    EXPECT_EQ(entries(), Entries{});
    EXPECT_EQ(editor().Frame1.Caption(), "pets");
    EXPECT_EQ(editor().Label2.Caption(), "2");
    RunFor(20'000);
    EXPECT_EQ(editor().Label2.Caption(), "0");
}

TEST_F(WordListEditor, CountFollowsEveryChangeAtTheNextTick) {
    Fill(editor().List1, {"a", "a", "b"});
    EXPECT_EQ(editor().Label2.Caption(), "0");
    RunFor(20'000);
    EXPECT_EQ(editor().Label2.Caption(), "3");
    editor().Form5_Command3_Click();
    RunFor(20'000);
    EXPECT_EQ(editor().Label2.Caption(), "2");
}

TEST_F(WordListEditor, ExitDiscardsTheWindowAndTheNextShowingStartsAfresh) {
    OpenFile("pets.log", "cat\r\r\n");
    Form5* first = &editor();
    first->Form5_Command8_Click();
    EXPECT_FALSE(first->loaded());
    EXPECT_FALSE(first->Visible());
    EXPECT_FALSE(first->Timer1.Enabled());
    EXPECT_TRUE(host.message_boxes.empty());

    Form5& again = Open<Form5>("Form5");
    EXPECT_NE(&again, first);
    EXPECT_EQ(again.List1.ListCount(), 0);
    EXPECT_EQ(again.Frame1.Caption(), "tavrel - log creator");
    EXPECT_EQ(again.Label2.Caption(), "0");
}

TEST_F(WordListEditor, CreateALogShowsTheEditorBesideTheMainWindow) {
    host.answers = {"Bob"};
    Form4& main_window = Open<Form4>("Form4");
    ASSERT_TRUE(main_window.Visible());

    main_window.Form4_creat_Click();
    auto* shown = dynamic_cast<Form5*>(forms::App().find("Form5"));
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->loaded());
    EXPECT_TRUE(shown->Visible());
    EXPECT_TRUE(shown->topmost());
    EXPECT_TRUE(main_window.Visible());

    shown->List1.AddItem("kept");
    main_window.Form4_creat_Click();
    EXPECT_EQ(forms::App().find("Form5"), shown);
    EXPECT_EQ(shown->List1.entries(), Entries{"kept"});

    shown->Form5_Command8_Click();
    main_window.Form4_creat_Click();
    auto* fresh = dynamic_cast<Form5*>(forms::App().find("Form5"));
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, shown);
    EXPECT_EQ(fresh->List1.ListCount(), 0);
    EXPECT_TRUE(main_window.Visible());
}

}  // namespace
