// The chat-line road: a short game in virtual time with a list and options drawn from the
// input, then lines from any names (markup, NUL bytes, bytes above 127, the host's own name,
// right answers in any case and wrapped in tags) and the host's own clicks at drawn moments.
// Afterwards, and at every result line the program posts, the scores, lists and counters must
// agree with each other.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/scores.h"
#include "common/settings.h"
#include "fuzz/fuzz_support.h"
#include "platform/chatclient/chat_client.h"
#include "platform/loop/loop.h"
#include "platform/text/text.h"
#include "tests/faults/in_process_game.h"

namespace {

constexpr const char* kHost = "host";

// Settings files to start from, with the counters that each holds for right answers and for
// finished lists.
struct StartingSettings {
    std::string_view bytes;  // empty: no file
    double scramble;
    double finished;
};
using namespace std::literals;
constexpr StartingSettings kSettings[] = {
    {""sv, 0, 0},
    {"[tavrel]\r\nscramble=41\r\n[completed]\r\nfinished=2\r\n"sv, 41, 2},
    {"[tavrel]\r\nscramble=abc\r\n[completed]\r\nfinished=\r\n"sv, 0, 0},
    {"[TAVREL]\nScramble = \"1,234\"\n[completed]\nfinished=1e3\n"sv, 1234, 1000},
    {"\xFF\xFE\r\n[tavrel]\r\nscramble=7\0junk\r\n"sv, 7, 0},
};

const char* const kNames[] = {"bob", "Bob",   "bo", "bobby",    "host",     "Host", "a-b",
                              "-",   "x - y", "x",  "\xC4ngel", "\xE4ngel", "",     " spaced "};

std::string Name(FuzzedDataProvider& in) {
    if (in.ConsumeIntegralInRange(0, 3) == 0) return in.ConsumeRandomLengthString(12);
    return kNames[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
}

// A line made from the word in play when it is said: right in several forms, or nearly right.
std::string AnswerLike(int form, const std::string& word) {
    switch (form) {
        case 0:
            return word;
        case 1:
            return text::UCase(word);
        case 2:
            return "<b>" + word + "</b>";
        case 3:
            return "<FONT FACE=Arial>" + text::ProperCase(word) + "</font>";
        case 4:
            return word + " ";
        case 5:
            return text::Trim(word);
        default:
            return word + std::string(1, '\0');
    }
}

// Every entry of a score list reads back as it was written: a name, " - ", a whole score.
void CheckScoreList(const forms::ListBox& list, const char* which) {
    std::vector<std::string> names;
    for (const std::string& entry : list.entries()) {
        const ScoreEntry parsed = ParseScoreEntry(entry);
        fuzz::Check(FormatScoreEntry(parsed.name, parsed.score) == entry,
                    "a score entry reads back as written", entry);
        fuzz::Check(std::isfinite(parsed.score) && parsed.score >= 0 &&
                        parsed.score == std::floor(parsed.score),
                    "a score is a whole number", entry);
        for (const std::string& other : names)
            fuzz::Check(!text::EqualsIgnoreCase(other, parsed.name), which, entry);
        names.push_back(parsed.name);
    }
}

std::string Stored(const std::string& section, const std::string& key) {
    return ReadIni(section, key, SettingsFilePath(fuzz::ScratchFolder()));
}

void CheckBar(const ProgressBarControl& bar, const char* which) {
    const int max = bar.MaxValue;
    const int value = bar.Value;
    fuzz::Check(max >= 1 && value >= 0 && value <= max, which,
                std::to_string(value) + " of " + std::to_string(max));
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string& folder = fuzz::ScratchFolder();
    const std::string settings_path = SettingsFilePath(folder);
    std::filesystem::remove(settings_path);

    const StartingSettings& start =
        kSettings[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kSettings) - 1)];
    if (!start.bytes.empty())
        std::ofstream(settings_path, std::ios::binary)
            .write(start.bytes.data(), std::streamsize(start.bytes.size()));
    const std::string scramble_before = Stored("tavrel", "scramble");
    const std::string finished_before = Stored("completed", "finished");

    std::vector<std::string> words(in.ConsumeIntegralInRange(1, 8));
    for (std::string& word : words) {
        word = in.ConsumeRandomLengthString(16);
        // A word holding a NUL byte is never taken off the list (the list box's search sees
        // the text only up to the NUL), so the game would post it for ever: kept out here.
        word.erase(std::remove(word.begin(), word.end(), '\0'), word.end());
    }
    harness::WriteWordList(folder + "/words.log", words);

