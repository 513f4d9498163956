#include "app/program.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

#include "app/script_driver.h"
#include "app/view/front_end.h"
#include "common/progress_bar.h"
#include "platform/chatclient/chat_client.h"
#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"

namespace app {

namespace {

std::string ExecutableFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

bool ReadFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

}  // namespace

int RunProgram(const Options& options, std::ostream& out, std::ostream& err) {
    return RunProgram(options, out, err, nullptr);
}

int RunProgram(const Options& options, std::ostream& out, std::ostream& err, FrontEnd* front_end) {
    std::optional<ParseResult> script;
    if (!options.script.empty() || !front_end) {
        std::string script_text;
        if (!ReadFile(options.script, script_text)) {
            err << "tavrel: cannot read the script " << options.script << "\n";
            return 2;
        }
        script = ParseScript(script_text);
        if (script->error) {
            err << "tavrel: " << options.script << ": " << *script->error << "\n";
            return 2;
        }
    }

    loop::Options loop_options;
    // Windows on a screen live in real time; only a headless run, or a script's run whose front
    // end allows it, may jump the clock.
    loop_options.virtual_time =
        !options.realtime && (!front_end || (script && !front_end->real_time()));
    loop_options.tick_ms = options.tick_ms;
    loop_options.clock_start_seconds = options.clock;
    loop_options.seed = options.seed;
    auto& loop = loop::EventLoop::instance();
    loop.reset(loop_options);

    auto& app = forms::App();
    app.reset();
    desktop::Desktop::instance().reset();
    chatclient::ChatClient::instance().reset(chatclient::ParseMode(options.client).value_or(chatclient::Mode::Room),
                                             options.screen_name);
    app.program_folder = options.folder.empty() ? ExecutableFolder() : options.folder;
    RegisterWindows();

    DriverOptions driver_options{options.times, options.trace, app.program_folder};
    std::unique_ptr<ScriptDriver> driver;
    if (script) driver = std::make_unique<ScriptDriver>(std::move(script->actions), driver_options, out);
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
    try {
        loop.run();
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
    if (status != 0) return status;
    if (driver && driver->error()) {
        err << "tavrel: " << options.script << ": " << *driver->error() << "\n";
        return 2;
    }
    return 0;
}

}  // namespace app
