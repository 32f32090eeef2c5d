#include "platform/TextTemplate.hpp"

std::string TextTemplate::fill(const std::string& text, const Values& values) {
    std::string filled = text;
    for (const auto& [name, value] : values) {
        const std::string gap = "{" + name + "}";
        for (auto at = filled.find(gap); at != std::string::npos;
             at = filled.find(gap, at + value.size())) {
            filled.replace(at, gap.size(), value);
        }
    }
    return filled;
}