    harness::GameSetup setup{folder, true, in.ConsumeIntegral<std::uint64_t>(), kHost};
    harness::InProcessGame game(setup);
    game.yes_no_reply = in.ConsumeBool() ? forms::vbYes : forms::vbNo;
    Form4& f = game.main();

    // Options, chosen before the game starts.
    forms::MenuItem* const points[] = {&f.oNemenu, &f.tHreemenu, &f.fivemenu, &f.wordmenu,
                                       &f.descendmenu};
    forms::MenuItem* const limits[] = {&f.fivesec, &f.tensec, &f.fifteenmenu, &f.twentYmenu,
                                       &f.twentyFivemenu};
    forms::MenuItem* const delays[] = {&f.scrollDElay2, &f.scrollDElay3, &f.scrollDELay8,
                                       &f.scrollDELay12};
    forms::MenuItem* const hints[] = {&f.hintsmenU, &f.rehint, &f.dontscroll};
    forms::MenuItem* const cases[] = {&f.capitalletter, &f.capAll, &f.lowAll};
    std::vector<forms::MenuItem*> options = {points[in.ConsumeIntegralInRange<std::size_t>(0, 4)],
                                             limits[in.ConsumeIntegralInRange<std::size_t>(0, 4)],
                                             delays[in.ConsumeIntegralInRange<std::size_t>(0, 3)],
                                             hints[in.ConsumeIntegralInRange<std::size_t>(0, 2)],
                                             cases[in.ConsumeIntegralInRange<std::size_t>(0, 2)]};
    game.at(4.5, [options] {
        for (forms::MenuItem* item : options) harness::InProcessGame::choose(*item);
    });
    game.load_and_start_at(5, "words.log", in.ConsumeBool());

    // TAVREL_FUZZ_SHOW=1 prints the timeline, for looking at a seed or a crash.
    static const bool show = std::getenv("TAVREL_FUZZ_SHOW") != nullptr;
    auto note = [](const std::string& what) {
        if (show)
            std::fprintf(stderr, "[%.2f] %s\n",
                         static_cast<double>(loop::EventLoop::instance().now()) / 1e6,
                         text::EscapeBytes(what).c_str());
    };

    if (show) {
        auto judge = f.Chat1.ChatLine;
        f.Chat1.ChatLine = [judge, note](std::string& name, std::string& line) {
            note("* judged " + name + ": " + line);
            judge(name, line);
        };
    }

    // The program's own lines, told from the ones said here.
    bool saying = false;
    int result_lines = 0;
    int end_lines = 0;
    // "start game" pressed on the used-up list while the last answer still waits out its delay
    // clears the end-of-list mark, and the waiting answer then announces the end once more.
    bool started_on_used_up_list = false;
    // With the room closed the closing lines are lost, but the finished list still counts.
    bool room_closed = false;
    auto& client = chatclient::ChatClient::instance();
    const int listener = client.add_listener([&](const chatclient::Line& line) {
        note(line.name + ": " + line.text);
        if (saying || line.name != kHost) return;
        if (line.text.find("> end of log <") != std::string::npos) ++end_lines;
        if (!StartsWith(line.text, "<FONT FACE=Arial><b>[ ") ||
            StartsWith(line.text, "<FONT FACE=Arial><b>[ </b>tavrel: "))
            return;
        ++result_lines;
        // The scorer's entry is the last of the scoreboard, and the line shows its total. The
        // room cuts a line at a NUL byte, as the chat window's text is a C string, so a name
        // that holds one leaves only the start of the line.
        fuzz::Check(f.List2.ListCount() >= 1, "a result line follows a score");
        const ScoreEntry scorer = ParseScoreEntry(f.List2.List(f.List2.ListCount() - 1));
        const std::string opening = "<FONT FACE=Arial><b>[ " + scorer.name + "</b> in<b> ";
        const std::size_t nul = opening.find('\0');
        if (nul != std::string::npos) {
            fuzz::Check(line.text == opening.substr(0, nul), "a result line names the scorer",
                        line.text);
            return;
        }
        fuzz::Check(StartsWith(line.text, opening), "a result line names the scorer", line.text);
        // Unless another player's name is this one followed by " - ": the entry form cannot
        // tell those two apart when the scorer's entry is looked up by its beginning.
        const bool ambiguous = std::any_of(
            f.List2.entries().begin(), f.List2.entries().end(), [&](const std::string& e) {
                return text::StartsWithIgnoreCase(e, scorer.name + " - ") &&
                       !text::EqualsIgnoreCase(ParseScoreEntry(e).name, scorer.name);
            });
        const std::string ending =
            "score:<b>" + text::ThousandsWhole(scorer.score) + " ]</B></font>";
        if (!ambiguous)
            fuzz::Check(
                line.text.size() >= ending.size() &&
                    line.text.compare(line.text.size() - ending.size(), ending.size(), ending) == 0,
                "a result line shows the scorer's total", line.text);
    });

