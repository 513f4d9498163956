#include "common/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/profile/temp_folder.h"

namespace {

class Settings : public profile_test::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        m_file = SettingsFilePath(m_folder.string());
    }
    std::string m_file;
};

TEST_F(Settings, NoFileReadsEmptyAndFirstWriteCreatesIt) {
    for (const auto& [section, key] : {std::pair{"tavrel", "scramble"},
                                       {"completed", "finished"},
                                       {"thewinner", "winner"},
                                       {"timesloaded", "times"},
                                       {"theuser", "user"}})
        EXPECT_EQ(ReadIni(section, key, m_file), "") << key;
    WriteIni("timesloaded", "times", "2", m_file);
    EXPECT_EQ(ReadIni("timesloaded", "times", m_file), "2");
    EXPECT_EQ(ReadIni("tavrel", "scramble", m_file), "");
}

TEST_F(Settings, HandEditedCapitalKeyIsFound) {
    WriteFile(m_file, "[Tavrel]\r\nScramble=41\r\n[completed]\r\n");
    EXPECT_EQ(ReadIni("tavrel", "scramble", m_file), "41");
    EXPECT_EQ(ReadIni("tavrel", "SCRAMBLE", m_file), "41");
    EXPECT_EQ(ReadIni("completed", "finished", m_file), "");
}

TEST_F(Settings, LongValueComesBackCutTo749) {
    WriteIni("thewinner", "winner", std::string(800, 'x'), m_file);
    EXPECT_EQ(ReadIni("thewinner", "winner", m_file), std::string(749, 'x'));
}

TEST_F(Settings, ValueIsTrimmedAndUnquotedOnReading) {
    WriteIni("thewinner", "winner", " bob won with 3", m_file);
    EXPECT_EQ(ReadFile(m_file), "[thewinner]\r\nwinner= bob won with 3\r\n");
    EXPECT_EQ(ReadIni("thewinner", "winner", m_file), "bob won with 3");
    WriteIni("theuser", "user", "  \"Host Name\"  ", m_file);
    EXPECT_EQ(ReadIni("theuser", "user", m_file), "Host Name");
}

TEST_F(Settings, WriteKeepsTheCallersKeyAndReplacesInPlace) {
    WriteFile(m_file, "[theuser]\r\nuser=old\r\n[tavrel]\r\nscramble=1\r\n");
    WriteIni("theuser", "User", "New", m_file);
    EXPECT_EQ(ReadFile(m_file), "[theuser]\r\nUser=New\r\n[tavrel]\r\nscramble=1\r\n");
    EXPECT_EQ(ReadIni("theuser", "user", m_file), "New");
}

TEST_F(Settings, FailedWriteIsPassedOver) {
    WriteIni("tavrel", "scramble", "1", PathOf("missing/tavrel.ini"));
    WriteIni("thewinner", "winner", "two\nlines", m_file);
    EXPECT_EQ(ReadIni("thewinner", "winner", m_file), "");
}

TEST(SettingsPath, JoinsFolderAndName) {
    EXPECT_EQ(SettingsFilePath("/opt/tavrel"), "/opt/tavrel/tavrel.ini");
    EXPECT_EQ(SettingsFilePath("/opt/tavrel/"), "/opt/tavrel/tavrel.ini");
}

}  // namespace
