#pragma once

// The names of the actions that are not a racer's steering: what the menus and the pause answer
// to. Game binds them to keys in set 0; InputManager also maps each to a control of any pad.
struct ActionNames {
    static constexpr const char* kMenuUp = "MenuUp";
    static constexpr const char* kMenuDown = "MenuDown";
    static constexpr const char* kMenuLeft = "MenuLeft";
    static constexpr const char* kMenuRight = "MenuRight";
    static constexpr const char* kMenuPress = "MenuPress";
    static constexpr const char* kMenuBack = "MenuBack";
    static constexpr const char* kPause = "Pause";
};
