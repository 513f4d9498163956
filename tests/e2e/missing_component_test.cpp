// A copy of the program in a folder whose component registry does not serve the progress bar:
// the program ends as the main window is built, before it asks anything, naming the ProgID.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/run_helpers.h"

namespace fs = std::filesystem;

namespace {

using test_support::RunCommand;

TEST(MissingComponent, EndsTheProgramAtStartNamingTheProgId) {
    struct Case {
        const char* what;
        const char* registry;  // nullptr: no registry file at all
    };
    for (auto [what, registry] : {Case{"not registered", nullptr},
                                  Case{"not loadable", "linmar.ProgressBar=not-a-library.so\n"}}) {
        fs::path folder =
            fs::temp_directory_path() / ("tavrel-missing-component-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::copy_file(fs::path(TAVREL_BINARY_DIR) / "bin" / "tavrel", folder / "tavrel");
        if (registry) {
            std::ofstream(folder / "components.list") << registry;
            std::ofstream(folder / "not-a-library.so") << "not a library";
        }
        std::ofstream(folder / "start.script") << "answer Bob\nwait 5\n";

        test_support::CommandRun outcome =
            RunCommand("cd " + test_support::Shell(folder.string()) +
                       " && ./tavrel --trace --script start.script 2>&1");
        EXPECT_EQ(outcome.status, 2) << what << "\n" << outcome.out;
        EXPECT_EQ(outcome.out.rfind("tavrel: cannot create \"linmar.ProgressBar\": ", 0), 0u)
            << what << "\n"
            << outcome.out;
        EXPECT_EQ(outcome.out.find("inputbox"), std::string::npos) << what;
        EXPECT_FALSE(fs::exists(folder / "tavrel.ini")) << what;
        fs::remove_all(folder);
    }
}

}  // namespace
