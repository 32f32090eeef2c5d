#include "core/CommandLine.hpp"

#include <cstdio>

namespace {

// The smallest window in which the menus can still be read and clicked.
constexpr unsigned kMinimumSide = 160;
constexpr unsigned kMaximumSide = 16384;

bool parseSize(const std::string& text, sf::Vector2u& size) {
    unsigned width = 0;
    unsigned height = 0;
    char by = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%u%c%u%c", &width, &by, &height, &rest) != 3 ||
        (by != 'x' && by != 'X')) {
        return false;
    }
    if (width < kMinimumSide || height < kMinimumSide || width > kMaximumSide ||
        height > kMaximumSide) {
        return false;
    }
    size = {width, height};
    return true;
}

CommandLine::Result failure(std::string error) {
    CommandLine::Result result;
    result.outcome = CommandLine::Outcome::Error;
    result.error = std::move(error);
    return result;
}

}  // namespace

const char* CommandLine::usage() {
    return "usage: tumbleleaf [--windowed] [--size WxH] [--level MAP.tmx]\n"
           "Two players race down a level on one keyboard (or two gamepads).\n"
           "  --windowed       play in a resizable window (1280x720) instead of covering the "
           "screen\n"
           "  --size WxH       the window's size, for example 1600x900 (implies --windowed)\n"
           "  --level MAP.tmx  race straight away on this map; pictures named in it are read\n"
           "                   from the map's own folder. F5 reloads it during the race.\n"
           "  --help           show this text\n";
}

CommandLine::Result CommandLine::parse(const std::vector<std::string>& arguments) {
    Result result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--help" || argument == "-h") {
            result.outcome = Outcome::ShowHelp;
            return result;
        }
        if (argument == "--windowed") {
            result.options.windowed = true;
        } else if (argument == "--size") {
            if (!hasValue || !parseSize(arguments[++i], result.options.windowSize)) {
                return failure("--size needs a size like 1280x720 (each side 160 to 16384)");
            }
            result.options.windowed = true;
        } else if (argument == "--level") {
            if (!hasValue || arguments[i + 1].empty()) {
                return failure("--level needs the path of a .tmx map");
            }
            result.options.levelPath = arguments[++i];
        } else {
            return failure("unknown option " + argument + " (try --help)");
        }
    }
    return result;
}
