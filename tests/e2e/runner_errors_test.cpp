// How a run of the program ends when its script, its command line or its output is at fault:
// each fault has its exit status and one message a line on standard error, naming the script
// line where there is one. Names that exist but cannot be acted on now are only ignored.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/options.h"
#include "tests/support/run_helpers.h"

namespace fs = std::filesystem;

namespace {

using namespace std::string_literals;
using test_support::ReadAll;
using test_support::Shell;

// Every $S becomes the script's path, every $F the program's folder: as they are in a message,
// quoted for the shell in a command.
std::string Expand(std::string s, const fs::path& script, const fs::path& folder,
                   bool for_shell = false) {
    auto word = [for_shell](const fs::path& path) {
        return for_shell ? Shell(path.string()) : path.string();
    };
    for (auto [mark, value] : {std::pair{"$S", word(script)}, {"$F", word(folder)}})
        for (auto at = s.find(mark); at != std::string::npos; at = s.find(mark, at + value.size()))
            s.replace(at, 2, value);
    return s;
}

TEST(RunnerErrors, EachFaultEndsTheRunWithItsStatusAndMessage) {
    const std::string usage = app::UsageText();
    const std::string tick =
        "tavrel: --tick-ms needs a number of milliseconds from 0.001 to 86400000\n";
    const std::string run = "--script $S --folder $F";
    struct Case {
        const char* what;
        std::string script;    // written to $S
        std::string args;      // the command line
        std::string redirect;  // where standard output goes ("" for a file, then compared)
        int status;
        std::string err;  // standard error, exactly
        std::string out = "";
        std::string feed = "";  // shell words before the command: a pipe into it, a preparation
    };
    const Case cases[] = {
        // Names: checked before anything runs, every one reported.
        {"unknown names",
         "answer bob\nwait 5\nclick Form4.Comand1\nmenu Form4.nosuch\n"
         "click Form9.Command1\nclose Form9\ntype Form5.Text9 x\n",
         run, "", 2,
         "tavrel: $S: line 3: no such control: click Form4.Comand1\n"
         "tavrel: $S: line 4: no such menu item: menu Form4.nosuch\n"
         "tavrel: $S: line 5: no such window: click Form9.Command1\n"
         "tavrel: $S: line 6: no such window: close Form9\n"
         "tavrel: $S: line 7: no such control: type Form5.Text9 x\n"},
        {"disabled button, hidden window: ignored",
         "answer bob\nwait 5\nclick Form4.Command4\nclick Form5.Command1\nmenu Form4.Command1\n",
         run + " --trace", "", 0, "",
         "* inputbox \"please enter your AOL screenname\" title \"enter your screenname\" "
         "default \"\" -> \"bob\"\n"
         "host: <FONT FACE=Arial><b>[</b> tavrel by veskin <b>]</b> <b>[</b> loaded <b>1</b> "
         "times <b>]</b></font>\n"
         "host: <font face=arial><b>[</b> scrambled words: none <b>]</b><b> [</b> completed "
         "logs: <b> ]</b></font>\n"
         "* ignored: click Form4.Command4 (hidden or disabled)\n"
         "* ignored: click Form5.Command1 (the window is not shown)\n"
         "* ignored: menu Form4.Command1 (not a menu item)\n"},
        // Replies: the name prompt takes the first; the program then ends.
        {"replies no box took", "cancel\nanswer extra\npress OK\nwait 9\nchoose a.log\ncancel\n",
         run, "", 2,
         "tavrel: $S: line 2: no box took this reply: answer extra\n"
         "tavrel: $S: line 3: no box took this reply: press OK\n"},
        {"replies left at the end", "answer bob\nwait 5\nanswer extra\nchoose a.log\ncancel\n", run,
         ">/dev/null", 2,
         "tavrel: $S: line 3: no box took this reply: answer extra\n"
         "tavrel: $S: line 4: no box took this reply: choose a.log\n"
         "tavrel: $S: line 5: no box took this reply: cancel\n"},
        {"a reply that does not fit", "wait 4\npress Yes\n", run, "", 2,
         "tavrel: $S: line 2: the reply does not fit the open inputbox \"please enter your AOL "
         "screenname\" title \"enter your screenname\" default \"\": press Yes\n"},
        {"the script ends before the box opens", "press Yes\n", run, "", 2,
         "tavrel: $S: line 1: no box took this reply: press Yes\n"},
        {"a bad line", "wait 1\nfrobnicate\n", run, "", 2,
         "tavrel: $S: line 2: unknown action: frobnicate\n"},
        // Every fault of a script, of either kind, in the order of its lines.
        {"bad lines and unknown names",
         "answer bob\nclick Form4.Comand1\nclose Form9\nbogus\nwait x\nmenu Form4.nosuch\n", run,
         "", 2,
         "tavrel: $S: line 2: no such control: click Form4.Comand1\n"
         "tavrel: $S: line 3: no such window: close Form9\n"
         "tavrel: $S: line 4: unknown action: bogus\n"
         "tavrel: $S: line 5: wait takes a number of seconds: wait x\n"
         "tavrel: $S: line 6: no such menu item: menu Form4.nosuch\n"},
        // A line is quoted as written, but for its control bytes.
        {"control bytes in a bad line", "wait 1\nfrob\x01nicate\0\t\\x41\x7f\n"s, run, "", 2,
         "tavrel: $S: line 2: unknown action: frob\\x01nicate\\0\\t\\x41\\x7F\n"},
        {"control bytes in an unknown name", "click Form4.Com\x1b[2Jmand\n", run, "", 2,
         "tavrel: $S: line 1: no such control: click Form4.Com\\x1B[2Jmand\n"},
        // Files and folders.
        {"script is a folder", "", "--script $F --folder $F", "", 2,
         "tavrel: cannot read the script $F: it is a folder\n"},
        {"script is missing", "", "--script $F/none.script --folder $F", "", 2,
         "tavrel: cannot read the script $F/none.script: it cannot be opened\n"},
        // Scripts are read with the lists' guards, pipes besides.
        {"script from a pipe", "say ann: hi\n", "--script /dev/stdin --folder $F", "", 0, "",
         "ann: hi\n", "cat $S |"},
        {"script on standard input", "say ann: hi\n", "--script /dev/stdin --folder $F <$S", "", 0,
         "", "ann: hi\n"},
        {"script is a device", "", "--script /dev/zero --folder $F", "", 2,
         "tavrel: cannot read the script /dev/zero: it is neither a file nor a pipe\n"},
        {"script larger than 64 MiB", "wait 1\n", run, "", 2,
         "tavrel: cannot read the script $S: it is larger than 64 MiB\n", "",
         "truncate -s 67108865 $S &&"},
        {"script from an endless pipe", "", "--script /dev/stdin --folder $F", "", 2,
         "tavrel: cannot read the script /dev/stdin: it is larger than 64 MiB\n", "",
         "yes 'wait 1' 2>/dev/null |"},
        {"folder is missing", "answer bob\nwait 5\n", "--script $S --folder $F/none", "", 2,
         "tavrel: --folder: no such folder: $F/none\n"},
        {"folder is a file", "answer bob\nwait 5\n", "--script $S --folder $S", "", 2,
         "tavrel: --folder: not a folder: $S\n"},
        // The demo plays in a folder of its own and has its own script.
        {"demo with a folder", "", "--demo --folder $F", "", 2,
         "tavrel: --demo and --folder exclude each other\n" + usage},
        {"demo with a missing folder", "", "--demo --folder $F/none", "", 2,
         "tavrel: --demo and --folder exclude each other\n" + usage},
        {"demo with a script", "answer bob\n", "--demo --script $S", "", 2,
         "tavrel: --demo and --script exclude each other\n" + usage},
        {"seed -1", "wait 1\n", run + " --seed -1", "", 2,
         "tavrel: --seed needs a whole number from 0 to 18446744073709551615: -1\n" + usage},
        {"seed past 64 bits", "wait 1\n", run + " --seed 18446744073709551616", "", 2,
         "tavrel: --seed needs a whole number from 0 to 18446744073709551615: "
         "18446744073709551616\n" +
             usage},
        {"largest seed", "wait 1\n", run + " --seed 18446744073709551615", "", 0, ""},
        // Ticks the loop cannot count in whole microseconds of its range.
        {"tick 1e16", "wait 1\n", run + " --tick-ms 1e16", "", 2, tick + usage},
        {"tick 86400001", "wait 1\n", run + " --tick-ms 86400001", "", 2, tick + usage},
        {"tick 0.0009", "wait 1\n", run + " --tick-ms 0.0009", "", 2, tick + usage},
        {"tick 0", "wait 1\n", run + " --tick-ms 0", "", 2, tick + usage},
        {"tick -1", "wait 1\n", run + " --tick-ms -1", "", 2, tick + usage},
        {"tick nan", "wait 1\n", run + " --tick-ms nan", "", 2, tick + usage},
        {"tick inf", "wait 1\n", run + " --tick-ms inf", "", 2, tick + usage},
        {"tick 0.001", "wait 1\n", run + " --tick-ms 0.001", "", 0, ""},
        {"tick 86400000", "wait 1\n", run + " --tick-ms 86400000", "", 0, ""},
        // Standard output that takes no transcript.
        {"output full", "answer bob\nwait 5\n", run, ">/dev/full", 1,
         "tavrel: cannot write the transcript: No space left on device\n"},
        {"output closed", "answer bob\nwait 5\n", run, ">&-", 1,
         "tavrel: standard output is closed: the transcript cannot be written\n"},
        {"help to a full output", "", "--help", ">/dev/full", 1,
         "tavrel: cannot write to standard output\n"},
    };
    for (const Case& c : cases) {
        fs::path folder =
            fs::temp_directory_path() / ("tavrel-runner-errors-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::path script = folder / "run.script";
        std::ofstream(script, std::ios::binary) << c.script;
        std::string command = Expand(c.feed, script, folder, true) + " " +
                              Shell(std::string(TAVREL_BINARY_DIR) + "/bin/tavrel") + " " +
                              Expand(c.args, script, folder, true) + " " +
                              (c.redirect.empty() ? ">" + Shell((folder / "out").string())
                                                  : Expand(c.redirect, script, folder, true)) +
                              " 2>" + Shell((folder / "err").string());
        int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw)) << c.what;
        EXPECT_EQ(WEXITSTATUS(raw), c.status) << c.what;
        EXPECT_EQ(ReadAll(folder / "err"), Expand(c.err, script, folder)) << c.what;
        if (c.redirect.empty()) {
            EXPECT_EQ(ReadAll(folder / "out"), c.out) << c.what;
        }
        fs::remove_all(folder);
    }
}

