#pragma once

#include <string>
#include <vector>

#include "assets/TmxReader.hpp"

// What a strict XML parser, such as the one Tiled opens maps with, refuses in a text that the
// game's parser reads without complaint: a "&" that begins no reference (the game keeps it as
// written), a "<" in an attribute value, an attribute given twice in one tag (the game reads the
// first), a closing tag that names another element (the game closes whatever is open) and a
// second top-level element. Each is placed at its line and column.
//
// Only for a text that parseTmx read without an XML syntax error: the nesting limit it checks
// first is what keeps the parser's recursion bounded.
std::vector<TmxProblem> findStrictXmlProblems(const std::string& text);

// Where the first element nested deeper than `limit` in a NUL-terminated XML text is named, or
// null. The raw text is scanned, without recursing, so that this can be asked before the text is
// parsed: the XML parser recurses once per level.
const char* findTooDeepElement(const char* text, int limit);
