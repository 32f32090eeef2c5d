#include "platform/TextTemplate.hpp"

#include <algorithm>

// One pass from left to right, so that a value put in (a map's error message, say) is never
// read for gaps of its own.
std::string TextTemplate::fill(const std::string& text, const Values& values) {
    std::string filled;
    std::size_t done = 0;
    for (auto open = text.find('{'); open != std::string::npos; open = text.find('{', done)) {
        const auto close = text.find('}', open);
        if (close == std::string::npos) {
            break;
        }
        const std::string name = text.substr(open + 1, close - open - 1);
        const auto value = std::find_if(values.begin(), values.end(),
                                        [&name](const auto& entry) { return entry.first == name; });
        filled += text.substr(done, open - done);
        if (value == values.end()) {
            filled += '{';  // not a gap of ours: kept, and what follows is read on
            done = open + 1;
        } else {
            filled += value->second;
            done = close + 1;
        }
    }
    return filled + text.substr(done);
}
