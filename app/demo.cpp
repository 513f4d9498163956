#include "app/demo.h"

#include <unistd.h>

#include <filesystem>
#include <ostream>

#include "app/program.h"
#include "app/view/front_end.h"
#include "platform/signals/ending_signals.h"

namespace app {

namespace fs = std::filesystem;

namespace {

fs::path AssetsFolder() {
    std::error_code ec;
    auto beside = fs::read_symlink("/proc/self/exe", ec).parent_path() / "assets";
    if (!ec && fs::exists(beside / "demo.script")) return beside;
    return fs::path(TAVREL_SOURCE_DIR) / "assets";
}

// The demo's temporary folder, gone on every way out of the demo: a return, an exception, or a
// signal that ends the program.
class DemoFolder {
  public:
    explicit DemoFolder(fs::path path) : m_path(std::move(path)), m_on_signal(m_path.string()) {}
    ~DemoFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    DemoFolder(const DemoFolder&) = delete;
    DemoFolder& operator=(const DemoFolder&) = delete;

    const fs::path& path() const { return m_path; }

  private:
    fs::path m_path;
    signals::RemovedOnSignal m_on_signal;
};

}  // namespace

int RunDemo(Options options, std::ostream& out, std::ostream& err, FrontEnd* front_end) {
    fs::path assets = AssetsFolder();
    std::error_code ec;
    const DemoFolder folder(fs::temp_directory_path(ec) /
                            ("tavrel-demo-" + std::to_string(::getpid())));
    fs::remove_all(folder.path(), ec);
    fs::create_directories(folder.path(), ec);
    for (const char* name : {"demo.log"})
        if (!ec && fs::exists(assets / name))
            fs::copy_file(assets / name, folder.path() / name, ec);
    if (ec) {
        err << "tavrel: cannot prepare the demo folder " << folder.path() << ": " << ec.message()
            << "\n";
        return 2;
    }
    options.script = (assets / "demo.script").string();
    // The demo shows the boxes the host answers, too.
    options.trace = true;
    options.folder = folder.path().string();
    return RunProgram(options, out, err, front_end);
}

}  // namespace app
