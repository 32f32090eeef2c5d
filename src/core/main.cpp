#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/CommandLine.hpp"
#include "core/Game.hpp"
#include "platform/AssetFolder.hpp"
#include "platform/RegularFile.hpp"

namespace fs = std::filesystem;

namespace {

// Moves into the folder the game runs from, or says where it looked. Before any window opens:
// without its assets the game could only show a black screen nobody can leave.
bool enterRunFolder(const char* argv0) {
    std::error_code noCwd;
    const fs::path workingDirectory = fs::current_path(noCwd);
    const fs::path executableFolder = AssetFolder::executableFolder(argv0);
    const auto runFolder = AssetFolder::findRunFolder(workingDirectory, executableFolder);
    const fs::path installed = AssetFolder::installedSeenFrom(executableFolder);
    if (!runFolder && fs::is_directory(installed, noCwd)) {
        AssetFolder::useInstalled(installed);
        return true;
    }
    if (!runFolder) {
        std::cerr << "tumbleleaf: cannot find the game's assets; looked in "
                  << AssetFolder::assetsSeenFrom(workingDirectory).lexically_normal() << ", "
                  << AssetFolder::assetsSeenFrom(executableFolder).lexically_normal() << " and "
                  << installed << '\n';
        return false;
    }
    fs::current_path(*runFolder, noCwd);
    return !noCwd;
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine::Result command = CommandLine::parse({argv + 1, argv + argc});
    if (command.outcome == CommandLine::Outcome::ShowHelp) {
        std::cout << CommandLine::usage();
        return 0;
    }
    if (command.outcome == CommandLine::Outcome::Error) {
        std::cerr << "tumbleleaf: " << command.error << '\n';
        return 2;
    }
    LaunchOptions options = command.options;
    if (!options.levelPath.empty()) {
        std::error_code unreadable;
        // The game moves to its own folder below; the map stays where the player named it.
        options.levelPath = fs::absolute(options.levelPath, unreadable).string();
        if (!RegularFile::exists(options.levelPath)) {
            std::cerr << "tumbleleaf: no map file at " << options.levelPath << '\n';
            return 1;
        }
    }
    if (!enterRunFolder(argc > 0 ? argv[0] : nullptr)) {
        return 1;
    }
    Game::instance().run(options);
    return 0;
}
