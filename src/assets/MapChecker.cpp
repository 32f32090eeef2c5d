#include "assets/MapChecker.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <utility>

#include "assets/MapWording.hpp"
#include "assets/ObjectFactory.hpp"
#include "assets/PropertyParser.hpp"
#include "assets/StrictXml.hpp"
#include "assets/TileGrid.hpp"
#include "assets/TmxReader.hpp"
#include "objects/Leaderboard.hpp"
#include "platform/RegularFile.hpp"

namespace {

using Kind = ObjectFactory::PropertyKind;
using Type = GameNames::Type;
using Key = ObjectFactory::Key;
using Severity = MapDiagnostic::Severity;

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string listed(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) {
        text += (text.empty() ? "" : ", ") + MapWording::inQuotes(name);
    }
    return text.empty() ? "none" : text;
}

std::string sizeText(unsigned width, unsigned height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

bool isRace(const TmxMap& map) {
    return std::any_of(map.objectGroups.begin(), map.objectGroups.end(), [](const auto& group) {
        return std::any_of(group.objects.begin(), group.objects.end(),
                           [](const TmxObject& object) { return object.type == Type::kPlayer; });
    });
}

// SFML explains every failed load on its error stream; the checker says it in its own words.
class QuietErrors {
public:
    QuietErrors() : m_previous(sf::err().rdbuf(m_discarded.rdbuf())) {}
    ~QuietErrors() { sf::err().rdbuf(m_previous); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    std::ostringstream m_discarded;
    std::streambuf* m_previous;
};

// What became of a file that a map names.
struct FileVerdict {
    bool exists = false;
    bool loads = false;
    sf::Vector2u imageSize;
};

// Everything checked about one map.
class MapCheck {
public:
    explicit MapCheck(const std::string& assetRoot) : m_assetRoot(assetRoot) {}

    std::vector<MapDiagnostic> run(const std::string& text, const std::string& mapFolder);

private:
    void error(TmxPosition at, std::string message) {
        m_found.push_back({Severity::Error, at, std::move(message)});
    }
    void warning(TmxPosition at, std::string message) {
        m_found.push_back({Severity::Warning, at, std::move(message)});
    }

    void checkTileSize(const TmxMap& map);
    void checkTilesets(const TmxMap& map);
    void checkCells(const TmxMap& map);
    void checkObjects(const TmxMap& map);
    void checkObject(const TmxObject& object, const TmxMap& map);
    bool checkType(const TmxObject& object);
    bool checkLayer(const TmxObject& object, const TmxMap& map);
    void checkProperties(const TmxObject& object, const ObjectFactory::TypeRule& rule);
    void checkValue(const TmxObject& object, const TmxProperty& property,
                    const ObjectFactory::PropertyRule& rule);
    void checkNamedValue(const TmxObject& object, const TmxProperty& property,
                         const std::vector<std::string>& names, const char* one, const char* all);
    void checkFileValue(const TmxObject& object, const TmxProperty& property, Kind kind);
    void checkNeededFiles(const TmxObject& object, const ObjectFactory::TypeRule& rule);
    void checkBody(const TmxObject& object);
    void checkArea(const TmxObject& object, const ObjectFactory::TypeRule& rule);
    void checkPlacement(const TmxObject& object);
    void checkTrail(const TmxObject& object);
    void checkName(const TmxObject& object);
    void checkRacer(const TmxObject& object);
    void checkRace(const TmxMap& map);

    const FileVerdict& file(const std::string& value, Kind kind);
    std::string objectText(const TmxObject& object) const {
        return "object " + MapWording::inQuotes(object.name) + " (" + object.type + ")";
    }

    const std::string& m_assetRoot;
    std::vector<MapDiagnostic> m_found;
    std::map<std::string, FileVerdict> m_files;
    // Tileset name -> the size of the image the game would cut its tiles from.
    std::map<std::string, sf::Vector2u> m_tilesetImages;
    // Ids of the players built so far, in the order the game builds them.
    std::vector<std::string> m_players;
    std::map<std::string, TmxPosition> m_names;
};

std::vector<MapDiagnostic> MapCheck::run(const std::string& text, const std::string& mapFolder) {
    std::string parsedText = text;  // the reader parses in place
    TmxParseResult parsed = parseTmx(parsedText.data(), mapFolder);
    for (const auto& problem : parsed.errors) {
        error(problem.position, problem.message);
    }
    // What the reader leaves out of a map is missing from the screen: an error for the designer.
    for (const auto& problem : parsed.warnings) {
        error(problem.position, problem.message);
    }
    // Like a compiler, go on after errors, with whatever could be read.
    const TmxMap* map = parsed.map          ? &*parsed.map
                        : parsed.incomplete ? &*parsed.incomplete
                                            : nullptr;
    if (map != nullptr) {
        // What the game reads, Tiled may refuse to open again.
        for (const auto& problem : findStrictXmlProblems(text)) {
            error(problem.position, problem.message);
        }
        const QuietErrors quiet;
        checkTileSize(*map);
        checkTilesets(*map);
        checkCells(*map);
        checkObjects(*map);
        if (isRace(*map)) {
            checkRace(*map);
        }
    }
    std::stable_sort(m_found.begin(), m_found.end(), [](const auto& a, const auto& b) {
        return std::make_pair(a.position.line, a.position.column) <
               std::make_pair(b.position.line, b.position.column);
    });
    return std::move(m_found);
}

// The layers are drawn on a grid of the tile height in both directions.
void MapCheck::checkTileSize(const TmxMap& map) {
    if (map.tileWidth != map.tileHeight) {
        error(map.position, "the map's tiles are " + sizeText(map.tileWidth, map.tileHeight) +
                                " px; tiles must be square, or the layers are drawn wrongly");
    }
}

void MapCheck::checkTilesets(const TmxMap& map) {
    std::set<std::string> names;
    for (const TmxTileset& tileset : map.tilesets) {
        const std::string name = "tileset " + MapWording::inQuotes(tileset.name);
        if (!names.insert(tileset.name).second) {
            error(tileset.position, name +
                                        " has the name of an earlier tileset; the game keeps one "
                                        "image per name, so tiles would come from the wrong one");
        }
        if (tileset.tileWidth != map.tileWidth || tileset.tileHeight != map.tileHeight) {
            error(tileset.position,
                  name + " has " + sizeText(tileset.tileWidth, tileset.tileHeight) +
                      " px tiles, the map " + sizeText(map.tileWidth, map.tileHeight) +
                      "; the game cuts every tileset at the map's tile size");
        }
        const FileVerdict& image = file(tileset.imageSource, Kind::Picture);
        const std::string imageName = name + ": image " + MapWording::inQuotes(tileset.imageSource);
        if (!image.exists) {
            error(tileset.imagePosition, imageName + " does not exist under " + m_assetRoot);
        } else if (!image.loads) {
            error(tileset.imagePosition, imageName + " is not an image the game can read");
        } else if (image.imageSize.x < static_cast<unsigned>(map.tileWidth) ||
                   image.imageSize.y < static_cast<unsigned>(map.tileHeight)) {
            error(tileset.imagePosition,
                  imageName + " is " + sizeText(image.imageSize.x, image.imageSize.y) +
                      " px, smaller than one tile: none of its tiles can be shown");
        }
        m_tilesetImages[tileset.name] = image.loads ? image.imageSize : sf::Vector2u();
    }
}

// Cells the game would have to leave empty, counted per layer and reported at the first one.
void MapCheck::checkCells(const TmxMap& map) {
    for (const TmxLayer& layer : map.layers) {
        std::size_t orphans = 0, outside = 0, firstOrphan = 0, firstOutside = 0;
        for (std::size_t cell = 0; cell < layer.data.size(); ++cell) {
            const int gid = layer.data[cell];
            if (gid == 0) {
                continue;
            }
            const TmxTileset* tileset = tilesetOfGid(map, gid);
            if (tileset == nullptr) {
                firstOrphan = orphans++ == 0 ? cell : firstOrphan;
                continue;
            }
            const sf::Vector2u imageSize = m_tilesetImages[tileset->name];
            const TileGrid grid(imageSize, static_cast<unsigned>(map.tileWidth),
                                static_cast<unsigned>(map.tileHeight));
            // An image that cannot be used is reported once, at its tileset.
            if (grid.getColumns() > 0 && grid.getRows() > 0 &&
                !grid.rectOf(static_cast<unsigned>(gid - tileset->firstGid))) {
                firstOutside = outside++ == 0 ? cell : firstOutside;
            }
        }
        const auto where = [&](std::size_t cell) {
            const auto width = static_cast<std::size_t>(layer.width);
            return "column " + std::to_string(cell % width) + ", row " +
                   std::to_string(cell / width) + ", gid " + std::to_string(layer.data[cell]);
        };
        if (orphans > 0) {
            error(layer.dataPosition,
                  "layer " + MapWording::inQuotes(layer.name) + ": " + std::to_string(orphans) +
                      " tile(s) belong to no tileset and would be left empty (the first at " +
                      where(firstOrphan) + ")");
        }
        if (outside > 0) {
            error(layer.dataPosition,
                  "layer " + MapWording::inQuotes(layer.name) + ": " + std::to_string(outside) +
                      " tile(s) lie beyond the end of their tileset's image and would be left "
                      "empty (the first at " +
                      where(firstOutside) + ")");
        }
    }
}

// In the order the game builds them: what a trail may follow depends on the players before it.
void MapCheck::checkObjects(const TmxMap& map) {
    for (const TmxObjectGroup& group : map.objectGroups) {
        for (const TmxObject& object : group.objects) {
            checkObject(object, map);
        }
    }
}

void MapCheck::checkObject(const TmxObject& object, const TmxMap& map) {
    if (!checkType(object)) {
        return;
    }
    const ObjectFactory::TypeRule& rule = *ObjectFactory::typeRule(object.type);
    const bool onALayer = checkLayer(object, map);
    checkProperties(object, rule);
    checkNeededFiles(object, rule);
    checkBody(object);
    checkArea(object, rule);
    checkPlacement(object);
    // A trail's id is made from its player's, whatever the trail's own name.
    if (object.type == Type::kTrail) {
        checkTrail(object);
        return;
    }
    checkName(object);
    if (onALayer) {
        checkRacer(object);
    }
    if (object.type == Type::kPlayer && onALayer) {
        m_players.push_back(object.name);
    }
}

// True when the game builds something for the object's type.
bool MapCheck::checkType(const TmxObject& object) {
    const std::string name = "object " + MapWording::inQuotes(object.name);
    if (object.type.empty()) {
        warning(object.position, name + " has no type; the game builds nothing for it");
        return false;
    }
    if (ObjectFactory::typeRule(object.type) != nullptr) {
        return true;
    }
    std::vector<std::string> known;
    for (const auto& rule : ObjectFactory::typeRules()) {
        if (lowerCase(rule.type) == lowerCase(object.type)) {
            error(object.position, name + " has the type " + MapWording::inQuotes(object.type) +
                                       ", which differs from " + MapWording::inQuotes(rule.type) +
                                       " only in letter case; the game builds nothing for it");
            return false;
        }
        known.push_back(rule.type);
    }
    error(object.position, name + " has the unknown type " + MapWording::inQuotes(object.type) +
                               "; the game builds nothing for it (the types are " + listed(known) +
                               ")");
    return false;
}

// True when the object joins a layer; a screen only draws and updates the objects of its layers.
bool MapCheck::checkLayer(const TmxObject& object, const TmxMap& map) {
    std::vector<std::string> layers;
    for (const TmxLayer& layer : map.layers) {
        layers.push_back(layer.name);
    }
    const TmxProperty* named = nullptr;
    for (const TmxProperty& property : object.properties) {
        if (property.name != ObjectFactory::kLayerProperty) {
            continue;
        }
        if (std::find(layers.begin(), layers.end(), property.value) != layers.end()) {
            return true;
        }
        named = named == nullptr ? &property : named;
    }
    const std::string missing = "; it would never be drawn or updated";
    if (named == nullptr) {
        error(object.position, objectText(object) + " has no " +
                                   MapWording::inQuotes(ObjectFactory::kLayerProperty) +
                                   " property" + missing);
    } else {
        error(named->position, MapWording::inQuotes(ObjectFactory::kLayerProperty) + " of " +
                                   objectText(object) +
                                   " names no layer: " + MapWording::inQuotes(named->value) +
                                   " (the layers are " + listed(layers) + ")" + missing);
    }
    return false;
}

void MapCheck::checkProperties(const TmxObject& object, const ObjectFactory::TypeRule& rule) {
    std::set<std::string> seen;
    for (const TmxProperty& property : object.properties) {
        const std::string name =
            "property " + MapWording::inQuotes(property.name) + " of " + objectText(object);
        if (!seen.insert(property.name).second && property.name != ObjectFactory::kLayerProperty) {
            warning(property.position, name + " is given again; the last one counts");
        }
        if (property.name == ObjectFactory::kLayerProperty) {
            continue;
        }
        const auto& keys = rule.properties;
        const auto exact = std::find_if(keys.begin(), keys.end(),
                                        [&](const auto& key) { return key.key == property.name; });
        if (exact != keys.end()) {
            checkValue(object, property, *exact);
            continue;
        }
        const auto loose = std::find_if(keys.begin(), keys.end(), [&](const auto& key) {
            return lowerCase(key.key) == lowerCase(property.name);
        });
        if (loose != keys.end()) {
            error(property.position, name +
                                         " is not read: keys are case-sensitive, this type "
                                         "reads " +
                                         MapWording::inQuotes(loose->key));
        } else {
            warning(property.position, name + " is not read by this type");
        }
    }
}

void MapCheck::checkNamedValue(const TmxObject& object, const TmxProperty& property,
                               const std::vector<std::string>& names, const char* one,
                               const char* all) {
    if (std::find(names.begin(), names.end(), property.value) == names.end()) {
        error(property.position, "property " + MapWording::inQuotes(property.name) + " of " +
                                     objectText(object) + " is " +
                                     MapWording::inQuotes(property.value) + ", which is no " + one +
                                     " (the " + all + " are " + listed(names) + ")");
    }
}

void MapCheck::checkValue(const TmxObject& object, const TmxProperty& property,
                          const ObjectFactory::PropertyRule& rule) {
    const std::string& value = property.value;
    const char* expected = nullptr;
    switch (rule.kind) {
        case Kind::Number:
            expected = PropertyParser::number(value) ? nullptr : "a number";
            break;
        case Kind::Integer:
            expected = PropertyParser::integer(value) ? nullptr : "a whole number";
            break;
        case Kind::Pair:
            expected = PropertyParser::pair(value) ? nullptr : "a number pair such as 1.5,-2";
            break;
        case Kind::Colour:
            expected = PropertyParser::colour(value) ? nullptr : "a colour such as #ff2a2430";
            break;
        case Kind::Picture:
        case Kind::Font:
            checkFileValue(object, property, rule.kind);
            return;
        case Kind::Screen:
            checkNamedValue(object, property, GameNames::screenNames(), "screen", "screens");
            return;
        case Kind::Setting:
            checkNamedValue(object, property, GameNames::settingFunctions(), "setting", "settings");
            return;
        case Kind::Text:
            return;
    }
    if (expected != nullptr) {
        error(property.position, "property " + MapWording::inQuotes(property.name) + " of " +
                                     objectText(object) + " is " + MapWording::inQuotes(value) +
                                     ", which is not " + expected + "; the game uses " +
                                     rule.fallback + " instead");
    }
}

void MapCheck::checkFileValue(const TmxObject& object, const TmxProperty& property, Kind kind) {
    const std::string name =
        "property " + MapWording::inQuotes(property.name) + " of " + objectText(object);
    const char* what = kind == Kind::Font ? "a font" : "an image";
    if (property.value.empty()) {
        error(property.position, name + " is empty; it should name " + what);
        return;
    }
    const FileVerdict& verdict = file(property.value, kind);
    if (!verdict.exists) {
        error(property.position, name + " names " + MapWording::inQuotes(property.value) +
                                     ", which does not exist under " + m_assetRoot);
    } else if (!verdict.loads) {
        error(property.position, name + " names " + MapWording::inQuotes(property.value) +
                                     ", which is not " + what + " the game can read");
    }
}

// Without its picture, font or next screen an object of these types shows or does nothing.
void MapCheck::checkNeededFiles(const TmxObject& object, const ObjectFactory::TypeRule& rule) {
    for (const Kind kind : {Kind::Picture, Kind::Font, Kind::Screen}) {
        const auto needed =
            std::find_if(rule.properties.begin(), rule.properties.end(),
                         [&](const ObjectFactory::PropertyRule& key) { return key.kind == kind; });
        if (needed == rule.properties.end()) {
            continue;
        }
        const bool given = std::any_of(
            object.properties.begin(), object.properties.end(), [&](const TmxProperty& property) {
                return std::any_of(rule.properties.begin(), rule.properties.end(),
                                   [&](const ObjectFactory::PropertyRule& key) {
                                       return key.kind == kind && key.key == property.name;
                                   });
            });
        if (!given) {
            const char* consequence = kind == Kind::Picture ? "it would have no picture"
                                      : kind == Kind::Font  ? "its text would not be drawn"
                                                            : "clicking it would lead nowhere";
            error(object.position, objectText(object) + " has no " +
                                       MapWording::inQuotes(needed->key) +
                                       " property: " + consequence);
        }
    }
}

void MapCheck::checkBody(const TmxObject& object) {
    if (object.type == Type::kWinZone && object.name != GameNames::kOpenWinZoneName) {
        error(object.position, objectText(object) +
                                   ": only a win zone named \"WinZone\" lets players in; this "
                                   "one's box would be solid, a wall before the finish");
    }
    if (object.type == Type::kBorder && object.name == GameNames::kOpenWinZoneName) {
        error(object.position, objectText(object) +
                                   ": a border named \"WinZone\" lets players through, but only "
                                   "the type \"WinZone\" ends their race");
    }
    // Walls and the finish never move, so only a player's mass matters.
    if (object.type != Type::kPlayer) {
        return;
    }
    std::optional<float> mass = 0.0f;
    for (const TmxProperty& property : object.properties) {
        if (property.name == Key::kMass) {
            mass = PropertyParser::number(property.value);
        }
    }
    // A mass that does not convert has been reported already.
    if (mass && *mass <= 0.0f) {
        error(object.position, objectText(object) + " has no mass above 0: it could not move");
    }
}

// The game knows an object only by its top-left corner, width and height.
void MapCheck::checkArea(const TmxObject& object, const ObjectFactory::TypeRule& rule) {
    using Shape = TmxObject::Shape;
    if (!rule.usesArea) {
        return;
    }
    if (object.shape == Shape::Ellipse) {
        error(object.position, objectText(object) +
                                   " is an ellipse: the game takes it for the rectangle around "
                                   "it; draw a rectangle");
        return;
    }
    const std::string shape = object.shape == Shape::Point     ? "a point"
                              : object.shape == Shape::Polygon ? "a polygon"
                              : object.shape == Shape::Polyline
                                  ? "a polyline"
                                  : "a rectangle of " + std::to_string(object.width) + " x " +
                                        std::to_string(object.height) + " px";
    if (object.shape != Shape::Rectangle || object.width <= 0 || object.height <= 0) {
        error(object.position, objectText(object) + " is " + shape +
                                   ", without area for the game: nothing can touch or click "
                                   "it; draw a rectangle with a width and a height");
    }
}

void MapCheck::checkPlacement(const TmxObject& object) {
    if (object.rotation != 0.0) {
        std::ostringstream degrees;
        degrees << object.rotation;
        error(object.position, objectText(object) + " is rotated by " + degrees.str() +
                                   " degrees: the game places it upright");
    }
    // Tiled stands a tile object on its position; the game hangs every object from it.
    if (object.gid != 0) {
        error(object.position, objectText(object) + " is a tile object: the game places it " +
                                   std::to_string(object.height) +
                                   " px lower than Tiled shows it; use a rectangle object");
    }
}

void MapCheck::checkTrail(const TmxObject& object) {
    if (!ObjectFactory::trailPlayerIndex(object.name, m_players)) {
        error(object.position,
              objectText(object) +
                  " names no player before it (players so far: " + listed(m_players) +
                  "); a trail is named after its player, e.g. Player1Trail, and is left out");
    }
}

// A screen keeps its objects by name: of two with one name, only the last is updated.
void MapCheck::checkName(const TmxObject& object) {
    const auto [earlier, isNew] = m_names.emplace(object.name, object.position);
    if (!isNew) {
        warning(object.position, objectText(object) + " has the name of the object on line " +
                                     std::to_string(earlier->second.line) +
                                     "; a screen keeps only one object per name");
    }
}

// The race waits for every racer, and keeps each one's result by the path of its picture.
void MapCheck::checkRacer(const TmxObject& object) {
    const bool isPlayer = object.type == Type::kPlayer;
    if (GameNames::isRacerId(object.name) && !isPlayer) {
        error(object.position, objectText(object) +
                                   ": a name containing \"Player\" makes it a racer that never "
                                   "finishes, so the race never ends; rename it");
    } else if (isPlayer && !GameNames::isRacerId(object.name)) {
        error(object.position, objectText(object) +
                                   ": the race counts only players whose name contains "
                                   "\"Player\" (and not \"Camera\"); its finish would be lost");
    }
    if (!isPlayer) {
        return;
    }
    for (const TmxProperty& property : object.properties) {
        if (property.name == Key::kTexturePath &&
            Leaderboard::sanitizedName(property.value) != property.value) {
            error(property.position, "property " + MapWording::inQuotes(Key::kTexturePath) +
                                         " of " + objectText(object) +
                                         " has a comma or a line break, which the leaderboard "
                                         "cannot keep: the results could not show this racer");
        }
    }
}

// The race follows two players, each with a camera on its half of the screen.
void MapCheck::checkRace(const TmxMap& map) {
    for (const std::string& player : {GameNames::racerId(1), GameNames::racerId(2)}) {
        if (std::find(m_players.begin(), m_players.end(), player) == m_players.end()) {
            error(map.position, "the race needs an object " + MapWording::inQuotes(player) +
                                    " of type \"Player\" on a layer");
        }
    }
    const bool hasFinish = std::any_of(
        map.objectGroups.begin(), map.objectGroups.end(), [](const TmxObjectGroup& group) {
            return std::any_of(group.objects.begin(), group.objects.end(),
                               [](const TmxObject& object) {
                                   return object.type == Type::kWinZone &&
                                          object.name == GameNames::kOpenWinZoneName;
                               });
        });
    if (!hasFinish) {
        warning(map.position,
                "the race has no \"WinZone\": it ends only when every player has run "
                "out of points");
    }
}

const FileVerdict& MapCheck::file(const std::string& value, Kind kind) {
    // Plain concatenation, as the game forms its paths.
    const std::string path = m_assetRoot + value;
    const auto known = m_files.find(path);
    if (known != m_files.end()) {
        return known->second;
    }
    FileVerdict verdict;
    verdict.exists = RegularFile::exists(path);
    if (verdict.exists && kind == Kind::Font) {
        sf::Font font;
        verdict.loads = RegularFile::load(
            path, [&font](const std::string& plain) { return font.loadFromFile(plain); });
    } else if (verdict.exists) {
        sf::Image image;
        verdict.loads = RegularFile::load(
            path, [&image](const std::string& plain) { return image.loadFromFile(plain); });
        verdict.imageSize = image.getSize();
    }
    return m_files[path] = verdict;
}

}  // namespace

std::string MapDiagnostic::format(const std::string& path) const {
    return path + ':' + std::to_string(std::max(position.line, 1)) + ':' +
           std::to_string(std::max(position.column, 1)) + ": " +
           (severity == Severity::Error ? "error: " : "warning: ") + message;
}

MapChecker::MapChecker(std::string assetRoot) : m_assetRoot(std::move(assetRoot)) {
    if (m_assetRoot.empty()) {
        m_assetRoot = "./";
    } else if (m_assetRoot.back() != '/') {
        m_assetRoot += '/';
    }
}

std::vector<MapDiagnostic> MapChecker::checkFile(const std::string& path) const {
    auto text = readMapText(path);
    if (!text) {
        return {{Severity::Error,
                 {},
                 "cannot read the file (missing, not a regular file, or "
                 "too large for a map)"}};
    }
    text->pop_back();  // the NUL that readMapText adds
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return MapCheck(m_assetRoot)
        .run(std::string(text->begin(), text->end()), folder.empty() ? folder : folder + "/");
}

std::vector<MapDiagnostic> MapChecker::checkText(const std::string& text) const {
    return MapCheck(m_assetRoot).run(text, m_assetRoot);
}
