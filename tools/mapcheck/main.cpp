// tumbleleaf-mapcheck: checks maps made in Tiled against what the game reads, before the game
// has to show them.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "assets/MapChecker.hpp"

namespace {

constexpr const char* kUsage =
    "usage: tumbleleaf-mapcheck [--assets DIR] MAP.tmx...\n"
    "Checks each map against the game's rules and prints one line per problem:\n"
    "  MAP:LINE:COLUMN: error: ...    the game would refuse, show wrongly or leave out something\n"
    "  MAP:LINE:COLUMN: warning: ...  probably not what was meant\n"
    "A map the game reads as meant gets no line at all. Images and fonts named in a map are\n"
    "looked for under DIR, the game's asset folder (default: the folder the map is in, since the\n"
    "game's maps live in its asset folder).\n"
    "Exit status: 0 without errors, 1 when a map has an error, 2 for a wrong command line.\n";

constexpr int kWrongCommandLine = 2;

// A wrong command line gets one line, not the whole usage.
int wrongCommandLine(const std::string& problem) {
    std::cerr << "tumbleleaf-mapcheck: " << problem << " (try --help)\n";
    return kWrongCommandLine;
}

}  // namespace

int main(int argc, char** argv) {
    std::string assetRoot;
    std::vector<std::string> maps;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (argument == "--assets") {
            if (i + 1 == argc) {
                return wrongCommandLine("--assets needs a folder");
            }
            assetRoot = argv[++i];
        } else if (argument.rfind("-", 0) == 0 && argument != "-") {
            return wrongCommandLine("unknown option " + argument);
        } else {
            maps.push_back(argument);
        }
    }
    if (maps.empty()) {
        return wrongCommandLine("no map given");
    }
    bool anyError = false;
    for (const auto& map : maps) {
        const std::string root =
            assetRoot.empty() ? std::filesystem::path(map).parent_path().string() : assetRoot;
        for (const auto& diagnostic : MapChecker(root).checkFile(map)) {
            std::cout << diagnostic.format(map) << '\n';
            anyError = anyError || diagnostic.severity == MapDiagnostic::Severity::Error;
        }
    }
    return anyError ? 1 : 0;
}
