#include "platform/KeyNames.hpp"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

// Indexed by key code, in the order of sf::Keyboard::Key.
constexpr std::array<const char*, sf::Keyboard::KeyCount> kNames = {
    "A",       "B",       "C",        "D",         "E",         "F",        "G",
    "H",       "I",       "J",        "K",         "L",         "M",        "N",
    "O",       "P",       "Q",        "R",         "S",         "T",        "U",
    "V",       "W",       "X",        "Y",         "Z",         "Num0",     "Num1",
    "Num2",    "Num3",    "Num4",     "Num5",      "Num6",      "Num7",     "Num8",
    "Num9",    "Escape",  "LControl", "LShift",    "LAlt",      "LSystem",  "RControl",
    "RShift",  "RAlt",    "RSystem",  "Menu",      "LBracket",  "RBracket", "Semicolon",
    "Comma",   "Period",  "Quote",    "Slash",     "Backslash", "Tilde",    "Equal",
    "Hyphen",  "Space",   "Enter",    "Backspace", "Tab",       "PageUp",   "PageDown",
    "End",     "Home",    "Insert",   "Delete",    "Add",       "Subtract", "Multiply",
    "Divide",  "Left",    "Right",    "Up",        "Down",      "Numpad0",  "Numpad1",
    "Numpad2", "Numpad3", "Numpad4",  "Numpad5",   "Numpad6",   "Numpad7",  "Numpad8",
    "Numpad9", "F1",      "F2",       "F3",        "F4",        "F5",       "F6",
    "F7",      "F8",      "F9",       "F10",       "F11",       "F12",      "F13",
    "F14",     "F15",     "Pause"};
static_assert(kNames.back() != nullptr, "one name for every key");

bool sameIgnoringCase(const std::string& a, const char* b) {
    const std::string other(b);
    return std::equal(a.begin(), a.end(), other.begin(), other.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::string KeyNames::name(sf::Keyboard::Key key) {
    if (key < 0 || key >= sf::Keyboard::KeyCount) {
        return "Unknown";
    }
    return kNames[static_cast<std::size_t>(key)];
}

std::optional<sf::Keyboard::Key> KeyNames::key(const std::string& name) {
    const auto found = std::find_if(kNames.begin(), kNames.end(), [&](const char* known) {
        return sameIgnoringCase(name, known);
    });
    if (found == kNames.end()) {
        return std::nullopt;
    }
    return static_cast<sf::Keyboard::Key>(found - kNames.begin());
}
