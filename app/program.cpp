#include "app/program.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/script_driver.h"
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
    std::string script_text;
    if (!ReadFile(options.script, script_text)) {
        err << "tavrel: cannot read the script " << options.script << "\n";
        return 2;
    }
    ParseResult script = ParseScript(script_text);
    if (script.error) {
        err << "tavrel: " << options.script << ": " << *script.error << "\n";
        return 2;
    }

    loop::Options loop_options;
    loop_options.virtual_time = !options.realtime;
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
    ScriptDriver driver(std::move(script.actions), driver_options, out);
    app.set_modal_host(&driver);
    driver.start();
    std::string first = FirstWindow(options);
    loop.post([first] {
        if (forms::App().registered(first)) forms::App().get(first).Show();
    });
    try {
        loop.run();
    } catch (const std::out_of_range& e) {
        err << "tavrel: " << e.what() << "\n";
        return 2;
    }
    out.flush();
    app.set_modal_host(nullptr);
    app.reset();
    if (driver.error()) {
        err << "tavrel: " << options.script << ": " << *driver.error() << "\n";
        return 2;
    }
    return 0;
}

}  // namespace app
