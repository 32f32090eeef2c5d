#pragma once

#include <string>

#include "platform/Settings.hpp"

// The settings file's text, an ini file the player may also edit by hand:
//
//     # Tumbleleaf settings
//     [keys]
//     player1.left = J
//     player1.right = L
//     player2.left = A
//     player2.right = D
//     [audio]
//     sound = on                # on or off
//     [window]
//     mode = fullscreen         # fullscreen or windowed
//
// Keys are named as KeyNames names them ("J", "Left", "Num4", "Numpad4", "Space", ...); Escape
// leaves the race, so it steers nothing. Section, setting and value names may be in any letter
// case; blanks around them are ignored. Lines starting with '#' or ';' are comments (only whole
// lines: "J # left" is no key name). A setting left out keeps its default.
class SettingsText {
public:
    // The settings in `text`. What cannot be read keeps its default, and each problem is one
    // line on sf::err(), "<source>:<line number>: <problem>": a line that is neither a section
    // nor "name = value", an unknown section (its lines are skipped) or setting, an unknown key
    // name, a bad value, a setting given again, or a key bound to a second action (the later
    // binding, or one taking another action's default key, is dropped for the default).
    static Settings parse(const std::string& text, const std::string& source);
    // The whole file for `settings`, every setting written out, readable by `parse`.
    static std::string format(const Settings& settings);
};
