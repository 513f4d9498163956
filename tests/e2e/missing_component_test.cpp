// A copy of the program in a folder whose component registry does not serve the progress bar:
// the program ends as the main window is built, before it asks anything, naming the ProgID.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    std::string out;
    int status = -1;
};

Outcome RunCommand(const std::string& command) {
    Outcome outcome;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return outcome;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        outcome.out.append(buffer.data(), n);
    int raw = pclose(pipe);
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return outcome;
}

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

        Outcome outcome =
            RunCommand("cd '" + folder.string() + "' && ./tavrel --trace --script start.script");
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
