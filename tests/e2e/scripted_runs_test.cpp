// Runs every scripted case in tests/scripts through the tavrel program and compares what the
// room heard with the expected transcript, byte for byte.
//
// A case NAME is NAME.script with NAME.expected. Optional beside them:
//   a first script line "#! OPTIONS"   extra command-line options for that run
//   NAME.fixture/                      copied into the fresh program folder before the first run
//   NAME.2.script, NAME.2.expected ... later runs in the same folder (a second start)
//   NAME.after/                        files that the program folder must then hold, byte for byte
//   NAME.status                        the expected exit status of every run (default 0)
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_helpers.h"

namespace fs = std::filesystem;

namespace {

using test_support::ReadAll;
using test_support::RunCommand;
using test_support::Shell;

test_support::CommandRun RunTavrel(const fs::path& script, const fs::path& folder) {
    std::string first_line;
    {
        std::ifstream in(script);
        std::getline(in, first_line);
    }
    std::string extra = first_line.rfind("#! ", 0) == 0 ? first_line.substr(3) : "";
    std::string command = Shell(std::string(TAVREL_BINARY_DIR) + "/bin/tavrel") + " --script " +
                          Shell(script.string()) + " --folder " + Shell(folder.string()) + " " +
                          extra + " 2>&1";
    return RunCommand(command);
}

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    fs::path dir = fs::path(TAVREL_TEST_DIR) / "scripts";
    for (auto& entry : fs::directory_iterator(dir)) {
        auto name = entry.path().filename().string();
        if (entry.path().extension() != ".script") continue;
        auto stem = entry.path().stem().string();
        if (stem.find('.') != std::string::npos) continue;  // a later run of a case
        names.push_back(stem);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ScriptedRun : public testing::TestWithParam<std::string> {};

TEST_P(ScriptedRun, TranscriptMatches) {
    const std::string name = GetParam();
    fs::path dir = fs::path(TAVREL_TEST_DIR) / "scripts";
    fs::path folder =
        fs::temp_directory_path() / ("tavrel-e2e-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    if (fs::exists(dir / (name + ".fixture")))
        fs::copy(dir / (name + ".fixture"), folder, fs::copy_options::recursive);
    int expected_status = 0;
    if (fs::exists(dir / (name + ".status")))
        expected_status = std::stoi(ReadAll(dir / (name + ".status")));

    for (int run = 1;; ++run) {
        std::string base = run == 1 ? name : name + "." + std::to_string(run);
        fs::path script = dir / (base + ".script");
        if (!fs::exists(script)) break;
        test_support::CommandRun result = RunTavrel(script, folder);
        EXPECT_EQ(result.status, expected_status) << base << "\n" << result.out;
        EXPECT_EQ(result.out, ReadAll(dir / (base + ".expected"))) << base;
    }
    fs::path after = dir / (name + ".after");
    if (fs::exists(after))
        for (auto& entry : fs::recursive_directory_iterator(after)) {
            if (!entry.is_regular_file()) continue;
            fs::path produced = folder / fs::relative(entry.path(), after);
            ASSERT_TRUE(fs::exists(produced)) << produced;
            EXPECT_EQ(ReadAll(produced), ReadAll(entry.path())) << produced;
        }
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptedRun, testing::ValuesIn(CaseNames()),
                         [](const auto& info) {
                             std::string n = info.param;
                             for (char& c : n)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

}  // namespace
