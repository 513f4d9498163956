// Where "save log" writes, as an ordinary user meets it: through symbolic links to the file they
// name, never over a file the user may not write, in place where the folder takes no new file,
// and under names of any legal length. A refused save ends without a message; no temporary file
// is left anywhere.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "companions/Form5.h"
#include "tests/companions/editor_fixture.h"
#include "tests/support/unprivileged.h"

namespace {

namespace fs = std::filesystem;
using editor_test::Entries;

constexpr char kOld[] = "old\r\r\n";
constexpr char kNew[] = "cat\r\r\ndog\r\r\n";

class ListSavesAsUser : public editor_test::EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        TAVREL_SKIP_UNLESS_PERMISSIONS_BIND();
    }

    // Files whose names start with a dot anywhere below the folder: a save's leftovers.
    std::size_t Leftovers() const {
        std::size_t n = 0;
        for (const auto& item : fs::recursive_directory_iterator(m_folder))
            if (item.path().filename().string().rfind('.', 0) == 0) ++n;
        return n;
    }
};

TEST_F(ListSavesAsUser, WritesTheFileThePathNamesWhereTheUserMay) {
    struct Row {
        const char* what;
        std::function<void(const fs::path& at)> lay_out;  // the files before the save
        std::string save_as;                              // the path chosen, inside `at`
        std::string check;                                // the file whose bytes are looked at
        std::string bytes;                                // what it then holds, "" for no file
    };
    const std::string long_name = std::string(251, 'w') + ".log";  // 255, the longest there is
    const Row rows[] = {
        {"a link to a file",
         [](const fs::path& at) {
             WriteFile((at / "real.log").string(), kOld);
             fs::create_symlink("real.log", at / "words.log");
         },
         "words.log", "real.log", kNew},
        {"a link to a link to a file in another folder",
         [](const fs::path& at) {
             fs::create_directory(at / "lists");
             WriteFile((at / "lists/real.log").string(), kOld);
             fs::create_symlink("lists/real.log", at / "middle.log");
             fs::create_symlink(at / "middle.log", at / "words.log");
         },
         "words.log", "lists/real.log", kNew},
        {"a link to no file yet",
         [](const fs::path& at) { fs::create_symlink("new.log", at / "words.log"); }, "words.log",
         "new.log", kNew},
        {"a read-only file",
         [](const fs::path& at) {
             WriteFile((at / "words.log").string(), kOld);
             fs::permissions(at / "words.log", fs::perms(0444));
         },
         "words.log", "words.log", kOld},
        {"a link to a read-only file",
         [](const fs::path& at) {
             WriteFile((at / "real.log").string(), kOld);
             fs::permissions(at / "real.log", fs::perms(0444));
             fs::create_symlink("real.log", at / "words.log");
         },
         "words.log", "real.log", kOld},
        {"a writable file in a folder the user cannot write to",
         [](const fs::path& at) {
             fs::create_directory(at / "shut");
             WriteFile((at / "shut/words.log").string(), kOld);
             fs::permissions(at / "shut", fs::perms(0555));
         },
         "shut/words.log", "shut/words.log", kNew},
        {"a new file in a folder the user cannot write to",
         [](const fs::path& at) {
             fs::create_directory(at / "shut");
             fs::permissions(at / "shut", fs::perms(0555));
         },
         "shut/words.log", "shut/words.log", ""},
        {"a file with a second name",
         [](const fs::path& at) {
             WriteFile((at / "words.log").string(), kOld);
             fs::create_hard_link(at / "words.log", at / "alias.log");
         },
         "words.log", "alias.log", kNew},
        {"a new file of a 240-character name", [](const fs::path&) {},
         std::string(236, 'w') + ".log", std::string(236, 'w') + ".log", kNew},
        {"a file of a 255-character name",
         [&long_name](const fs::path& at) { WriteFile((at / long_name).string(), kOld); },
         long_name, long_name, kNew},
    };
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path at = m_folder / ("row" + std::to_string(n++));
        fs::create_directory(at);
        row.lay_out(at);
        const fs::path chosen = at / row.save_as;
        const bool was_link = fs::is_symlink(chosen);
        const bool exists = fs::is_regular_file(chosen);

        Form5& editor = Open<Form5>("Form5");
        Fill(editor.List1, {"cat", "dog"});
        host.message_boxes.clear();
        if (exists) host.presses.push_back(forms::vbOK);  // "This file already exists: ..."
        host.choices.push_back(chosen.string());
        editor.Form5_Command5_Click();

        EXPECT_EQ(host.message_boxes.size(), exists ? 1u : 0u);
        EXPECT_EQ(fs::is_symlink(chosen), was_link);
        if (row.bytes.empty()) {
            EXPECT_FALSE(fs::exists(at / row.check));
        } else {
            EXPECT_EQ(ReadFile((at / row.check).string()), row.bytes);
        }
        EXPECT_EQ(editor.List1.entries(), (Entries{"cat", "dog"}));
        for (const auto& item : fs::recursive_directory_iterator(at))
            if (item.is_directory()) fs::permissions(item.path(), fs::perms::owner_all);
    }
    EXPECT_EQ(Leftovers(), 0u);
}

}  // namespace
