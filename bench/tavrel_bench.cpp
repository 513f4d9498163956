// tavrel_bench: times whole games and the program's slow roads, each beside its baseline, and
// writes the table (--results=FILE) with the machine it ran on. Google Benchmark runs and
// reports each measurement; the table is built from the same runs.
//
//   tavrel_bench [--results=FILE] [--realtime-seconds=N] [Google Benchmark flags]
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "bench/bench_games.h"
#include "bench/program_runs.h"
#include "bench/results_table.h"
#include "tests/faults/in_process_game.h"

namespace {

using bench::Fixed;

constexpr int kGameWords = 1000;
constexpr int kLongList = 32767;
constexpr int kLines = 10000;

// The process's peak resident memory, in MiB. Setting the peak back lets each game report its
// own; where the system does not allow it the peak is the whole run's so far.
double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}
bool ResetPeak() {
    return static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5");
}

// What the runs measured, for the table: the fastest of the repetitions of each.
// Values left at their start were not measured (a filter skipped them) and get no row.
struct Measured {
    double idle_peak_mib = 0;
    bench::GameRun game{std::numeric_limits<double>::max()};
    double game_peak_mib = 0;
    bool peaks_reset = true;
    double load_mixed = 1e9, load_plain = 1e9, shuffle_bare = 1e9;
    double lines = 1e9, no_lines = 1e9, reads = 1e9;
    int judged = 0;
    bench::RealTimeRun program_pause, spinning_pause;
    bench::ProgramRun flood, calm;
    bench::ProgramRun answers_flood, answers_bound;  // right answers past the bound, then a stop
    struct Limited {
        std::string what;
        int limit_mib;
        bench::ProgramRun free, limited;
    };
    std::vector<Limited> limited;
};

constexpr int kFloodLines = 100'000;
constexpr int kFloodAnswers = 100'000;

