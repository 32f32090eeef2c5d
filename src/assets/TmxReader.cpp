#include "assets/TmxReader.hpp"

#include <SFML/System/FileInputStream.hpp>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <rapidxml.hpp>
#include <utility>

#include "assets/MapWording.hpp"
#include "assets/StrictXml.hpp"
#include "assets/TextPositions.hpp"
#include "platform/LeadingInteger.hpp"
#include "platform/RegularFile.hpp"

namespace {

using Node = rapidxml::xml_node<>;

// Far beyond the largest map a layer may hold; keeps a wrong path (a huge file) from being read
// into memory whole.
constexpr sf::Int64 kMaxMapFileBytes = 256LL * 1024 * 1024;
// The tile size keeps texture rectangles inside an int. What bounds a layer is its cell count,
// which keeps its memory and every cell index well inside an int; each side is bounded as well
// only so that width × height, and a tile's position (side × tile size, at most 2^28), can be
// worked out without overflow before that count is checked.
constexpr int kMaxTileSize = 4096;
constexpr int kMaxCellsPerSide = 65536;
constexpr long long kMaxCells = 16LL * 1024 * 1024;
// Tiled keeps a tile's flip and rotation flags in the top four bits of its 32-bit gid.
constexpr long long kFirstTileFlag = 0x10000000LL;
constexpr long long kLargestFlaggedGid = 0xFFFFFFFFLL;
constexpr char kCellDelimiters[] = " \t,\n\r";

bool isCellDelimiter(char c) {
    return c == ',' || c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

const char* skipCellDelimiters(const char* cursor) {
    while (isCellDelimiter(*cursor)) {
        ++cursor;
    }
    return cursor;
}

// Nearly every cell of a map is a short run of digits; reading those in one pass keeps a large
// level quick to load. Returns where the cell ends, or null for any other cell, which then goes
// the general way.
const char* readPlainGid(const char* cursor, long long& gid) {
    constexpr int kMostDigits = 9;  // always fits an int
    long long value = 0;
    int digits = 0;
    while (*cursor >= '0' && *cursor <= '9' && digits < kMostDigits) {
        value = value * 10 + (*cursor - '0');
        ++cursor;
        ++digits;
    }
    if (digits == 0 || !(isCellDelimiter(*cursor) || *cursor == '\0')) {
        return nullptr;
    }
    gid = value;
    return cursor;
}
constexpr char kSaveAsCsv[] =
    "save the layer as CSV in Tiled (Map Properties, Tile Layer Format: CSV)";
constexpr char kNotInfinite[] = "untick \"Infinite\" in Tiled's map properties and save again";

// Thrown only inside this file, with the problem already phrased for the map's designer.
struct MalformedMap {
    TmxProblem problem;
};

std::string textOf(const rapidxml::xml_base<>& item) {
    return std::string(item.value(), item.value_size());
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
    MapReader(const TextPositions& positions, std::string mapFolder)
        : m_positions(positions), m_mapFolder(std::move(mapFolder)) {}

    TmxMap readMap(const Node& node);
    std::vector<TmxProblem> takeErrors() { return std::move(m_errors); }
    std::vector<TmxProblem> takeWarnings() { return std::move(m_warnings); }

private:
    // Reads every child of that name with `read`; a child that cannot be read is recorded and
    // left out, so that one pass finds every broken element.
    template <typename Read>
    void readEach(const Node& parent, const char* name, Read read);

    TmxTileset readTileset(const Node& node) const;
    TmxLayer readLayer(const Node& node);
    void checkCellFormat(const Node& data, const std::string& layerName) const;
    std::vector<int> readCells(const Node& data, long long expected, const TmxLayer& layer);
    TmxObjectGroup readObjectGroup(const Node& node);
    TmxObject readObject(const Node& node);
    void readOwnAttributes(const Node& node, TmxObject& object) const;
    static TmxObject::Shape shapeOf(const Node& object, TmxObject::Shape fallback);

    // A template's object, or why there is none.
    struct TemplateRead {
        TmxObject object;
        std::string problem;
    };
    TmxObject templateObject(const Node& object, const std::string& source);
    TemplateRead readTemplate(const std::string& path) const;
    TmxProperty readProperty(const Node& node) const;
    void warnOfUnreadLayers(const Node& parent, const std::string& groupName);

    TmxPosition positionOf(const Node& node) const { return m_positions.of(node.name()); }
    [[noreturn]] void fail(const Node& node, const std::string& problem) const;
    const Node& requiredChild(const Node& parent, const char* name) const;
    std::string requiredText(const Node& node, const char* attribute) const;
    int requiredInt(const Node& node, const char* attribute) const;
    int requiredSize(const Node& node, const char* attribute, int min, int max) const;
    int optionalInt(const Node& node, const char* attribute, int fallback) const;
    int toInt(const Node& node, const char* attribute, const char* value) const;

    const TextPositions& m_positions;
    const std::string m_mapFolder;
    std::map<std::string, TemplateRead> m_templates;
    std::vector<TmxProblem> m_errors;
    std::vector<TmxProblem> m_warnings;
};

template <typename Read>
void MapReader::readEach(const Node& parent, const char* name, Read read) {
    forEachChild(parent, name, [&](const Node& child) {
        try {
            read(child);
        } catch (const MalformedMap& malformed) {
            m_errors.push_back(malformed.problem);
        }
    });
}

TmxMap MapReader::readMap(const Node& node) {
    if (optionalInt(node, "infinite", 0) != 0) {
        fail(node, std::string("the map is infinite; ") + kNotInfinite);
    }
    TmxMap map;
    map.position = positionOf(node);
    map.width = requiredSize(node, "width", 0, kMaxCellsPerSide);
    map.height = requiredSize(node, "height", 0, kMaxCellsPerSide);
    map.tileWidth = requiredSize(node, "tilewidth", 1, kMaxTileSize);
    map.tileHeight = requiredSize(node, "tileheight", 1, kMaxTileSize);
    readEach(node, "tileset",
             [&](const Node& child) { map.tilesets.push_back(readTileset(child)); });
    readEach(node, "layer", [&](const Node& child) { map.layers.push_back(readLayer(child)); });
    readEach(node, "objectgroup",
             [&](const Node& child) { map.objectGroups.push_back(readObjectGroup(child)); });
    if (const Node* properties = node.first_node("properties")) {
        readEach(*properties, "property",
                 [&](const Node& child) { map.properties.push_back(readProperty(child)); });
    }
    warnOfUnreadLayers(node, "");
    return map;
}

// Only the map's own tile and object layers are read: an image layer, and every layer inside a
// group layer, would be left out without a word.
void MapReader::warnOfUnreadLayers(const Node& parent, const std::string& groupName) {
    const std::string where = groupName.empty() ? "" : " inside the group layer " + groupName;
    for (const Node* child = parent.first_node(); child != nullptr; child = child->next_sibling()) {
        const auto* nameAttribute = child->first_attribute("name");
        const std::string name =
            MapWording::inQuotes(nameAttribute != nullptr ? textOf(*nameAttribute) : "");
        const std::string kind(child->name(), child->name_size());
        if (kind == "group") {
            warnOfUnreadLayers(*child, name);
        } else if (kind == "imagelayer") {
            m_warnings.push_back({"image layer " + name + where +
                                      " is left out: the game shows no image layers; put the "
                                      "picture in a tileset and paint it on a tile layer",
                                  positionOf(*child)});
        } else if (!groupName.empty() && (kind == "layer" || kind == "objectgroup")) {
            m_warnings.push_back({(kind == "layer" ? "tile layer " : "object layer ") + name +
                                      where +
                                      " is left out: the game reads no layers inside "
                                      "groups; move it out of the group",
                                  positionOf(*child)});
        }
    }
}

TmxTileset MapReader::readTileset(const Node& node) const {
    if (const auto* source = node.first_attribute("source")) {
        fail(node, "tileset " + MapWording::inQuotes(textOf(*source)) +
                       " is kept in a file of its own; embed the tileset in the map in Tiled");
    }
    TmxTileset tileset;
    tileset.position = positionOf(node);
    tileset.firstGid = requiredSize(node, "firstgid", 1, INT_MAX);
    tileset.name = requiredText(node, "name");
    tileset.tileWidth = requiredInt(node, "tilewidth");
    tileset.tileHeight = requiredInt(node, "tileheight");
    const Node& image = requiredChild(node, "image");
    tileset.imagePosition = positionOf(image);
    tileset.imageSource = requiredText(image, "source");
    return tileset;
}

TmxLayer MapReader::readLayer(const Node& node) {
    TmxLayer layer;
    layer.position = positionOf(node);
    layer.name = requiredText(node, "name");
    layer.width = requiredSize(node, "width", 0, kMaxCellsPerSide);
    layer.height = requiredSize(node, "height", 0, kMaxCellsPerSide);
    const long long cells = static_cast<long long>(layer.width) * layer.height;
    if (cells > kMaxCells) {
        fail(node, "layer " + MapWording::inQuotes(layer.name) + " has " + std::to_string(cells) +
                       " cells, more than a map may have (" + std::to_string(kMaxCells) + ")");
    }
    // A layer whose cells cannot be read is still a layer that objects may name. It keeps no
    // cells: a short file may claim millions of them in every one of its layers.
    try {
        const Node& data = requiredChild(node, "data");
        layer.dataPosition = positionOf(data);
        checkCellFormat(data, layer.name);
        layer.data = readCells(data, cells, layer);
    } catch (const MalformedMap& malformed) {
        m_errors.push_back(malformed.problem);
        layer.data.clear();
    }
    return layer;
}

// Only comma-separated cells can be read; Tiled remembers whichever format was chosen last.
void MapReader::checkCellFormat(const Node& data, const std::string& layerName) const {
    if (data.first_node("chunk") != nullptr) {
        fail(data, "layer " + MapWording::inQuotes(layerName) +
                       " is stored in chunks of an infinite map; " + kNotInfinite);
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
        fail(data, "layer " + MapWording::inQuotes(layerName) + " is saved as " + format + "; " +
                       kSaveAsCsv);
    }
}

// Cells are separated by any run of blanks, tabs, commas and line breaks. Only as many as the
// layer has are stored; the rest are just counted for the report. Flipped or rotated tiles are
// left empty, with one warning for the layer.
std::vector<int> MapReader::readCells(const Node& data, long long expected, const TmxLayer& layer) {
    std::vector<int> cells;
    cells.reserve(static_cast<std::size_t>(expected));
    long long found = 0;
    long long flipped = 0;
    long long firstFlipped = 0;
    const char* cursor = data.value();
    for (cursor = skipCellDelimiters(cursor); *cursor != '\0';
         cursor = skipCellDelimiters(cursor)) {
        long long plain = 0;
        const char* plainEnd = readPlainGid(cursor, plain);
        const auto gid = plainEnd != nullptr
                             ? plain
                             : LeadingInteger::readOrZero(cursor, INT_MIN, kLargestFlaggedGid);
        if (!gid) {
            fail(data, "layer " + MapWording::inQuotes(layer.name) +
                           " has a cell that is no gid: " +
                           std::string(cursor, std::strcspn(cursor, kCellDelimiters)));
        }
        const bool isFlipped = *gid >= kFirstTileFlag;
        if (isFlipped && flipped++ == 0) {
            firstFlipped = found;
        }
        if (found < expected) {
            cells.push_back(isFlipped ? 0 : static_cast<int>(*gid));
        }
        ++found;
        cursor = plainEnd != nullptr ? plainEnd : cursor + std::strcspn(cursor, kCellDelimiters);
    }
    if (found != expected) {
        fail(data, "layer " + MapWording::inQuotes(layer.name) + " has " + std::to_string(found) +
                       " cells in its data instead of " + std::to_string(layer.width) + " x " +
                       std::to_string(layer.height) + " = " + std::to_string(expected));
    }
    if (flipped > 0) {
        m_warnings.push_back({"layer " + MapWording::inQuotes(layer.name) + ": " +
                                  std::to_string(flipped) +
                                  " flipped or rotated tile(s) left empty, the first at column " +
                                  std::to_string(firstFlipped % layer.width) + ", row " +
                                  std::to_string(firstFlipped / layer.width) +
                                  "; tiles cannot be flipped or rotated, undo it in Tiled",
                              positionOf(data)});
    }
    return cells;
}

TmxObjectGroup MapReader::readObjectGroup(const Node& node) {
    TmxObjectGroup group;
    group.position = positionOf(node);
    group.name = requiredText(node, "name");
    group.visible = optionalInt(node, "visible", 1) != 0;
    readEach(node, "object",
             [&](const Node& child) { group.objects.push_back(readObject(child)); });
    return group;
}

TmxObject MapReader::readObject(const Node& node) {
    TmxObject object;
    std::vector<TmxProperty> inherited;
    if (const auto* source = node.first_attribute("template")) {
        object = templateObject(node, textOf(*source));
        inherited = std::move(object.properties);
        object.properties.clear();
    }
    object.position = positionOf(node);
    readOwnAttributes(node, object);
    object.x = requiredInt(node, "x");
    object.y = requiredInt(node, "y");
    if (const Node* properties = node.first_node("properties")) {
        readEach(*properties, "property",
                 [&](const Node& child) { object.properties.push_back(readProperty(child)); });
    }
    // As in Tiled, the object's own properties override the template's of the same name.
    const auto overridden = [&](const TmxProperty& property) {
        return std::any_of(object.properties.begin(), object.properties.end(),
                           [&](const TmxProperty& own) { return own.name == property.name; });
    };
    inherited.erase(std::remove_if(inherited.begin(), inherited.end(), overridden),
                    inherited.end());
    for (auto& property : inherited) {
        property.position = object.position;
    }
    object.properties.insert(object.properties.begin(), inherited.begin(), inherited.end());
    return object;
}

// Every attribute the object states itself; what it leaves out keeps the value it has (from its
// template, or the default).
void MapReader::readOwnAttributes(const Node& node, TmxObject& object) const {
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
        object.gid = static_cast<int>(
            LeadingInteger::readOrZero(gid->value(), INT_MIN, INT_MAX).value_or(0));
    }
    // Tiled takes an object's size over its template's only when neither side is empty.
    const int width = optionalInt(node, "width", 0);
    const int height = optionalInt(node, "height", 0);
    if ((width > 0 && height > 0) || (object.width == 0 && object.height == 0)) {
        object.width = width;
        object.height = height;
    }
    if (const auto* rotation = node.first_attribute("rotation")) {
        object.rotation = std::strtod(rotation->value(), nullptr);
    }
    object.shape = shapeOf(node, object.shape);
}

// A template file is read once per map however many objects use it. Its path is relative to the
// map's folder, as Tiled writes it, and it is opened like every other file a map names.
TmxObject MapReader::templateObject(const Node& object, const std::string& source) {
    const std::string path = m_mapFolder + source;
    auto known = m_templates.find(path);
    if (known == m_templates.end()) {
        known = m_templates.emplace(path, readTemplate(path)).first;
    }
    if (!known->second.problem.empty()) {
        // An object placed from a template often has no name of its own; Tiled's id tells it.
        const auto* name = object.first_attribute("name");
        const auto* id = object.first_attribute("id");
        const std::string which = name != nullptr ? MapWording::inQuotes(textOf(*name))
                                  : id != nullptr ? "with id " + textOf(*id)
                                                  : MapWording::inQuotes("");
        fail(object, "object " + which + ": its template " + MapWording::inQuotes(source) + " " +
                         known->second.problem);
    }
    return known->second.object;
}

MapReader::TemplateRead MapReader::readTemplate(const std::string& path) const {
    auto text = readMapText(path);
    if (!text) {
        return {{}, "cannot be read (no such file, or not a regular file)"};
    }
    try {
        if (findTooDeepElement(text->data(), kMaxMapNesting) != nullptr) {
            return {{}, "is not a template: its elements are nested too deep"};
        }
        rapidxml::xml_document<> document;
        document.parse<0>(text->data());
        const Node* root = document.first_node("template");
        const Node* node = root != nullptr ? root->first_node("object") : nullptr;
        if (node == nullptr) {
            return {{}, "is not a template: it has no <template> with an <object>"};
        }
        TemplateRead read;
        readOwnAttributes(*node, read.object);
        if (const Node* properties = node->first_node("properties")) {
            forEachChild(*properties, "property", [&](const Node& child) {
                read.object.properties.push_back(readProperty(child));
            });
        }
        return read;
    } catch (const rapidxml::parse_error& error) {
        return {{}, std::string("is broken: XML syntax error: ") + error.what()};
    } catch (const MalformedMap& malformed) {
        return {{}, "is broken: " + malformed.problem.message};
    }
}

TmxObject::Shape MapReader::shapeOf(const Node& object, TmxObject::Shape fallback) {
    using Shape = TmxObject::Shape;
    static const std::pair<const char*, Shape> kShapes[] = {{"ellipse", Shape::Ellipse},
                                                            {"point", Shape::Point},
                                                            {"polygon", Shape::Polygon},
                                                            {"polyline", Shape::Polyline}};
    for (const auto& [element, shape] : kShapes) {
        if (object.first_node(element) != nullptr) {
            return shape;
        }
    }
    return fallback;
}

TmxProperty MapReader::readProperty(const Node& node) const {
    TmxProperty property;
    property.position = positionOf(node);
    property.name = requiredText(node, "name");
    // Tiled writes multi-line text as the element's text instead of a "value".
    const auto* value = node.first_attribute("value");
    property.value = value != nullptr ? textOf(*value) : textOf(node);
    return property;
}

void MapReader::fail(const Node& node, const std::string& problem) const {
    throw MalformedMap{{problem, positionOf(node)}};
}

const Node& MapReader::requiredChild(const Node& parent, const char* name) const {
    const Node* child = parent.first_node(name);
    if (child == nullptr) {
        fail(parent, MapWording::tagOf(parent) + " has no <" + name + "> element");
    }
    return *child;
}

std::string MapReader::requiredText(const Node& node, const char* attribute) const {
    const auto* found = node.first_attribute(attribute);
    if (found == nullptr) {
        fail(node,
             MapWording::tagOf(node) + " has no " + MapWording::inQuotes(attribute) + " attribute");
    }
    return textOf(*found);
}

int MapReader::requiredInt(const Node& node, const char* attribute) const {
    return toInt(node, attribute, requiredText(node, attribute).c_str());
}

int MapReader::requiredSize(const Node& node, const char* attribute, int min, int max) const {
    const int size = requiredInt(node, attribute);
    if (size < min || size > max) {
        fail(node, MapWording::inQuotes(attribute) + " of " + MapWording::tagOf(node) + " is " +
                       std::to_string(size) + ", not between " + std::to_string(min) + " and " +
                       std::to_string(max));
    }
    return size;
}

int MapReader::optionalInt(const Node& node, const char* attribute, int fallback) const {
    const auto* found = node.first_attribute(attribute);
    return found == nullptr ? fallback : toInt(node, attribute, found->value());
}

int MapReader::toInt(const Node& node, const char* attribute, const char* value) const {
    const auto number = LeadingInteger::readOrZero(value, INT_MIN, INT_MAX);
    if (!number) {
        fail(node, MapWording::inQuotes(attribute) + " of " + MapWording::tagOf(node) +
                       " is out of range: " + value);
    }
    return static_cast<int>(*number);
}

}  // namespace

