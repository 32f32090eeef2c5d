#pragma once

#include <SFML/System/Vector2.hpp>
#include <string>
#include <vector>

// What the player asked for when starting the game. With no options the game covers the desktop
// with one borderless window and opens on the title menu.
struct LaunchOptions {
    static constexpr unsigned kDefaultWindowWidth = 1280;
    static constexpr unsigned kDefaultWindowHeight = 720;

    // A normal, resizable window with a title bar instead of covering the desktop.
    bool windowed = false;
    sf::Vector2u windowSize{kDefaultWindowWidth, kDefaultWindowHeight};
    // A map to race on straight away instead of the title menu; empty for the menus.
    std::string levelPath;
};

// Reads the game's command line. Anything it does not understand is an error: a typo must not
// start the game in a mode nobody asked for.
class CommandLine {
public:
    enum class Outcome { Run, ShowHelp, Error };

    struct Result {
        Outcome outcome = Outcome::Run;
        LaunchOptions options;
        // One line saying what was wrong, for Outcome::Error.
        std::string error;
    };

    static Result parse(const std::vector<std::string>& arguments);
    static const char* usage();
};
