#include "app/demo.h"

#include <filesystem>
#include <ostream>
#include <unistd.h>

#include "app/program.h"
#include "app/view/front_end.h"

namespace app {

namespace fs = std::filesystem;

namespace {
fs::path AssetsFolder() {
    std::error_code ec;
    auto beside = fs::read_symlink("/proc/self/exe", ec).parent_path() / "assets";
    if (!ec && fs::exists(beside / "demo.script")) return beside;
    return fs::path(TAVREL_SOURCE_DIR) / "assets";
}
}  // namespace

int RunDemo(Options options, std::ostream& out, std::ostream& err, FrontEnd* front_end) {
    fs::path assets = AssetsFolder();
    std::error_code ec;
    fs::path folder = fs::temp_directory_path(ec) / ("tavrel-demo-" + std::to_string(::getpid()));
    fs::remove_all(folder, ec);
    fs::create_directories(folder, ec);
    for (const char* name : {"demo.log"})
        if (fs::exists(assets / name)) fs::copy_file(assets / name, folder / name, ec);
    if (ec) {
        err << "tavrel: cannot prepare the demo folder " << folder << ": " << ec.message() << "\n";
        return 2;
    }
    options.script = (assets / "demo.script").string();
    // The demo shows the boxes the host answers, too.
    options.trace = true;
    options.folder = folder.string();
    int status = RunProgram(options, out, err, front_end);
    fs::remove_all(folder, ec);
    return status;
}

}  // namespace app
