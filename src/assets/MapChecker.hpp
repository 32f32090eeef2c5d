#pragma once

#include <string>
#include <vector>

#include "assets/TmxMap.hpp"

// One problem the map checker found, at its place in the map file.
struct MapDiagnostic {
    enum class Severity { Error, Warning };

    Severity severity;
    TmxPosition position;
    std::string message;

    // "path:line:column: error: message" (or "warning:"), as compilers write them; a problem
    // with the file as a whole is placed at 1:1.
    std::string format(const std::string& path) const;
};

// Tells a level designer everything in a map that the game would refuse, show wrongly or
// silently leave out, in terms of the game's own rules: it reads the map with the game's reader,
// and knows the object types, their properties and the screen names from the factory's tables.
// Errors are what the game gets wrong; warnings what is probably not meant. A valid map gets no
// remark at all. A map with a "Player" object is checked as a race as well.
class MapChecker {
public:
    // Images and fonts named in a map are looked for under assetRoot, as the game looks for
    // them under its asset folder.
    explicit MapChecker(std::string assetRoot);

    std::vector<MapDiagnostic> checkFile(const std::string& path) const;
    // The same for the text of a map; its templates are looked for under assetRoot.
    std::vector<MapDiagnostic> checkText(const std::string& text) const;

private:
    std::string m_assetRoot;
};