std::string TmxProblem::describe() const {
    if (position.line == 0) {
        return message;
    }
    return message + " (line " + std::to_string(position.line) + ", column " +
           std::to_string(position.column) + ")";
}

std::string TmxParseResult::error() const {
    if (errors.empty()) {
        return "";
    }
    const std::size_t more = errors.size() - 1;
    std::string line = errors.front().describe() +
                       (more == 0 ? "" : " (and " + std::to_string(more) + " more problem(s))");
    // A name quoted from the map may hold line breaks; the refusal stays one line of the log.
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    return line;
}

std::optional<std::vector<char>> readMapText(const std::string& path) {
    sf::FileInputStream file;
    if (!RegularFile::load(path, [&file](const std::string& plain) { return file.open(plain); })) {
        return std::nullopt;
    }
    const sf::Int64 size = file.getSize();
    if (size < 0 || size > kMaxMapFileBytes) {
        return std::nullopt;
    }
    std::vector<char> text(static_cast<std::size_t>(size) + 1, '\0');
    if (size > 0 && file.read(text.data(), size) != size) {
        return std::nullopt;
    }
    return text;
}

const TmxTileset* tilesetOfGid(const TmxMap& map, int gid) {
    const TmxTileset* chosen = nullptr;
    for (const auto& tileset : map.tilesets) {
        if (tileset.firstGid > gid) {
            break;
        }
        chosen = &tileset;
    }
    return chosen;
}

