#include "bench/program_runs.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace bench {

namespace {

// The program is built beside the benchmark.
std::string ProgramPath() {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "tavrel").string();
}

std::string Write(const ScratchFolder& folder, const std::string& name, const std::string& bytes) {
    std::ofstream(folder.file(name), std::ios::binary) << bytes;
    return folder.file(name);
}

std::string WordList(int words) {
    std::string list;
    for (int i = 1; i <= words; ++i) list += "w" + std::to_string(i) + "\r\r\n";
    return list;
}

std::string Greeted() {
    return "answer host\nawait completed logs\n";
}

std::string StartInFileOrder(const std::string& list) {
    return Greeted() + "menu Form4.mixlog\nclick Form4.Command5\nchoose " + list +
           "\nclick Form4.Command1\n";
}

}  // namespace

ProgramRun RunProgram(const ScratchFolder& folder, const std::string& script, int limit_mib,
                      bool times) {
    ProgramRun run;
    const std::string program = ProgramPath();
    const std::string out = folder.file(".transcript");
    std::filesystem::remove(folder.file("tavrel.ini"));
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) return run;
    if (child == 0) {
        if (limit_mib > 0) {
            const rlim_t bytes = static_cast<rlim_t>(limit_mib) << 20;
            const rlimit limit{bytes, bytes};
            setrlimit(RLIMIT_AS, &limit);
        }
        const int to = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int null = open("/dev/null", O_WRONLY);
        dup2(to, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(program.c_str(), program.c_str(), "--script", script.c_str(), "--folder",
              folder.path().c_str(), times ? "--times" : static_cast<char*>(nullptr),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int raw = 0;
    rusage usage{};
    wait4(child, &raw, 0, &usage);
    run.wall_seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.peak_mib = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::ifstream in(out, std::ios::binary);
    std::uint64_t hash = 14695981039346656037ULL;
    std::string line;
    for (char c; in.get(c);) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        ++run.transcript_bytes;
        if (c != '\n') {
            line += c;
            continue;
        }
        ++run.lines;
        run.last_line = std::move(line);
        line.clear();
    }
    run.transcript_hash = hash;
    if (times && run.last_line.rfind('[', 0) == 0)
        run.game_seconds = std::stod(run.last_line.substr(1));
    return run;
}

std::string AnswerEachWord(const ScratchFolder& folder, int words) {
    Write(folder, "each.log", WordList(words));
    std::string script = StartInFileOrder("each.log");
    for (int i = 1; i <= words; ++i)
        script += "await tavrel log\nwait 1\nsay alice: w" + std::to_string(i) + "\n";
    return Write(folder, "each.script", script + "wait 5\n");
}

std::string AnswersAtOneMoment(const ScratchFolder& folder, int words) {
    Write(folder, "moment.log", WordList(words));
    std::string script = StartInFileOrder("moment.log") + "await tavrel log\nwait 1\n";
    for (int i = 1; i <= words; ++i) script += "say alice: w" + std::to_string(i) + "\n";
    return Write(folder, "moment.script", script + "wait 60\n");
}

std::string AnswersThenStop(const ScratchFolder& folder, int answers) {
    Write(folder, "stop.log", WordList(answers + 10));
    std::string script = StartInFileOrder("stop.log") + "await tavrel log\nwait 1\n";
    for (int i = 1; i <= answers; ++i) script += "say alice: w" + std::to_string(i) + "\n";
    return Write(folder, "stop.script",
                 script + "wait 2\nclick Form4.Command4\nawait game stopped\nwait 1\n");
}

std::string FloodAtTheEnd(const ScratchFolder& folder, int lines) {
    Write(folder, "three.log", WordList(3));
    std::string script = StartInFileOrder("three.log");
    for (int i = 1; i <= 3; ++i)
        script += "await tavrel log\nwait 1\nsay alice: w" + std::to_string(i) + "\n";
    for (int i = 0; i < lines; ++i) script += "say p" + std::to_string(i) + ": x\n";
    return Write(folder, "flood.script", script + "wait 60\n");
}

std::string ClicksAtOneMoment(const ScratchFolder& folder, int clicks) {
    std::string script = Greeted() + "menu Form4.nolog\ntype Form7.Text1 pear\n";
    script.reserve(script.size() + static_cast<std::size_t>(clicks) * 21);
    for (int i = 0; i < clicks; ++i) script += "click Form7.Command1\n";
    return Write(folder, "clicks.script", script + "wait 5\n");
}

std::string LoadBigList(const ScratchFolder& folder, int bytes) {
    std::string list;
    list.reserve(static_cast<std::size_t>(bytes) + 32);
    for (int i = 0; static_cast<int>(list.size()) < bytes; ++i)
        list += "word" + std::to_string(10'000'000 + i) + "\r\r\n";
    Write(folder, "big.log", list);
    return Write(folder, "big.script",
                 Greeted() + "click Form4.Command5\nchoose big.log\nwait 5\n");
}

}  // namespace bench
