// The quiz-list editor driven the way the host drives it: clicks on its buttons and pointer moves
// over its list, with the boxes and file dialogs answered by the test.
#include "companions/Form2.h"

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "tests/companions/editor_fixture.h"

namespace {

using editor_test::Entries;
using forms::vbCancel;
using forms::vbOK;

class QuizListEditor : public editor_test::EditorTest {
  protected:
    Form2& editor() { return m_editor ? *m_editor : *(m_editor = &Open<Form2>("Form2")); }
    Entries entries() { return editor().List1.entries(); }
    std::string count() { return editor().Label1.Caption(); }

    void AddQuestions(std::initializer_list<std::optional<std::string>> answers) {
        for (const auto& answer : answers) host.answers.push_back(answer);
        editor().Form2_Command1_Click();
    }
    void OpenFile(const std::string& name, const std::string& bytes) {
        WriteFile(PathOf(name), bytes);
        host.choices.push_back(PathOf(name));
        editor().Form2_Command5_Click();
    }

  private:
    Form2* m_editor = nullptr;
};

TEST_F(QuizListEditor, IsLaidOutAsDesigned) {
    Form2& f = editor();
    EXPECT_EQ(f.Caption(), "tavrel quiz log creator");
    EXPECT_EQ(f.border, forms::BorderStyle::FixedSingle);
    EXPECT_EQ(f.icon, "icon.png");
    EXPECT_FALSE(f.min_max_buttons);
    EXPECT_EQ(f.ClientWidth(), 4035);
    EXPECT_EQ(f.ClientHeight(), 2475);
    EXPECT_EQ(f.font, (forms::Font{"MS Sans Serif", 8.25}));

    const forms::Font plain{};
    struct Row {
        forms::Control* control;
        std::string caption;
        int left, top, width, height;
        forms::Font font;
    };
    const Row rows[] = {
        {&f.List1, "", 0, 120, 3975, 1080, {"Tahoma", 9}},
        {&f.Command1, "add question", 0, 1440, 1335, 255, plain},
        {&f.Command2, "remove question", 0, 1680, 1335, 255, plain},
        {&f.Command3, "remove all", 0, 1920, 1335, 255, plain},
        {&f.Command4, "remove dupes", 0, 2160, 1335, 255, plain},
        {&f.Command5, "open quiz log", 2760, 1440, 1215, 255, plain},
        {&f.Command6, "save quiz log", 2760, 1680, 1215, 255, plain},
        {&f.Command7, "alphabetize", 2760, 1920, 1215, 255, plain},
        {&f.Command8, "exit ", 2760, 2160, 1215, 255, plain},
        {&f.Label1, "", 1560, 1560, 1095, 615, {"Tahoma", 8.25}},
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
        EXPECT_EQ(caption, row.caption);
    }
    // No timer: the count changes only when a command refreshes it.
    for (forms::Control* c : f.controls()) EXPECT_NE(c->kind(), forms::ControlKind::Timer);
}

TEST_F(QuizListEditor, LoadsTopmostCentredAndWithoutClose) {
    Form2& f = editor();
    EXPECT_TRUE(f.topmost());
    EXPECT_FALSE(f.has_close_box());
    const auto& app = forms::App();
    EXPECT_EQ(f.Left(), (app.screen_width - f.Width()) / 2);
    EXPECT_EQ(f.Top(), (app.screen_height - f.Height()) / 2);
    EXPECT_EQ(count(), "");
}

TEST_F(QuizListEditor, AddQuestionShowsTheLayoutAndTakesAnyAnswer) {
    AddQuestions({"What is 2+2?:four", std::nullopt});
    EXPECT_EQ(count(), "1 questions");
    AddQuestions({"  no colon here ", ""});
    EXPECT_EQ(entries(), (Entries{"What is 2+2?:four", "no colon here"}));
    EXPECT_EQ(editor().List1.ListIndex(), 0);
    EXPECT_EQ(count(), "2 questions");
    ASSERT_EQ(host.input_boxes.size(), 4u);
    EXPECT_EQ(host.input_boxes[0].prompt,
              "You can now ask a question, and give up to 3 clues!\r\n\r\n"
              "the format must be added like this:\r\n\r\n"
              "Question:Answer:Clue1:Clue2:Clue3\r\n\r\n"
              " your not required to enter 3 clues");
    EXPECT_EQ(host.input_boxes[0].title, "tavrel quiz bot");
    EXPECT_EQ(host.input_boxes[0].default_text, "");
}

TEST_F(QuizListEditor, AddQuestionCancelledAtOnceLeavesTheLabelEmpty) {
    AddQuestions({std::nullopt});
    EXPECT_EQ(entries(), Entries{});
    EXPECT_EQ(count(), "");
}

TEST_F(QuizListEditor, RemoveQuestionRefreshesTheCountEvenWithoutASelection) {
    Fill(editor().List1, {"a", "b"});
    editor().Form2_Command2_Click();
    EXPECT_EQ(entries(), (Entries{"a", "b"}));
    EXPECT_EQ(count(), "2 questions");

    editor().List1.ListIndex = 0;
    editor().Form2_Command2_Click();
    EXPECT_EQ(entries(), Entries{"b"});
    EXPECT_EQ(count(), "1 questions");
}

TEST_F(QuizListEditor, RemoveAllAsksWheneverTheListHasEntries) {
    editor().Form2_Command3_Click();  // empty: no question
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(count(), "");

    AddQuestions({"q1", "q2", ""});
    host.presses = {vbCancel};
    editor().Form2_Command3_Click();
    ASSERT_EQ(host.message_boxes.size(), 1u);
    EXPECT_EQ(host.message_boxes[0].text, "do you really want to clear the log?");
    EXPECT_EQ(host.message_boxes[0].title, "clear log?");
    EXPECT_EQ(host.message_boxes[0].style, forms::vbOKCancel);
    EXPECT_EQ(entries(), (Entries{"q1", "q2"}));

    editor().List1.ListIndex = -1;  // no selection needed
    host.presses = {vbOK};
    editor().Form2_Command3_Click();
    EXPECT_EQ(entries(), Entries{});
    EXPECT_EQ(count(), "0 questions");
}

TEST_F(QuizListEditor, RemoveDupesRefreshesOnlyWhenTheListHasEntries) {
    editor().Form2_Command4_Click();
    EXPECT_EQ(count(), "");

    Fill(editor().List1, {"a", "a", "b", "a"});
    editor().Form2_Command4_Click();
    EXPECT_EQ(entries(), (Entries{"a", "b", "a"}));
    EXPECT_EQ(count(), "3 questions");
}

TEST_F(QuizListEditor, AlphabetizeSortsAndLeavesTheCount) {
    Fill(editor().List1, {"b", "B", "a", "ab"});
    editor().Form2_Command7_Click();
    EXPECT_EQ(entries(), (Entries{"B", "a", "ab", "b"}));
    EXPECT_EQ(count(), "");
}

TEST_F(QuizListEditor, OpenKeepsEntriesAsReadAndCountsThem) {
    OpenFile("quiz.qz", "Who Painted It?:Someone\r\n\r\n  \r\n");
    EXPECT_EQ(entries(), (Entries{"Who Painted It?:Someone", "  "}));
    EXPECT_EQ(count(), "2 questions");
    EXPECT_EQ(editor().List1.ListIndex(), -1);
    ASSERT_EQ(host.file_dialogs.size(), 1u);
    EXPECT_FALSE(host.file_dialogs[0].save);
    EXPECT_EQ(host.file_dialogs[0].init_dir, m_folder.string());
    EXPECT_EQ(host.file_dialogs[0].filter, "quiz files (*.qz)|*.qz");
    EXPECT_EQ(editor().Caption(), "tavrel quiz log creator");

    // Line feeds alone end lines as well.
    OpenFile("lf.qz", "Who?:Me\n  \n\nLast:One");
    EXPECT_EQ(entries(), (Entries{"Who?:Me", "  ", "Last:One"}));
    EXPECT_EQ(count(), "3 questions");
}

TEST_F(QuizListEditor, OpenCancelledOrFailedEmptiesTheListAndCountsZero) {
    Fill(editor().List1, {"a", "b"});
    host.choices.push_back(std::nullopt);
    editor().Form2_Command5_Click();
    EXPECT_EQ(entries(), Entries{});
    EXPECT_EQ(count(), "0 questions");

    // A named pipe is given up at once, as a file that cannot be opened.
    ASSERT_EQ(mkfifo(PathOf("pipe.qz").c_str(), 0600), 0);
    for (const char* name : {"missing.qz", "pipe.qz"}) {
        SCOPED_TRACE(name);
        Fill(editor().List1, {"a"});
        host.choices.push_back(PathOf(name));
        editor().Form2_Command5_Click();
        EXPECT_EQ(entries(), Entries{});
        EXPECT_EQ(count(), "0 questions");
    }
}

TEST_F(QuizListEditor, SavedListReadsBackUnchanged) {
    const Entries quiz{"Zebra?:Stripes:Clue", "apple?:Red", " spaced ", "apple?:Red"};
    Fill(editor().List1, quiz);
    host.choices.push_back(PathOf("saved.qz"));
    editor().Form2_Command6_Click();
    EXPECT_EQ(ReadFile(PathOf("saved.qz")),
              "Zebra?:Stripes:Clue\r\r\napple?:Red\r\r\n spaced \r\r\napple?:Red\r\r\n");
    ASSERT_EQ(host.file_dialogs.size(), 1u);
    EXPECT_TRUE(host.file_dialogs[0].save);
    EXPECT_EQ(host.file_dialogs[0].init_dir, "");
    EXPECT_EQ(host.file_dialogs[0].filter, "quiz files (*.qz)|*.qz");

    host.choices.push_back(PathOf("saved.qz"));
    editor().Form2_Command5_Click();
    EXPECT_EQ(entries(), quiz);
    EXPECT_EQ(count(), "4 questions");
}

TEST_F(QuizListEditor, SaveUsesTheSameMessagesAsTheWordListEditor) {
    host.presses = {vbOK};
    editor().Form2_Command6_Click();
    ASSERT_EQ(host.message_boxes.size(), 1u);
    EXPECT_EQ(host.message_boxes[0].text, "theres nothing to save!!");
    EXPECT_EQ(host.message_boxes[0].title, "tavrel");
    EXPECT_TRUE(host.file_dialogs.empty());

    WriteFile(PathOf("quiz"), "old\r\r\n");
    Fill(editor().List1, {"new"});
    host.choices.push_back(PathOf("quiz"));
    host.presses = {vbCancel};
    editor().Form2_Command6_Click();
    ASSERT_EQ(host.message_boxes.size(), 2u);
    EXPECT_EQ(host.message_boxes[1].text,
              "This file already exists: " + PathOf("quiz") + ", do you wish replace it?");
    EXPECT_EQ(host.message_boxes[1].title, "Error");
    EXPECT_EQ(host.message_boxes[1].style, forms::vbOKCancel | forms::vbQuestion);
    EXPECT_EQ(ReadFile(PathOf("quiz")), "old\r\r\n");
    EXPECT_FALSE(std::filesystem::exists(PathOf("quiz.qz")));
}

// The headless measures of the window's font ("MS Sans Serif" 8.25): lines 198 twips, every
// character 83. The list is 3975 twips wide and 1080 high, so six entries make it scroll.
TEST_F(QuizListEditor, TooltipShowsOnlyEntriesWiderThanTheRoom) {
    const std::string w47(47, 'w');  // 3901 twips: fits in 3975 - 30
    const std::string w48(48, 'w');  // 3984 twips: does not
    const std::string w44(44, 'w');  // 3652: fits in 3975 - 300; 3960 in the list's own font
    const std::string w45(45, 'w');  // 3735: does not fit in 3975 - 300
    struct Case {
        Entries list;
        int top_index;
        float y;
        std::string tooltip;
    };
    const Case cases[] = {
        {{"short", w47, w48}, 0, 10, ""},
        {{"short", w47, w48}, 0, 200, ""},
        {{"short", w47, w48}, 0, 400, w48},
        {{"short", w47, w48}, 0, 600, ""},      // below the last entry
        {{"short", w44}, 0, 250, ""},           // measured in the window's font, not the list's
        {{"short", w47, w48}, 0, 197.5f, ""},   // 197.5 rounds to 198: the second row
        {{"short", w47, w48}, 0, 395.5f, w48},  // 395.5 rounds to 396: the third row
        {{w45, "a", "b", "c", "d", "e"}, 0, 0, w45},  // six entries scroll: 300 taken off
        {{w44, "a", "b", "c", "d", "e"}, 0, 0, ""},
        {{w45, "a", "b", "c", "d"}, 0, 0, ""},               // five fit: only 30 taken off
        {{"a", "b", "c", "d", "e", w45, "f"}, 2, 594, w45},  // rows count from the top entry
        {{}, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "y " << c.y << ", " << c.list.size() << " entries");
        Fill(editor().List1, c.list);
        editor().List1.TopIndex = c.top_index;
        editor().List1.ToolTipText = "stale";
        editor().Form2_List1_MouseMove(0, 0, 100, c.y);
        EXPECT_EQ(editor().List1.ToolTipText(), c.tooltip);
    }
}

// Longer than 16-bit counts reach: every entry is held, counted, shown in the tooltip and saved.
TEST_F(QuizListEditor, OpensAndSavesAFortyThousandQuestionListWhole) {
    const std::string wide(48, 'w');  // wider than the list: its tooltip shows it
    Entries questions;
    std::string bytes;
    for (int i = 0; i < 40000; ++i) {
        questions.push_back(i == 39999 ? wide : "Question " + std::to_string(i) + "?:Answer");
        bytes += questions.back() + "\r\r\n";
    }
    OpenFile("big.qz", bytes);
    EXPECT_TRUE(entries() == questions);
    EXPECT_EQ(count(), "40000 questions");

    editor().List1.TopIndex = 39998;
    editor().Form2_List1_MouseMove(0, 0, 100, 200);  // the second row shown: the last entry
    EXPECT_EQ(editor().List1.ToolTipText(), wide);
    editor().Form2_List1_MouseMove(0, 0, 100, 400);  // below it
    EXPECT_EQ(editor().List1.ToolTipText(), "");

    host.presses = {vbOK};
    host.choices.push_back(PathOf("big.qz"));
    editor().Form2_Command6_Click();
    EXPECT_TRUE(ReadFile(PathOf("big.qz")) == bytes);
}

TEST_F(QuizListEditor, ExitDiscardsTheWindowWithoutAsking) {
    Fill(editor().List1, {"a"});
    Form2* first = &editor();
    first->Form2_Command8_Click();
    EXPECT_FALSE(first->loaded());
    EXPECT_FALSE(first->Visible());
    EXPECT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(EntriesInFolder(), 0u);

    Form2& again = Open<Form2>("Form2");
    EXPECT_NE(&again, first);
    EXPECT_EQ(again.List1.ListCount(), 0);
    EXPECT_EQ(again.Label1.Caption(), "");
}

}  // namespace