// A --folder reached through another user's link in a shared folder (one that anyone may write
// to, sticky) is refused before anything is read or written; the user's own link there is
// followed. The links need the superuser to be given to another user.
TEST(RunnerErrors, AFolderBehindAStrangersLinkInASharedFolderIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser can give links to other users";
    std::string made = (fs::temp_directory_path() / "tavrel-folder-link-XXXXXX").string();
    ASSERT_NE(::mkdtemp(made.data()), nullptr);
    const fs::path at = made;
    fs::create_directories(at / "shared");
    fs::create_directories(at / "own");
    ASSERT_EQ(::chmod((at / "shared").c_str(), 01777), 0);
    std::ofstream(at / "run.script") << "answer host\nwait 5\n";
    struct Row {
        const char* link;
        uid_t owner;
        int status;
        std::string err;
    };
    const Row rows[] = {
        {"evil", 4242, 2,
         "tavrel: --folder: reached through another user's link in a shared folder: " +
             (at / "shared" / "evil").string() + "\n"},
        {"mine", ::geteuid(), 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.link);
        const fs::path link = at / "shared" / row.link;
        fs::create_symlink(at / "own", link);
        ASSERT_EQ(::lchown(link.c_str(), row.owner, row.owner), 0);
        const std::string command = Shell(std::string(TAVREL_BINARY_DIR) + "/bin/tavrel") +
                                    " --script " + Shell((at / "run.script").string()) +
                                    " --folder " + Shell(link.string()) + " >/dev/null 2>" +
                                    Shell((at / "err").string());
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), row.status);
        EXPECT_EQ(ReadAll(at / "err"), row.err);
        EXPECT_EQ(fs::exists(at / "own" / "tavrel.ini"), row.status == 0);
    }
    fs::remove_all(at);
}

}  // namespace
