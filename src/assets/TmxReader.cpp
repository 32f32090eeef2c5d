#include "assets/TmxReader.hpp"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <rapidxml.hpp>

namespace {

using Node = rapidxml::xml_node<>;

// Limits that keep every tile position, texture rectangle and cell count well inside an int.
constexpr int kMaxTileSize = 4096;
constexpr int kMaxCellsPerSide = 65536;
constexpr long long kMaxCells = 16LL * 1024 * 1024;
// Tiled keeps a tile's flip and rotation flags in the top four bits of its 32-bit gid.
constexpr long long kFirstTileFlag = 0x10000000LL;
constexpr long long kLargestFlaggedGid = 0xFFFFFFFFLL;
constexpr char kCellDelimiters[] = " \t,\n\r";
constexpr char kSaveAsCsv[] =
    "save the layer as CSV in Tiled (Map Properties, Tile Layer Format: CSV)";
constexpr char kNotInfinite[] = "untick \"Infinite\" in Tiled's map properties and save again";

// Thrown only inside this file, with the problem already phrased for the map's designer.
struct MalformedMap {
    std::string problem;
};

std::string quoted(const std::string& text) {
    return '"' + text + '"';
}

std::string textOf(const rapidxml::xml_base<>& item) {
    return std::string(item.value(), item.value_size());
}

std::string tagOf(const Node& node) {
    return '<' + std::string(node.name(), node.name_size()) + '>';
}

template <typename Visit>
void forEachChild(const Node& parent, const char* name, Visit visit) {
    for (const Node* child = parent.first_node(name); child != nullptr;
         child = child->next_sibling(name)) {
        visit(*child);
    }
}

// Turns the XML tree of one map into its records. RapidXML writes into the text it parses, so
// positions are looked up in a copy taken before parsing.
class MapReader {
public:
    MapReader(const char* text, std::string original)
        : m_text(text), m_original(std::move(original)) {}

    TmxMap readMap(const Node& node);
    std::vector<std::string> takeWarnings() { return std::move(m_warnings); }
    // " (line L, column C)" for a position inside the parsed text, empty for any other.
    std::string locate(const char* position) const;

private:
    TmxTileset readTileset(const Node& node) const;
    TmxLayer readLayer(const Node& node);
    void checkCellFormat(const Node& data, const std::string& layerName) const;
    std::vector<int> readCells(const Node& data, long long expected, const TmxLayer& layer);
    int readCell(const Node& data, const char* cell, const std::string& layerName);
    TmxObjectGroup readObjectGroup(const Node& node) const;
    TmxObject readObject(const Node& node) const;
    TmxProperty readProperty(const Node& node) const;

    [[noreturn]] void fail(const Node& node, const std::string& problem) const;
    const Node& requiredChild(const Node& parent, const char* name) const;
    std::string requiredText(const Node& node, const char* attribute) const;
    int requiredInt(const Node& node, const char* attribute) const;
    int requiredSize(const Node& node, const char* attribute, int min, int max) const;
    int optionalInt(const Node& node, const char* attribute, int fallback) const;
    int toInt(const Node& node, const char* attribute, const char* value) const;

