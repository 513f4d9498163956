// The settings file in states the program never writes: a folder in its place, a file of 10 MB,
// binary bytes, a NUL inside a value. The game plays the same in each; the counters are read
// where they can be read and written where the file can take them, and nothing else of the
// file is lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "common/settings.h"
#include "tests/faults/fault_fixture.h"

namespace {

namespace fs = std::filesystem;

class SettingsFileFaults : public faults::FaultTest {
  protected:
    std::string Settings() const { return PathOf("tavrel.ini"); }
    std::string Read(const char* section, const char* key) const {
        return ReadIni(section, key, Settings());
    }

    // The game's own lines, whatever the settings: it starts, scores both words and ends.
    static void ExpectWholeGame(const std::vector<std::string>& lines) {
        EXPECT_TRUE(Holds(lines, "<b>[ bob</b> in<b> "));
        EXPECT_TRUE(Holds(lines, "<b>[ ann</b> in<b> "));
        EXPECT_TRUE(Holds(lines, "> end of log <"));
        // One right answer each: a tie for the most, so the share stays at its "0".
        EXPECT_TRUE(Holds(lines, "answering<b> 0%</b> of the log"));
    }
    static constexpr const char* kFirstStart = "loaded <b>1</b> times";
    static constexpr const char* kNoCounters =
        "scrambled words: none <b>]</b><b> [</b> completed logs: <b> ]</b>";
};

TEST_F(SettingsFileFaults, AFolderInItsPlaceIsNeitherReadNorReplaced) {
    fs::create_directory(Settings());
    WriteFile(Settings() + "/kept", "mine");

    const auto lines = PlayTwoWords();

    ExpectWholeGame(lines);
    EXPECT_TRUE(Holds(lines, kFirstStart));
    EXPECT_TRUE(Holds(lines, kNoCounters));
    ASSERT_TRUE(fs::is_directory(Settings()));
    EXPECT_EQ(ReadFile(Settings() + "/kept"), "mine");
    EXPECT_EQ(std::distance(fs::directory_iterator(Settings()), fs::directory_iterator()), 1);
    // No half-written replacement is left beside it.
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"tavrel.ini", "words.log"}));
}

TEST_F(SettingsFileFaults, ATenMegabyteFileIsReadAtEveryLineAndKeptWhole) {
    std::string padding = "[padding]\r\n";
    const std::string line = "p=" + std::string(998, 'x') + "\r\n";
    while (padding.size() < 10 * 1024 * 1024) padding += line;
    WriteFile(Settings(),
              "[timesloaded]\r\ntimes=5\r\n[tavrel]\r\nscramble=41\r\n[completed]\r\n"
              "finished=2\r\n" +
                  padding);

    const auto lines = PlayTwoWords();

    ExpectWholeGame(lines);
    EXPECT_TRUE(Holds(lines, "loaded <b>5</b> times"));
    EXPECT_TRUE(Holds(lines, "scrambled words: <b>41 ]</b><b> [</b> completed logs: <b>2 ]</b>"));
    EXPECT_EQ(Read("timesloaded", "times"), "6");
    EXPECT_EQ(Read("tavrel", "scramble"), "43");
    EXPECT_EQ(Read("completed", "finished"), "3");
    EXPECT_EQ(Read("theuser", "user"), "host");
    const std::string after = ReadFile(Settings());
    EXPECT_NE(after.find(padding), std::string::npos);
    EXPECT_LT(after.size(), padding.size() + 300);
}

TEST_F(SettingsFileFaults, BinaryBytesStayAndTheCountersGoAfterThem) {
    std::mt19937 bytes_from(15);
    std::string junk(4096, '\0');
    for (char& c : junk) c = static_cast<char>(bytes_from() & 0xFF);
    WriteFile(Settings(), junk);
    for (auto [section, key] : {std::pair{"timesloaded", "times"},
                                {"tavrel", "scramble"},
                                {"completed", "finished"},
                                {"theuser", "user"}})
        ASSERT_EQ(Read(section, key), "") << "the bytes must hold no settings of their own";

    const auto lines = PlayTwoWords();

    ExpectWholeGame(lines);
    EXPECT_TRUE(Holds(lines, kFirstStart));
    EXPECT_TRUE(Holds(lines, kNoCounters));
    const std::string after = ReadFile(Settings());
    EXPECT_EQ(after.substr(0, junk.size()), junk);
    EXPECT_EQ(Read("timesloaded", "times"), "2");
    EXPECT_EQ(Read("tavrel", "scramble"), "2");
    EXPECT_EQ(Read("completed", "finished"), "1");
    EXPECT_EQ(Read("thewinner", "winner"), "<b> bob, ann</b> with <b>1</b> points <b>]</b>");
}

TEST_F(SettingsFileFaults, AValueEndsAtANulByte) {
    using namespace std::literals;
    WriteFile(Settings(),
              "[tavrel]\r\nscramble=12\0\xFF\xFE\r\n[completed]\r\nfinished=\x80\r\n"sv);

    const auto lines = PlayTwoWords();

    ExpectWholeGame(lines);
    EXPECT_TRUE(Holds(lines, "scrambled words: <b>12 ]</b><b> [</b> completed logs: <b> ]</b>"));
    EXPECT_EQ(Read("tavrel", "scramble"), "14");
    EXPECT_EQ(Read("completed", "finished"), "1");
    EXPECT_EQ(ReadFile(Settings()).find('\0'), std::string::npos);
}

}  // namespace
