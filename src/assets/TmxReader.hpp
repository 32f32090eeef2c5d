#pragma once

#include <optional>
#include <string>
#include <vector>

#include "assets/TmxMap.hpp"

// One thing wrong with a map text, phrased for the map's designer.
struct TmxProblem {
    std::string message;
    TmxPosition position;

    // The message followed by " (line L, column C)" when it has a place in the text.
    std::string describe() const;
};

// What reading a map text gave: the map, or why there is none.
struct TmxParseResult {
    std::optional<TmxMap> map;
    // Why the text is not a map we can use; empty exactly when there is a map. Every element
    // that could not be read is listed, not only the first.
    std::vector<TmxProblem> errors;
    // Parts of the map that were left out.
    std::vector<TmxProblem> warnings;
    // With errors, what could still be read: the elements that were readable, and layers whose
    // cells were not, without cells. Never for the game; tools that report every problem
    // of a map go on checking it.
    std::optional<TmxMap> incomplete;

    // The first error as one line, with the number of further errors; empty when there is none.
    std::string error() const;
};

// The whole map file followed by a NUL byte, ready for parseTmx; nothing when the path is no
// regular file, cannot be read or is far larger than any map.
std::optional<std::vector<char>> readMapText(const std::string& path);

// Reads a NUL-terminated map text. The text is parsed in place and so is changed; the records
// hold copies of every string. An object made from a Tiled template ("template" attribute) is
// the template's object with the object's own attributes and properties overriding; the template
// is looked for under mapFolder (ending in '/', or empty for the working directory), where Tiled
// keeps it relative to the map. Never throws.
TmxParseResult parseTmx(char* text, const std::string& mapFolder = "");

// Elements nested deeper than this are refused before the text is parsed: the XML parser
// recurses once per level, and no map needs more than a handful.
constexpr int kMaxMapNesting = 100;

// The tileset a gid is cut from: the last one, in file order, before the first whose firstGid
// lies above gid (with tilesets in ascending order, as Tiled writes them, the one with the
// greatest firstGid not above gid). Null when even the first lies above gid.
const TmxTileset* tilesetOfGid(const TmxMap& map, int gid);
