#pragma once
// A fresh program folder for each fault test, and the short game that most of them play in it:
// two words (cat, dog) in file order, bob answers the first and ann the second as each is
// posted, and the list's end follows.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/faults/in_process_game.h"
#include "tests/profile/temp_folder.h"

namespace faults {

class FaultTest : public profile_test::TempFolderTest {
  protected:
    // Plays the two-word game in the folder; gives the room's lines as "name: text".
    std::vector<std::string> PlayTwoWords() {
        EXPECT_TRUE(harness::WriteWordList(PathOf("words.log"), {"cat", "dog"}));
        harness::InProcessGame game({m_folder.string()});
        game.load_and_start_at(5, "words.log");
        // Each word goes out one second after it is readied; the answers follow it.
        game.say_at(6.5, "bob", "cat");
        game.say_at(10.5, "ann", "dog");
        game.run_until(20);
        std::vector<std::string> lines;
        for (const auto& line : game.transcript()) lines.push_back(line.name + ": " + line.text);
        return lines;
    }

    static bool Holds(const std::vector<std::string>& lines, const std::string& part) {
        for (const std::string& line : lines)
            if (line.find(part) != std::string::npos) return true;
        return false;
    }

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

}  // namespace faults