    double when = 5.5;
    const int events = in.ConsumeIntegralInRange(0, 40);
    for (int i = 0; i < events && in.remaining_bytes() > 0; ++i) {
        when += in.ConsumeIntegralInRange(0, 250) * 0.02;
        const int kind = in.ConsumeIntegralInRange(0, 19);
        if (kind < 8) {
            std::string name = Name(in);
            const int form = in.ConsumeIntegralInRange(0, 6);
            game.at(when, [&, name, form] {
                saying = true;
                client.say(name, AnswerLike(form, f.Text1.Text()));
                saying = false;
            });
        } else if (kind < 13) {
            std::string name = Name(in);
            std::string line = in.ConsumeRandomLengthString(24);
            game.at(when, [&, name, line] {
                saying = true;
                client.say(name, line);
                saying = false;
            });
        } else {
            game.at(when, [&, kind] {
                using harness::InProcessGame;
                note("* host action " + std::to_string(kind));
                switch (kind) {
                    case 13:
                        InProcessGame::click(f.Command4);
                        break;
                    case 14:
                        if (end_lines > 0 && f.List1.ListCount() == 0)
                            started_on_used_up_list = true;
                        InProcessGame::click(f.Command1);
                        break;
                    case 15:
                        InProcessGame::click(f.Command8);
                        break;
                    case 16:
                        InProcessGame::click(f.Command3);
                        break;
                    case 17:
                        client.close_room();
                        room_closed = true;
                        break;
                    case 18:
                        client.open_room();
                        break;
                    default:
                        InProcessGame::choose(f.winner);
                        break;
                }
            });
        }
    }
    game.run_until(when + 40);
    client.remove_listener(listener);

    if (show) {
        std::fprintf(stderr, "-- %d result lines, %d ends, %zu of %s words left\n", result_lines,
                     end_lines, static_cast<std::size_t>(f.List1.ListCount()),
                     f.Label6.Caption().c_str());
    }

    CheckScoreList(f.List2, "one scoreboard entry per player");
    CheckScoreList(f.perceNt, "one answer count per player");
    // Each right answer adds one answer time, one typing speed and one to its player's count;
    // its result line is lost only when the room was closed before the program could post it.
    const int right_answers = f.List3.ListCount();
    double counted = 0;
    for (const std::string& entry : f.perceNt.entries()) counted += ParseScoreEntry(entry).score;
    fuzz::Check(counted == right_answers && f.List4.ListCount() == right_answers,
                "every right answer is counted once in each list",
                std::to_string(counted) + " counted, " + std::to_string(right_answers) + " timed");
    fuzz::Check(
        result_lines == right_answers || (room_closed && result_lines < right_answers),
        "every right answer posts its result line",
        std::to_string(result_lines) + " posted, " + std::to_string(right_answers) + " timed");
    fuzz::Check(f.List1.ListCount() <= text::Val(f.Label6.Caption()),
                "no more words left than were loaded");
    CheckBar(f.ProgressBar1, "the list's bar stays within its range");
    CheckBar(f.ProgressBar2, "the word's bar stays within its range");

    // A counter is rewritten as plain digits, one higher for each right answer and for the end
    // of the list; one that was never rewritten is as it was.
    fuzz::Check(
        Stored("tavrel", "scramble") ==
            (right_answers ? text::Decimal(start.scramble + right_answers) : scramble_before),
        "right answers are counted once each", Stored("tavrel", "scramble"));
    const std::string finished = Stored("completed", "finished");
    if (end_lines || !room_closed)
        fuzz::Check(finished == (end_lines ? text::Decimal(start.finished + 1) : finished_before),
                    "a finished list is counted once", finished);
    else
        fuzz::Check(finished == finished_before || finished == text::Decimal(start.finished + 1),
                    "a list finished with the room closed is counted at most once", finished);
    fuzz::Check(end_lines <= 1 || started_on_used_up_list, "the end of the list is announced once");
    return 0;
}
