#include "assets/TextPositions.hpp"

#include <algorithm>
#include <cstring>
#include <functional>

TextPositions::TextPositions(const char* text) : m_text(text), m_size(std::strlen(text)) {
    for (std::size_t i = 0; i < m_size; ++i) {
        if (text[i] == '\n') {
            m_lineStarts.push_back(i + 1);
        }
    }
}

TmxPosition TextPositions::of(const char* place) const {
    const std::less<const char*> before;
    if (place == nullptr || before(place, m_text) || before(m_text + m_size, place)) {
        return {};
    }
    const auto offset = static_cast<std::size_t>(place - m_text);
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    const std::size_t lineStart = *(next - 1);
    return {static_cast<int>(next - m_lineStarts.begin()),
            static_cast<int>(offset - lineStart + 1)};
}
