#include "bench/bench_games.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <utility>

#include "common/settings.h"
#include "platform/chatclient/chat_client.h"
#include "platform/loop/loop.h"
#include "tests/faults/in_process_game.h"

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Now() {
    return static_cast<double>(loop::EventLoop::instance().now()) / 1e6;
}

// The line that posts the word in play: its scrambled form, framed.
bool IsWordLine(const chatclient::Line& line, const Form4& f) {
    return line.name == "host" &&
           line.text == "<FONT FACE=Arial><b>[</b> " + f.Text2.Text() + "<b> ]</b></font>";
}

// A chat-client listener for as long as it lives.
class Listening {
  public:
    explicit Listening(chatclient::ChatClient::Listener listener)
        : m_id(chatclient::ChatClient::instance().add_listener(std::move(listener))) {}
    ~Listening() { chatclient::ChatClient::instance().remove_listener(m_id); }
    Listening(const Listening&) = delete;
    Listening& operator=(const Listening&) = delete;

  private:
    int m_id;
};

// The settings of a host who has played for a while.
void WriteSettings(const ScratchFolder& folder) {
    std::ofstream(SettingsFilePath(folder.path()), std::ios::binary)
        << "[theuser]\r\nuser=host\r\n[timesloaded]\r\ntimes=12\r\n[tavrel]\r\nscramble=4021\r\n"
           "[completed]\r\nfinished=37\r\n[thewinner]\r\nwinner= <b>bob</b> with <b>41</b> "
           "points <b>]</b>\r\n";
}

void WriteList(const ScratchFolder& folder, int words) {
    if (!harness::WriteWordList(folder.file("words.log"), MakeWords(words)))
        throw std::runtime_error("cannot write the word list in " + folder.path());
}

}  // namespace

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrel-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make " + pattern);
    m_path = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::vector<std::string> MakeWords(int count) {
    std::mt19937 random(15);
    std::vector<std::string> words;
    words.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string word;
        const int letters = 3 + static_cast<int>(random() % 10);
        for (int k = 0; k < letters; ++k) word += static_cast<char>('a' + random() % 26);
        words.push_back(word + std::to_string(i));  // distinct, so each answer is one word's
    }
    return words;
}

GameRun PlayWholeList(const ScratchFolder& folder, int words) {
    WriteList(folder, words);
    std::filesystem::remove(folder.file("tavrel.ini"));
    const auto start = Clock::now();
    const double processor_start = ProcessorSeconds();
    GameRun run;
    {
        harness::InProcessGame game({folder.path()});
        auto& client = chatclient::ChatClient::instance();
        Listening players([&](const chatclient::Line& line) {
            if (line.name == "host" && line.text.find("point(s)") != std::string::npos)
                ++run.right_answers;
            if (line.text.find("answering<b>") != std::string::npos)
                game.at(Now() + 1, [] { loop::EventLoop::instance().end(); });
            // A word that timed out gets a groan once the next one is readied; after the last
            // word that line is the one that finishes the list.
            if (line.name == "host" && line.text.find("word skipped") != std::string::npos)
                game.at(Now() + 4, [&client] { client.say("ann", "too hard"); });
            if (!IsWordLine(line, game.main())) return;
            const int word = run.words_posted++;
            game.at(Now() + 0.5, [&client] { client.say("ann", "is it this?"); });
            if (word % 10 == 9) return;  // nobody knows this one
            const bool carol = word % 5 == 0;
            game.at(Now() + (carol ? 0.8 : 1.0), [&game, &client, carol] {
                client.say(carol ? "carol" : "bob", game.main().Text1.Text());
            });
        });
        game.load_and_start_at(5, "words.log");
        game.run_until(1e6);
        run.virtual_seconds = Now();
    }
    run.wall_seconds = SecondsSince(start);
    run.cpu_seconds = ProcessorSeconds() - processor_start;
    return run;
}

double TimeLoad(const ScratchFolder& folder, int words, bool mixed) {
    WriteList(folder, words);
    harness::InProcessGame game({folder.path()});
    double seconds = 0;
    game.at(5, [&] {
        Form4& f = game.main();
        if (f.mixlog.Checked != mixed) harness::InProcessGame::choose(f.mixlog);
        game.file_choice = "words.log";
        const auto start = Clock::now();
        harness::InProcessGame::click(f.Command5);
        seconds = SecondsSince(start);
        if (f.List1.ListCount() != words) throw std::runtime_error("the list did not load whole");
    });
    game.run_until(5.5);
    return seconds;
}

