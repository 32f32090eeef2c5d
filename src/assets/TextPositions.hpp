#pragma once

#include <cstddef>
#include <vector>

#include "assets/TmxMap.hpp"

// Line and column of any place in a text, counted in the text as it was before parsing:
// RapidXML writes NULs over the text it parses, among them over the line break after an element
// name, so the line starts are taken first.
class TextPositions {
public:
    explicit TextPositions(const char* text);

    // No position for a place outside the text.
    TmxPosition of(const char* place) const;

private:
    const char* m_text;
    std::size_t m_size;
    std::vector<std::size_t> m_lineStarts{0};
};