TmxParseResult parseTmx(char* text, const std::string& mapFolder) {
    TmxParseResult result;
    const TextPositions positions(text);
    MapReader reader(positions, mapFolder);
    try {
        if (const char* tooDeep = findTooDeepElement(text, kMaxMapNesting)) {
            throw MalformedMap{{"elements are nested more than " + std::to_string(kMaxMapNesting) +
                                    " levels deep; a map needs only a few",
                                positions.of(tooDeep)}};
        }
        rapidxml::xml_document<> document;
        document.parse<0>(text);
        const Node* map = document.first_node("map");
        if (map == nullptr) {
            throw MalformedMap{{"there is no <map> element", {}}};
        }
        result.map = reader.readMap(*map);
        result.errors = reader.takeErrors();
        result.warnings = reader.takeWarnings();
    } catch (const rapidxml::parse_error& error) {
        result.errors.push_back(
            {std::string("XML syntax error: ") + error.what(), positions.of(error.where<char>())});
    } catch (const MalformedMap& malformed) {
        result.errors.push_back(malformed.problem);
    } catch (const std::exception& error) {
        result.errors.push_back({std::string("could not be read: ") + error.what(), {}});
    }
    if (!result.errors.empty()) {
        result.incomplete = std::move(result.map);
        result.map.reset();
    }
    return result;
}
