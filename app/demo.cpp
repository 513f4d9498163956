#include "app/demo.h"

#include <filesystem>
#include <optional>
#include <ostream>

#include "app/program.h"
#include "app/view/front_end.h"
#include "platform/profile/path_walk.h"
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

// The demo's temporary folder: a fresh one of the user's alone, with a name nobody can guess
// beforehand, gone on every way out of the demo: a return, an exception, a lost display, or a
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
    const fs::path temporary = fs::temp_directory_path(ec);
    std::optional<DemoFolder> folder;
    {
        // A signal between the making and the handing over would leave the folder behind.
        const signals::HeldSignals held;
        const auto made = ec ? std::nullopt : profile::MakeOwnFolder(temporary, "tavrel-demo-");
        if (made) folder.emplace(*made);
    }
    if (!folder) {
        err << "tavrel: cannot make the demo's folder in " << temporary << "\n";
        return 2;
    }
    for (const char* name : {"demo.log"})
        if (!ec && fs::exists(assets / name))
            fs::copy_file(assets / name, folder->path() / name, ec);
    if (ec) {
        err << "tavrel: cannot prepare the demo folder " << folder->path() << ": " << ec.message()
            << "\n";
        return 2;
    }
    options.script = (assets / "demo.script").string();
    // The demo shows the boxes the host answers, too.
    options.trace = true;
    options.folder = folder->path().string();
    return RunProgram(options, out, err, front_end);
}

}  // namespace app
