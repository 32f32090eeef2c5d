#include "platform/SettingsText.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

#include "platform/KeyNames.hpp"

namespace {

// The four steering actions: player n's left is action 2(n-1), its right the one after.
constexpr std::array<const char*, 4> kActions = {"player1.left", "player1.right", "player2.left",
                                                 "player2.right"};

sf::Keyboard::Key& actionKey(Settings& settings, std::size_t action) {
    PlayerKeys& keys = settings.players[action / 2];
    return action % 2 == 0 ? keys.left : keys.right;
}

sf::Keyboard::Key actionKey(const Settings& settings, std::size_t action) {
    const PlayerKeys& keys = settings.players[action / 2];
    return action % 2 == 0 ? keys.left : keys.right;
}

std::string trimmed(const std::string& text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    const auto begin = std::find_if_not(text.begin(), text.end(), blank);
    const auto end = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return begin < end ? std::string(begin, end) : std::string();
}

std::string lowered(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// One reading of the text: the settings so far, the section it is in, and the problems it
// reports on the way.
class Parser {
public:
    explicit Parser(std::string source) : m_source(std::move(source)) {}

    Settings run(const std::string& text) {
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            ++m_lineNumber;
            if (m_lineNumber == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) {
                line.erase(0, 3);  // the byte order mark some editors start a file with
            }
            readLine(trimmed(line));
        }
        resolveKeys();
        return m_settings;
    }

private:
    void readLine(const std::string& line) {
        if (line.empty() || line[0] == '#' || line[0] == ';') {
            return;
        }
        if (line[0] == '[') {
            readSection(line);
            return;
        }
        if (m_skippingSection) {
            return;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            report("expected 'name = value'");
            return;
        }
        const std::string name = lowered(trimmed(line.substr(0, equals)));
        const std::string value = trimmed(line.substr(equals + 1));
        const std::string qualified = m_section + "." + name;
        if (const auto first = m_accepted.find(qualified); first != m_accepted.end()) {
            report("'" + name + "' is set again (first on line " + std::to_string(first->second) +
                   ")");
        } else if (readSetting(name, value)) {
            m_accepted[qualified] = m_lineNumber;
        }
    }

    void readSection(const std::string& line) {
        if (line.back() != ']') {
            report("expected ']' closing the section name");
            m_skippingSection = true;  // its lines would only bring more reports
            return;
        }
        m_section = lowered(trimmed(line.substr(1, line.size() - 2)));
        m_skippingSection = m_section != "keys" && m_section != "audio" && m_section != "window";
        if (m_skippingSection) {
            report("unknown section '" + line + "'");
        }
    }

    // True when the setting is taken.
    bool readSetting(const std::string& name, const std::string& value) {
        if (m_section == "keys") {
            const auto action = std::find(kActions.begin(), kActions.end(), name);
            if (action != kActions.end()) {
                return readKey(static_cast<std::size_t>(action - kActions.begin()), value);
            }
        } else if (m_section == "audio" && name == "sound") {
            return readChoice(name, value,
                              {{"on", [&] { m_settings.sound = true; }},
                               {"off", [&] { m_settings.sound = false; }}});
        } else if (m_section == "window" && name == "mode") {
            auto& mode = m_settings.windowMode;
            return readChoice(name, value,
                              {{"fullscreen", [&] { mode = WindowMode::Fullscreen; }},
                               {"windowed", [&] { mode = WindowMode::Windowed; }}});
        }
        report(m_section.empty() ? "setting '" + name + "' before any [section]"
                                 : "unknown setting '" + name + "' in [" + m_section + "]");
        return false;
    }

    bool readKey(std::size_t action, const std::string& value) {
        const auto key = KeyNames::key(value);
        if (!key) {
            report("unknown key name '" + value + "'");
            return false;
        }
        if (*key == sf::Keyboard::Escape) {
            report("key 'Escape' leaves the race and cannot steer");
            return false;
        }
        m_bindings.push_back({action, *key, m_lineNumber});
        return true;
    }

    using Choices = std::vector<std::pair<std::string, std::function<void()>>>;
    bool readChoice(const std::string& name, const std::string& value, const Choices& choices) {
        const std::string wanted = lowered(value);
        for (const auto& [word, choose] : choices) {
            if (word == wanted) {
                choose();
                return true;
            }
        }
        report("bad value '" + value + "' for " + name + " (" + choices[0].first + " or " +
               choices[1].first + ")");
        return false;
    }

    // No key may steer two actions. The file's bindings are taken in line order; one whose key
    // an earlier binding already has, or that another action keeps by default, is dropped and
    // its action falls back to its own default, which may in turn push out a later binding.
    void resolveKeys() {
        for (const Binding& binding : m_bindings) {
            actionKey(m_settings, binding.action) = binding.key;
        }
        while (const auto clash = firstClash()) {
            Binding& binding = m_bindings[clash->first];
            reportOn(binding.line, "key '" + KeyNames::name(binding.key) +
                                       "' is already bound to " + kActions[clash->second]);
            actionKey(m_settings, binding.action) = actionKey(Settings(), binding.action);
            binding.line = 0;
        }
    }

    // The first binding still in force (line > 0) whose key an action bound before it (or by
    // default) has, with that action.
    std::optional<std::pair<std::size_t, std::size_t>> firstClash() const {
        std::array<int, kActions.size()> boundOnLine{};  // 0: by default
        for (const Binding& binding : m_bindings) {
            boundOnLine[binding.action] = binding.line;
        }
        for (std::size_t index = 0; index < m_bindings.size(); ++index) {
            const Binding& binding = m_bindings[index];
            for (std::size_t other = 0; binding.line > 0 && other < kActions.size(); ++other) {
                if (other != binding.action && boundOnLine[other] < binding.line &&
                    actionKey(m_settings, other) == binding.key) {
                    return std::make_pair(index, other);
                }
            }
        }
        return std::nullopt;
    }

    void report(const std::string& problem) const { reportOn(m_lineNumber, problem); }
    void reportOn(int line, const std::string& problem) const {
        sf::err() << m_source << ':' << line << ": " << problem << std::endl;
    }

    struct Binding {
        std::size_t action;
        sf::Keyboard::Key key;
        int line;
    };

    std::string m_source;
    Settings m_settings;
    int m_lineNumber = 0;
    std::string m_section;
    bool m_skippingSection = false;
    std::map<std::string, int> m_accepted;  // "section.name" to the line that set it
    std::vector<Binding> m_bindings;
};

}  // namespace

Settings SettingsText::parse(const std::string& text, const std::string& source) {
    return Parser(source).run(text);
}

std::string SettingsText::format(const Settings& settings) {
    std::ostringstream text;
    text << "# Tumbleleaf settings. Keys are named like J, Left, Num4 (the row of digits),\n"
            "# Numpad4, Space, LShift or F1; sound is on or off; mode is fullscreen or windowed.\n"
            "[keys]\n";
    for (std::size_t action = 0; action < kActions.size(); ++action) {
        text << kActions[action] << " = " << KeyNames::name(actionKey(settings, action)) << '\n';
    }
    text << "\n[audio]\nsound = " << (settings.sound ? "on" : "off") << '\n'
         << "\n[window]\nmode = "
         << (settings.windowMode == WindowMode::Fullscreen ? "fullscreen" : "windowed") << '\n';
    return text.str();
}