double TimeShuffleWithoutEvents(int words) {
    std::vector<std::string> list = MakeWords(words);
    std::mt19937 random(15);
    const auto start = Clock::now();
    for (int pass = 0; pass < 3; ++pass)
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::size_t partner = 1 + random() % (list.size() - 1);
            std::swap(list[i], list[partner]);
        }
    return SecondsSince(start);
}

double TimeJudgedLines(const ScratchFolder& folder, int lines, int& judged) {
    WriteList(folder, 2);
    WriteSettings(folder);
    harness::InProcessGame game({folder.path()});
    Form4& f = game.main();
    judged = 0;
    auto judge = f.Chat1.ChatLine;
    f.Chat1.ChatLine = [&judged, judge](std::string& name, std::string& text) {
        ++judged;
        judge(name, text);
    };
    // The longest time limit: the word stays in play for 39 s after it is posted at 6 s.
    game.at(4.5, [&f] { harness::InProcessGame::choose(f.twentyFivemenu); });
    game.load_and_start_at(5, "words.log");
    const double first = 7, spacing = 0.003, last = first + 10000 * spacing;
    Clock::time_point start;
    double seconds = 0;
    game.at(first - 0.0005, [&start] { start = Clock::now(); });
    for (int i = 0; i < lines; ++i)
        game.say_at(first + i * spacing, i % 2 ? "bob" : "ann",
                    "not the word " + std::to_string(i));
    game.at(last + 0.0015, [&] { seconds = SecondsSince(start); });
    game.run_until(last + 0.002);
    return seconds;
}

double TimeSettingsReads(const ScratchFolder& folder, int reads) {
    WriteSettings(folder);
    const std::string file = SettingsFilePath(folder.path());
    const auto start = Clock::now();
    std::size_t length = 0;
    for (int i = 0; i < reads; ++i) {
        length += ReadIni("tavrel", "scramble", file).size();
        length += ReadIni("completed", "finished", file).size();
    }
    const double seconds = SecondsSince(start);
    if (length == 0) throw std::runtime_error("the settings file holds no counters");
    return seconds;
}

RealTimeRun PlayRealTime(const ScratchFolder& folder, double seconds, PauseKind pause) {
    WriteList(folder, 40);
    UsePause(pause);
    TakePauseTimes();
    RealTimeRun run;
    const double processor_start = ProcessorSeconds();
    const auto start = Clock::now();
    {
        harness::InProcessGame game({folder.path(), false});
        Form4& f = game.main();
        auto tick = f.Timer1.Tick;
        Clock::time_point last_tick;
        f.Timer1.Tick = [&, tick] {
            const auto now = Clock::now();
            const double gap = std::chrono::duration<double>(now - last_tick).count();
            // The word clock runs in stretches; a gap longer than a few ticks starts a new one,
            // and only the ticks that end a gap within a stretch count.
            if (last_tick != Clock::time_point{} && gap < 0.1) {
                run.word_clock_seconds += gap;
                ++run.word_clock_ticks;
            }
            last_tick = now;
            tick();
        };
        auto& client = chatclient::ChatClient::instance();
        Listening player([&](const chatclient::Line& line) {
            if (std::getenv("TAVREL_BENCH_SHOW"))
                std::fprintf(stderr, "[%.3f] %s: %s\n", Now(), line.name.c_str(),
                             line.text.c_str());
            if (line.name == "host" && line.text.find("point(s)") != std::string::npos)
                ++run.right_answers;
            if (IsWordLine(line, f))
                game.at(Now() + 1,
                        [&game, &client] { client.say("bob", game.main().Text1.Text()); });
        });
        game.load_and_start_at(5, "words.log");
        game.run_until(seconds);
    }
    run.wall_seconds = SecondsSince(start);
    run.cpu_seconds = ProcessorSeconds() - processor_start;
    run.pauses = TakePauseTimes();
    UsePause(PauseKind::Program);
    return run;
}

}  // namespace bench