// The large runs that must go as they do without a limit under these address-space limits.
struct LimitedCase {
    const char* name;
    const char* what;
    int limit_mib;
    std::string (*script)(const bench::ScratchFolder&);
};
const LimitedCase kLimitedCases[] = {
    {"answer_1000_words_under_160_MiB", "A 1,000-answer game", 160,
     [](const bench::ScratchFolder& f) { return bench::AnswerEachWord(f, 1000); }},
    {"answers_10000_at_one_moment_under_384_MiB", "10,000 answers at one moment", 384,
     [](const bench::ScratchFolder& f) { return bench::AnswersAtOneMoment(f, 10'000); }},
    {"clicks_1000000_at_one_moment_under_256_MiB", "1,000,000 clicks at one moment", 256,
     [](const bench::ScratchFolder& f) { return bench::ClicksAtOneMoment(f, 1'000'000); }},
    {"clicks_3000000_largest_script_under_768_MiB",
     "The largest script the 64 MiB cap lets in: 3,000,000 clicks at one moment (63 MB)", 768,
     [](const bench::ScratchFolder& f) { return bench::ClicksAtOneMoment(f, 3'000'000); }},
    {"load_20_MB_list_under_768_MiB", "Loading a 20 MB word list", 768,
     [](const bench::ScratchFolder& f) { return bench::LoadBigList(f, 20'000'000); }},
};

void Keep(double& best, double value) {
    best = std::min(best, value);
}

void Register(Measured& m, double realtime_seconds) {
    using benchmark::State;
    auto manual = [](benchmark::internal::Benchmark* b, int iterations) {
        b->UseManualTime()->Iterations(iterations)->Unit(benchmark::kMillisecond);
    };

    manual(benchmark::RegisterBenchmark("program_started_no_list",
                                        [&m](State& state) {
                                            for (auto _ : state) {
                                                bench::ScratchFolder folder;
                                                m.peaks_reset = ResetPeak() && m.peaks_reset;
                                                harness::InProcessGame game({folder.path()});
                                                game.run_until(10);
                                                m.idle_peak_mib = PeakMiB();
                                                state.SetIterationTime(0);
                                            }
                                            state.counters["peak_MiB"] = m.idle_peak_mib;
                                        }),
           1);

    manual(benchmark::RegisterBenchmark("whole_game_1000_words_virtual_time",
                                        [&m](State& state) {
                                            for (auto _ : state) {
                                                bench::ScratchFolder folder;
                                                m.peaks_reset = ResetPeak() && m.peaks_reset;
                                                bench::GameRun run =
                                                    bench::PlayWholeList(folder, kGameWords);
                                                m.game_peak_mib =
                                                    std::max(m.game_peak_mib, PeakMiB());
                                                if (run.wall_seconds < m.game.wall_seconds)
                                                    m.game = run;
                                                state.SetIterationTime(run.wall_seconds);
                                            }
                                            state.counters["virtual_s"] = m.game.virtual_seconds;
                                            state.counters["words_posted"] = m.game.words_posted;
                                            state.counters["right_answers"] = m.game.right_answers;
                                            state.counters["peak_MiB"] = m.game_peak_mib;
                                        }),
           3);

    manual(benchmark::RegisterBenchmark("load_32767_words_mixed",
                                        [&m](State& state) {
                                            for (auto _ : state) {
                                                bench::ScratchFolder folder;
                                                double seconds =
                                                    bench::TimeLoad(folder, kLongList, true);
                                                Keep(m.load_mixed, seconds);
                                                state.SetIterationTime(seconds);
                                            }
                                        }),
           3);
    manual(benchmark::RegisterBenchmark("baseline_load_32767_words_in_file_order",
                                        [&m](State& state) {
                                            for (auto _ : state) {
                                                bench::ScratchFolder folder;
                                                double seconds =
                                                    bench::TimeLoad(folder, kLongList, false);
                                                Keep(m.load_plain, seconds);
                                                state.SetIterationTime(seconds);
                                            }
                                        }),
           3);
    manual(benchmark::RegisterBenchmark("baseline_swaps_32767_words_no_events",
                                        [&m](State& state) {
                                            for (auto _ : state) {
                                                double seconds =
                                                    bench::TimeShuffleWithoutEvents(kLongList);
                                                Keep(m.shuffle_bare, seconds);
                                                state.SetIterationTime(seconds);
                                            }
                                        }),
           3);

    manual(benchmark::RegisterBenchmark("judge_10000_chat_lines",
                                        [&m](State& state) {
                                            for (auto _ : state) {
                                                bench::ScratchFolder folder;
                                                double seconds = bench::TimeJudgedLines(
                                                    folder, kLines, m.judged);
                                                Keep(m.lines, seconds);
                                                state.SetIterationTime(seconds);
                                            }
                                            state.counters["judged"] = m.judged;
                                        }),
           3);
    manual(benchmark::RegisterBenchmark("baseline_same_stretch_no_lines",
                                        [&m](State& state) {
                                            for (auto _ : state) {
                                                bench::ScratchFolder folder;
                                                int judged = 0;
                                                double seconds =
                                                    bench::TimeJudgedLines(folder, 0, judged);
                                                Keep(m.no_lines, seconds);
                                                state.SetIterationTime(seconds);
                                            }
                                        }),
           3);
    manual(benchmark::RegisterBenchmark("baseline_settings_reads_2x10000",
                                        [&m](State& state) {
                                            for (auto _ : state) {
                                                bench::ScratchFolder folder;
                                                double seconds =
                                                    bench::TimeSettingsReads(folder, kLines);
                                                Keep(m.reads, seconds);
                                                state.SetIterationTime(seconds);
                                            }
                                        }),
           3);

    // Runs of the program as a child, once each: `script` writes the script it runs.
    using ScriptOf = std::function<std::string(const bench::ScratchFolder&)>;
    const auto program_run = [&manual](const char* name, ScriptOf script, bench::ProgramRun* run,
                                       bool times) {
        manual(benchmark::RegisterBenchmark(name,
                                            [script, run, times](State& state) {
                                                for (auto _ : state) {
                                                    bench::ScratchFolder folder;
                                                    *run = bench::RunProgram(folder, script(folder),
                                                                             0, times);
                                                    state.SetIterationTime(run->wall_seconds);
                                                }
                                                state.counters["game_s"] = run->game_seconds;
                                                state.counters["peak_MiB"] = run->peak_mib;
                                            }),
               1);
    };
    program_run(
        "flood_100000_lines_at_the_end_of_a_list",
        [](const bench::ScratchFolder& f) { return bench::FloodAtTheEnd(f, kFloodLines); },
        &m.flood, false);
    program_run(
        "baseline_same_game_no_flood",
        [](const bench::ScratchFolder& f) { return bench::FloodAtTheEnd(f, 0); }, &m.calm, false);
    program_run(
        "answers_100000_at_one_moment_then_stop",
        [](const bench::ScratchFolder& f) { return bench::AnswersThenStop(f, kFloodAnswers); },
        &m.answers_flood, true);
    program_run(
        "baseline_answers_1000_at_one_moment_then_stop",
        [](const bench::ScratchFolder& f) { return bench::AnswersThenStop(f, 1000); },
        &m.answers_bound, true);
    for (const LimitedCase& c : kLimitedCases) {
        manual(benchmark::RegisterBenchmark(
                   c.name,
                   [&m, &c](State& state) {
                       for (auto _ : state) {
                           bench::ScratchFolder folder;
                           const std::string script = c.script(folder);
                           Measured::Limited run{c.what, c.limit_mib,
                                                 bench::RunProgram(folder, script, 0),
                                                 bench::RunProgram(folder, script, c.limit_mib)};
                           state.SetIterationTime(run.limited.wall_seconds);
                           state.counters["same_transcript"] =
                               run.free.same_transcript(run.limited);
                           m.limited.push_back(std::move(run));
                       }
                   }),
               1);
    }

    for (auto [name, kind] : {std::pair{"real_time_game_program_pause", bench::PauseKind::Program},
                              {"real_time_game_spinning_pause", bench::PauseKind::Spinning}}) {
        manual(
            benchmark::RegisterBenchmark(
                name,
                [&m, kind = kind, realtime_seconds](State& state) {
                    bench::RealTimeRun run;
                    for (auto _ : state) {
                        bench::ScratchFolder folder;
                        run = bench::PlayRealTime(folder, realtime_seconds, kind);
                        state.SetIterationTime(run.wall_seconds);
                    }
                    (kind == bench::PauseKind::Program ? m.program_pause : m.spinning_pause) = run;
                    state.counters["cpu_s"] = run.cpu_seconds;
                    state.counters["cpu_in_pauses_s"] = run.pauses.cpu_seconds;
                    state.counters["paused_s"] = run.pauses.wall_seconds;
                    state.counters["word_clock_ticks_per_s"] =
                        run.word_clock_seconds > 0 ? run.word_clock_ticks / run.word_clock_seconds
                                                   : 0;
                }),
            1);
    }
}

bench::ResultsTable Table(const Measured& m, double realtime_seconds) {
    bench::ResultsTable table;
    const auto& g = m.game;
    if (g.words_posted > 0) {
        table.add({"Whole 1,000-word game, 3 scripted players, virtual time: wall time",
                   Fixed(g.wall_seconds, 2) + " s, " + Fixed(g.cpu_seconds, 2) +
                       " s of it on the processor (" + std::to_string(g.words_posted) +
                       " words posted, " + std::to_string(g.right_answers) + " right answers)",
                   "the same game on the real clock: " + Fixed(g.virtual_seconds, 0) + " s",
                   Fixed(g.virtual_seconds / g.wall_seconds, 0) + " times faster than real time"});
        table.note(
            "The whole game's wall time beyond its processor time is spent waiting for the disk: "
            "every right answer rewrites the settings file and flushes it to disk before it "
            "takes the old file's place.");
        table.add({"The same game: peak memory (getrusage, ru_maxrss)",
                   Fixed(m.game_peak_mib, 1) + " MiB",
                   "the program started, no list: " + Fixed(m.idle_peak_mib, 1) + " MiB",
                   "+" + Fixed(m.game_peak_mib - m.idle_peak_mib, 1) + " MiB for the game" +
                       (m.peaks_reset ? "" : " (peaks could not be reset: whole-run peaks)")});
    }
    if (m.load_mixed < 1e9 && m.load_plain < 1e9 && m.shuffle_bare < 1e9) {
        const double swaps = 3.0 * kLongList;
        table.note(
            "Events per swap: the time of loading and mixing, less loading alone and less the "
            "bare swaps, shared among the 98,301 swaps.");
        table.add({"Loading and mixing a 32,767-word list (3 passes, events after every swap)",
                   Fixed(m.load_mixed * 1e3, 1) + " ms",
                   "loading in file order: " + Fixed(m.load_plain * 1e3, 1) +
                       " ms; the same 98,301 swaps with no events: " +
                       Fixed(m.shuffle_bare * 1e3, 1) + " ms",
                   Fixed((m.load_mixed - m.load_plain - m.shuffle_bare) / swaps * 1e6, 2) +
                       " µs of events per swap"});
    }
    if (m.lines < 1e9 && m.no_lines < 1e9 && m.reads < 1e9) {
        const double per_line = (m.lines - m.no_lines) / kLines * 1e6;
        const double per_reads = m.reads / kLines * 1e6;
        table.add({"10,000 chat lines judged during a game, settings file read at every line",
                   Fixed(m.lines * 1e3, 1) + " ms (" + std::to_string(m.judged) + " judged)",
                   "the same 30 s of game with no lines: " + Fixed(m.no_lines * 1e3, 1) +
                       " ms; the 20,000 settings reads alone: " + Fixed(m.reads * 1e3, 1) + " ms",
                   Fixed(per_line, 1) + " µs per line, of which " + Fixed(per_reads, 1) +
                       " µs reading the settings (" + Fixed(per_reads / per_line * 100, 0) + "%)"});
    }
    const auto& p = m.program_pause;
    const auto& s = m.spinning_pause;
    if (p.wall_seconds > 0 && s.wall_seconds > 0) {
        table.note(
            "The real-time game is played twice on the real clock: with the program's "
            "pause, which sleeps until the next tick or event, and with a literal spinning "
            "pause (the clock read in a loop with events run), built only for this "
            "comparison. Times in pauses count the outermost pause only.");
        table.add({Fixed(realtime_seconds, 0) +
                       "-second real-time game: processor time while it waits in pauses",
                   Fixed(p.pauses.cpu_seconds, 3) + " s over " + Fixed(p.pauses.wall_seconds, 1) +
                       " s of pauses (whole run " + Fixed(p.cpu_seconds, 3) + " s)",
                   "literal spinning pause: " + Fixed(s.pauses.cpu_seconds, 3) + " s over " +
                       Fixed(s.pauses.wall_seconds, 1) + " s of pauses (whole run " +
                       Fixed(s.cpu_seconds, 3) + " s)",
                   "the spinning pause uses " +
                       Fixed(s.pauses.cpu_seconds / std::max(p.pauses.cpu_seconds, 1e-6), 0) +
                       " times the processor time"});
    }
    if (p.word_clock_seconds > 0) {
        const double ticks = p.word_clock_ticks / p.word_clock_seconds;
        table.add({"The word clock's ticks per real second (the same game, program pause)",
                   Fixed(ticks, 2) + " (" + std::to_string(p.word_clock_ticks) + " ticks)",
                   "the platform's timer: 64", Fixed(ticks / 64 * 100, 1) + "%"});
    }
    if (m.flood.status >= 0 && m.calm.status >= 0) {
        table.add(
            {"A 100,000-line flood at the end of a list, each line judged inside the "
             "pauses of the one before: peak memory of the program (wait4, ru_maxrss)",
             Fixed(m.flood.peak_mib, 1) + " MiB (status " + std::to_string(m.flood.status) + ", " +
                 Fixed(m.flood.wall_seconds, 2) + " s)",
             "the same game without the flood: " + Fixed(m.calm.peak_mib, 1) + " MiB",
             "+" + Fixed(m.flood.peak_mib - m.calm.peak_mib, 1) + " MiB for the flood; " +
                 (m.flood.peak_mib <= 64 ? "within" : "beyond") + " the goal of 64 MiB"});
        table.note(
            "The program's runs (the flood and the limits) are the tavrel program itself, run "
            "from a script as a child of the benchmark.");
    }
    if (m.answers_flood.status >= 0 && m.answers_bound.status >= 0) {
        const auto& f = m.answers_flood;
        const auto& b = m.answers_bound;
        const bool stopped = f.last_line.find("game stopped") != std::string::npos;
        table.add(
            {"100,000 right answers at one moment, each judged inside the last one's "
             "3-second delay, then \"stop game\" 2 s later: game time when the stop is "
             "said",
             Fixed(f.game_seconds, 0) + " s of game time" + (stopped ? "" : " (no stop)") +
                 " (status " + std::to_string(f.status) + ", " + Fixed(f.wall_seconds, 1) +
                 " s of wall time, peak " + Fixed(f.peak_mib, 1) + " MiB)",
             "1,000 answers, one bound's worth: " + Fixed(b.game_seconds, 0) + " s (" +
                 Fixed(b.wall_seconds, 1) + " s, peak " + Fixed(b.peak_mib, 1) + " MiB)",
             Fixed((f.game_seconds - b.game_seconds) / (kFloodAnswers / 1000 - 1), 2) +
                 " s of game time for each further 1,000; " +
                 (f.game_seconds <= 600 ? "within" : "beyond") + " the goal of 600 s"});
        table.note(
            "Past the nesting bound of 1,000 the answers wait and run a bound's worth at a time, "
            "each bound's worth in one 3-second delay; the game time counts from the program's "
            "start, the answers being said at about 6 s.");
    }
    for (const Measured::Limited& l : m.limited) {
        const bool same = l.free.same_transcript(l.limited);
        const std::size_t lines = l.free.lines;
        table.add(
            {l.what + " under an address-space limit of " + std::to_string(l.limit_mib) + " MiB",
             "status " + std::to_string(l.limited.status) + ", " +
                 Fixed(l.limited.wall_seconds, 2) + " s, peak " + Fixed(l.limited.peak_mib, 1) +
                 " MiB",
             "without a limit: status " + std::to_string(l.free.status) + ", " +
                 Fixed(l.free.wall_seconds, 2) + " s, peak " + Fixed(l.free.peak_mib, 1) +
                 " MiB, " + std::to_string(lines) + " lines",
             same ? "the same transcript" : "the transcripts differ"});
    }
    return table;
}

}  // namespace

int main(int argc, char** argv) {
    std::string results;
    double realtime_seconds = 30;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--results=", 0) == 0)
            results = arg.substr(10);
        else if (arg.rfind("--realtime-seconds=", 0) == 0)
            realtime_seconds = std::stod(arg.substr(19));
        else
            rest.push_back(argv[i]);
    }
    int rest_count = static_cast<int>(rest.size());
    benchmark::Initialize(&rest_count, rest.data());
    if (benchmark::ReportUnrecognizedArguments(rest_count, rest.data())) return 2;

    Measured measured;
    Register(measured, realtime_seconds);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const bench::ResultsTable table = Table(measured, realtime_seconds);
    std::fputs(table.markdown().c_str(), stdout);
    if (!results.empty() && !table.write(results)) {
        std::fprintf(stderr, "tavrel_bench: cannot write %s\n", results.c_str());
        return 1;
    }
    return 0;
}
