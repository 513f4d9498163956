#include "app/program.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <string_view>

#include "app/script_driver.h"
#include "app/script_names.h"
#include "app/view/front_end.h"
#include "common/progress_bar.h"
#include "platform/chatclient/chat_client.h"
#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"
#include "platform/memory/out_of_memory.h"
#include "platform/profile/file_bytes.h"
#include "platform/profile/path_walk.h"

namespace app {

namespace {

std::string ExecutableFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

// Reads the whole script, with the guards of the lists: a regular file or a pipe (read to its
// end, so /dev/stdin and a shell's <(...) work), of at most the lists' 64 MiB. Anything else
// gives the reason why not.
std::optional<std::string> ReadScript(const std::string& path, std::string& out) {
    // A file is held once, at its size; only a pipe's text grows as it comes.
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size <= profile::kMaxFileBytes) out.reserve(size);
    switch (profile::ReadFilePieces(
        path, profile::kMaxFileBytes, [&out](std::string_view piece) { out.append(piece); },
        profile::Readable::kFilesAndPipes)) {
        case profile::ReadOutcome::kRead:
            return std::nullopt;
        case profile::ReadOutcome::kMissing:
            return "it cannot be opened";
        case profile::ReadOutcome::kNotAFile: {
            std::error_code ec;
            if (std::filesystem::is_directory(path, ec)) return "it is a folder";
            return "it is neither a file nor a pipe";
        }
        case profile::ReadOutcome::kTooLarge:
            return "it is larger than 64 MiB";
        case profile::ReadOutcome::kFailed:
            break;
    }
    return "it cannot be read";
}

// The program's folder holds the settings file; one that is not there would silently start
// afresh each time and keep nothing.
std::optional<std::string> CheckFolder(const std::string& folder) {
    if (folder.empty()) return std::nullopt;
    std::error_code ec;
    auto status = std::filesystem::status(folder, ec);
    if (!std::filesystem::exists(status)) return "--folder: no such folder: " + folder;
    if (!std::filesystem::is_directory(status)) return "--folder: not a folder: " + folder;
    // The settings file is neither read nor written through a link that another user may have
    // planted in a shared folder; the program says so rather than keep nothing without a word.
    if (!profile::WalkPath((std::filesystem::path(folder) / "tavrel.ini").string()))
        return "--folder: reached through another user's link in a shared folder: " + folder;
    return std::nullopt;
}

// The local time of day now, in seconds since midnight.
double LocalTimeOfDay() {
    auto now = std::chrono::system_clock::now();
    std::time_t whole = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&whole, &local);
    double fraction =
        std::chrono::duration<double>(now - std::chrono::system_clock::from_time_t(whole)).count();
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

}  // namespace

int RunProgram(const Options& options, std::ostream& out, std::ostream& err) {
    return RunProgram(options, out, err, nullptr);
}

int RunProgram(const Options& options, std::ostream& out, std::ostream& err, FrontEnd* front_end) {
    if (auto why = CheckFolder(options.folder)) {
        err << "tavrel: " << *why << "\n";
        return 2;
    }
    const bool scripted = !options.script.empty() || !front_end;
    std::string script_text;
    if (scripted) {
        const memory::Doing doing("reading the script");
        if (auto why = ReadScript(options.script, script_text)) {
            err << "tavrel: cannot read the script " << options.script << ": " << *why << "\n";
            return 2;
        }
    }

    loop::Options loop_options;
    // Windows on a screen live in real time; only a headless run, or a script's run whose front
    // end allows it, may jump the clock.
    loop_options.virtual_time =
        !options.realtime && (!front_end || (scripted && !front_end->real_time()));
    loop_options.tick_ms = options.tick_ms;
    // In real time the program keeps the local time of day, as its shuffles expect.
    loop_options.clock_start_seconds =
        loop_options.virtual_time || options.clock_given ? options.clock : LocalTimeOfDay();
    loop_options.seed = options.seed;
    auto& loop = loop::EventLoop::instance();
    loop.reset(loop_options);

    auto& app = forms::App();
    app.reset();
    desktop::Desktop::instance().reset();
    chatclient::ChatClient::instance().reset(
        chatclient::ParseMode(options.client).value_or(chatclient::Mode::Room),
        options.screen_name);
    app.program_folder = options.folder.empty() ? ExecutableFolder() : options.folder;
    RegisterWindows();
    std::optional<Script> script;
    if (scripted) {
        // Every line is parsed and its names looked up before the run; each fault is told, in
        // the order of the lines.
        const memory::Doing doing("checking the script");
        const WindowNames known = CatalogueWindows(WindowList());
        script = Script::Read(
            std::move(script_text),
            [&](const std::string& why) {
                err << "tavrel: " + options.script + ": " + why + "\n" << std::flush;
            },
            [&known](const Action& action) { return UnknownName(action, known); });
        if (!script) return 2;
        // Reading the names must leave no trace on the run: it starts afresh.
        loop.reset(loop_options);
        chatclient::ChatClient::instance().reset(
            chatclient::ParseMode(options.client).value_or(chatclient::Mode::Room),
            options.screen_name);
    }

    DriverOptions driver_options{options.times, options.trace, app.program_folder};
    std::unique_ptr<ScriptDriver> driver;
    if (script) driver = std::make_unique<ScriptDriver>(std::move(*script), driver_options, out);
    forms::ModalHost* host = driver.get();
    if (front_end) host = front_end->attach(driver.get());
    app.set_modal_host(host);
    if (driver) driver->start();
    std::string first = FirstWindow(options);
    // The program ends once its last window has unloaded, as the quiz-list editor does at its
    // exit. Checked on the one-second ticks that the windows' own timers already fall on.
    loop::Timer last_window_check([&loop] {
        for (forms::Form* form : forms::App().forms())
            if (form->loaded()) return;
        loop.end_after_round();
    });
    last_window_check.set_interval(1000);
    loop.post([first, &last_window_check] {
        if (!forms::App().registered(first)) return;
        forms::App().get(first).Show();
        last_window_check.set_enabled(true);
    });
    int status = 0;
    const char* out_of_memory = nullptr;
    try {
        const memory::Doing doing(script ? "running the script" : "running the program");
        loop.run();
    } catch (const std::bad_alloc&) {
        // Every line said is out whole and every save is done or undone; what is left is to
        // close the windows and say so.
        out_of_memory = memory::Exhausted() ? memory::Exhausted() : "running the program";
        status = 1;
    } catch (const std::out_of_range& e) {
        err << "tavrel: " << e.what() << "\n";
        status = 2;
    } catch (const ComponentMissing& e) {
        // A window cannot be built without its control: the program cannot start.
        err << "tavrel: " << e.what() << "\n";
        status = 2;
    }
    app.set_modal_host(nullptr);
    if (front_end) front_end->detach();
    out.flush();
    app.reset();
    if (driver) {
        // A program that could not run was never due to take the replies.
        if (status == 0) driver->finish();
        for (const std::string& why : driver->errors())
            err << "tavrel: " << options.script << ": " << why << "\n";
        if (status == 0 && !driver->errors().empty()) status = 2;
    }
    if (out_of_memory) err << "tavrel: out of memory while " << out_of_memory << "\n";
    std::optional<std::error_code> write_error;
    if (driver) write_error = driver->write_error();
    if (!write_error && !out) write_error = std::make_error_code(std::errc::io_error);
    if (write_error) {
        err << "tavrel: cannot write the transcript: " << write_error->message() << "\n";
        if (status == 0) status = 1;
    }
    return status;
}

}  // namespace app