    const char* m_text;
    std::string m_original;
    int m_flippedTiles = 0;
    std::string m_firstFlippedLayer;
    std::vector<std::string> m_warnings;
};

TmxMap MapReader::readMap(const Node& node) {
    if (optionalInt(node, "infinite", 0) != 0) {
        fail(node, std::string("the map is infinite; ") + kNotInfinite);
    }
    TmxMap map;
    map.width = requiredSize(node, "width", 0, kMaxCellsPerSide);
    map.height = requiredSize(node, "height", 0, kMaxCellsPerSide);
    map.tileWidth = requiredSize(node, "tilewidth", 1, kMaxTileSize);
    map.tileHeight = requiredSize(node, "tileheight", 1, kMaxTileSize);
    forEachChild(node, "tileset",
                 [&](const Node& child) { map.tilesets.push_back(readTileset(child)); });
    forEachChild(node, "layer", [&](const Node& child) { map.layers.push_back(readLayer(child)); });
    forEachChild(node, "objectgroup",
                 [&](const Node& child) { map.objectGroups.push_back(readObjectGroup(child)); });
    if (m_flippedTiles > 0) {
        m_warnings.push_back(std::to_string(m_flippedTiles) +
                             " flipped or rotated tile(s) left empty, the first in layer " +
                             quoted(m_firstFlippedLayer) +
                             "; tiles cannot be flipped or rotated, undo it in Tiled");
    }
    return map;
}

TmxTileset MapReader::readTileset(const Node& node) const {
    if (const auto* source = node.first_attribute("source")) {
        fail(node, "tileset " + quoted(textOf(*source)) +
                       " is kept in a file of its own; embed the tileset in the map in Tiled");
    }
    TmxTileset tileset;
    tileset.firstGid = requiredSize(node, "firstgid", 1, INT_MAX);
    tileset.name = requiredText(node, "name");
    tileset.tileWidth = requiredInt(node, "tilewidth");
    tileset.tileHeight = requiredInt(node, "tileheight");
    tileset.imageSource = requiredText(requiredChild(node, "image"), "source");
    return tileset;
}

TmxLayer MapReader::readLayer(const Node& node) {
    TmxLayer layer;
    layer.name = requiredText(node, "name");
    layer.width = requiredSize(node, "width", 0, kMaxCellsPerSide);
    layer.height = requiredSize(node, "height", 0, kMaxCellsPerSide);
    const long long cells = static_cast<long long>(layer.width) * layer.height;
    if (cells > kMaxCells) {
        fail(node, "layer " + quoted(layer.name) + " has " + std::to_string(cells) +
                       " cells, more than a map may have (" + std::to_string(kMaxCells) + ")");
    }
    const Node& data = requiredChild(node, "data");
    checkCellFormat(data, layer.name);
    layer.data = readCells(data, cells, layer);
    return layer;
}

// Only comma-separated cells can be read; Tiled remembers whichever format was chosen last.
void MapReader::checkCellFormat(const Node& data, const std::string& layerName) const {
    if (data.first_node("chunk") != nullptr) {
        fail(data, "layer " + quoted(layerName) + " is stored in chunks of an infinite map; " +
                       kNotInfinite);
    }
    const auto* encoding = data.first_attribute("encoding");
    const auto* compression = data.first_attribute("compression");
    const bool csv = encoding != nullptr && textOf(*encoding) == "csv";
    std::string format;
    if (encoding == nullptr && data.first_node("tile") != nullptr) {
        format = "XML";
    } else if (encoding != nullptr && !csv) {
        format = textOf(*encoding);
    }
    if (compression != nullptr) {
        format += (format.empty() ? "" : " ") + textOf(*compression) + " compressed";
    }
    if (!format.empty()) {
        fail(data, "layer " + quoted(layerName) + " is saved as " + format + "; " + kSaveAsCsv);
    }
}

// Cells are separated by any run of blanks, tabs, commas and line breaks. Only as many as the
// layer has are stored; the rest are just counted for the report.
std::vector<int> MapReader::readCells(const Node& data, long long expected, const TmxLayer& layer) {
    std::vector<int> cells;
    cells.reserve(static_cast<std::size_t>(expected));
    long long found = 0;
    const char* cursor = data.value();
    for (cursor += std::strspn(cursor, kCellDelimiters); *cursor != '\0';
         cursor += std::strspn(cursor, kCellDelimiters)) {
        if (found < expected) {
            cells.push_back(readCell(data, cursor, layer.name));
        }
        ++found;
        cursor += std::strcspn(cursor, kCellDelimiters);
    }
    if (found != expected) {
        fail(data, "layer " + quoted(layer.name) + " has " + std::to_string(found) +
                       " cells in its data instead of " + std::to_string(layer.width) + " x " +
                       std::to_string(layer.height) + " = " + std::to_string(expected));
    }
    return cells;
}

int MapReader::readCell(const Node& data, const char* cell, const std::string& layerName) {
    const auto gid = readInteger(cell, INT_MIN, kLargestFlaggedGid);
    if (!gid) {
        fail(data, "layer " + quoted(layerName) + " has a cell that is no gid: " +
                       std::string(cell, std::strcspn(cell, kCellDelimiters)));
    }
    if (*gid >= kFirstTileFlag) {
        if (m_flippedTiles++ == 0) {
            m_firstFlippedLayer = layerName;
        }
        return 0;
    }
    return static_cast<int>(*gid);
}

TmxObjectGroup MapReader::readObjectGroup(const Node& node) const {
    TmxObjectGroup group;
    group.name = requiredText(node, "name");
    group.visible = optionalInt(node, "visible", 1) != 0;
    forEachChild(node, "object",
                 [&](const Node& child) { group.objects.push_back(readObject(child)); });
    return group;
}

TmxObject MapReader::readObject(const Node& node) const {
    TmxObject object;
    if (const auto* name = node.first_attribute("name")) {
        object.name = textOf(*name);
    }
    // Tiled 1.9 writes an object's type as "class".
    const auto* type = node.first_attribute("type");
    if (type == nullptr) {
        type = node.first_attribute("class");
    }
    if (type != nullptr) {
        object.type = textOf(*type);
    }
    // A tile object that was flipped carries Tiled's flags above the int range; the gid is never
    // used, so such a value is simply dropped.
    if (const auto* gid = node.first_attribute("gid")) {
        object.gid = static_cast<int>(readInteger(gid->value(), INT_MIN, INT_MAX).value_or(0));
    }
    object.x = requiredInt(node, "x");
    object.y = requiredInt(node, "y");
    object.width = optionalInt(node, "width", 0);
    object.height = optionalInt(node, "height", 0);
    if (const Node* properties = node.first_node("properties")) {
        forEachChild(*properties, "property",
                     [&](const Node& child) { object.properties.push_back(readProperty(child)); });
    }
    return object;
}

TmxProperty MapReader::readProperty(const Node& node) const {
    TmxProperty property;
    property.name = requiredText(node, "name");
    // Tiled writes multi-line text as the element's text instead of a "value".
    const auto* value = node.first_attribute("value");
    property.value = value != nullptr ? textOf(*value) : textOf(node);
    return property;
}

void MapReader::fail(const Node& node, const std::string& problem) const {
    throw MalformedMap{problem + locate(node.name())};
}

std::string MapReader::locate(const char* position) const {
    const std::less<const char*> before;
    if (before(position, m_text) || before(m_text + m_original.size(), position)) {
        return "";
    }
    const auto offset = static_cast<std::size_t>(position - m_text);
    const auto start = m_original.begin();
    const long line = 1 + std::count(start, start + static_cast<long>(offset), '\n');
    const std::size_t lineStart = offset == 0 ? 0 : m_original.rfind('\n', offset - 1) + 1;
    return " (line " + std::to_string(line) + ", column " + std::to_string(offset - lineStart + 1) +
           ")";
}

const Node& MapReader::requiredChild(const Node& parent, const char* name) const {
    const Node* child = parent.first_node(name);
    if (child == nullptr) {
        fail(parent, tagOf(parent) + " has no <" + name + "> element");
    }
    return *child;
}

std::string MapReader::requiredText(const Node& node, const char* attribute) const {
    const auto* found = node.first_attribute(attribute);
    if (found == nullptr) {
        fail(node, tagOf(node) + " has no " + quoted(attribute) + " attribute");
    }
    return textOf(*found);
}

int MapReader::requiredInt(const Node& node, const char* attribute) const {
    return toInt(node, attribute, requiredText(node, attribute).c_str());
}

int MapReader::requiredSize(const Node& node, const char* attribute, int min, int max) const {
    const int size = requiredInt(node, attribute);
    if (size < min || size > max) {
        fail(node, quoted(attribute) + " of " + tagOf(node) + " is " + std::to_string(size) +
                       ", not between " + std::to_string(min) + " and " + std::to_string(max));
    }
    return size;
}

int MapReader::optionalInt(const Node& node, const char* attribute, int fallback) const {
    const auto* found = node.first_attribute(attribute);
    return found == nullptr ? fallback : toInt(node, attribute, found->value());
}

int MapReader::toInt(const Node& node, const char* attribute, const char* value) const {
    const auto number = readInteger(value, INT_MIN, INT_MAX);
    if (!number) {
        fail(node, quoted(attribute) + " of " + tagOf(node) + " is out of range: " + value);
    }
    return static_cast<int>(*number);
}

}  // namespace

std::optional<long long> readInteger(const char* text, long long min, long long max) {
    errno = 0;
    const long long value = std::strtoll(text, nullptr, 10);
    if (errno == ERANGE || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

TmxParseResult parseTmx(char* text) {
    TmxParseResult result;
    MapReader reader(text, text);
    try {
        rapidxml::xml_document<> document;
        document.parse<0>(text);
        const Node* map = document.first_node("map");
        if (map == nullptr) {
            throw MalformedMap{"there is no <map> element"};
        }
        result.map = reader.readMap(*map);
        result.warnings = reader.takeWarnings();
    } catch (const rapidxml::parse_error& error) {
        result.error =
            std::string("XML syntax error: ") + error.what() + reader.locate(error.where<char>());
    } catch (const MalformedMap& malformed) {
        result.error = malformed.problem;
    } catch (const std::exception& error) {
        result.error = std::string("could not be read: ") + error.what();
    }
    return result;
}
