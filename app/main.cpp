// tavrel: hosts word-scramble games in a chat room.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/demo.h"
#include "app/options.h"
#include "app/program.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    app::ParsedOptions parsed = app::ParseOptions(args);
    if (parsed.error) {
        std::cerr << "tavrel: " << *parsed.error << "\n" << app::UsageText();
        return 2;
    }
    app::Options options = parsed.options;
    if (options.help) {
        std::cout << app::UsageText();
        return 0;
    }
    if (options.version) {
        std::cout << "tavrel 1.5\n";
        return 0;
    }
    if (options.demo) return app::RunDemo(options, std::cout, std::cerr);
    if (options.script.empty()) {
        std::cerr << "tavrel: nothing to run here without a script.\n"
                     "  ./run demo                 plays the bundled demo\n"
                     "  tavrel --script FILE       runs a script (see --help)\n";
        return 2;
    }
    return app::RunProgram(options, std::cout, std::cerr);
}
