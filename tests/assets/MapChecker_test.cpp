#include "assets/MapChecker.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "states/MainState.hpp"

namespace {

namespace fs = std::filesystem;

// The checkout's assets/, whose pictures and font the small maps below use.
fs::path assetRoot() {
    const char* checkout = std::getenv("TUMBLELEAF_SOURCE_DIR");
    return fs::path(checkout != nullptr ? checkout : "TUMBLELEAF_SOURCE_DIR is not set") / "assets";
}

const std::string kTileset =
    "<tileset firstgid='1' name='Desk' tilewidth='32' tileheight='32'>"
    "<image source='tilesets/DeskTiles.png'/></tileset>\n";

std::string mapOf(const std::string& body, const std::string& tileSize = "32") {
    return "<map width='2' height='1' tilewidth='" + tileSize + "' tileheight='" + tileSize +
           "'>\n" + body + "</map>\n";
}

std::string layer(const std::string& name, const std::string& cells = "1,2") {
    return "<layer name='" + name + "' width='2' height='1'><data encoding='csv'>" + cells +
           "</data></layer>\n";
}

std::string property(const std::string& name, const std::string& value) {
    return "<property name='" + name + "' value='" + value + "'/>\n";
}

std::string object(const std::string& name, const std::string& type,
                   const std::string& properties = "", const std::string& onLayer = "Ground") {
    return "<object name='" + name + "' type='" + type + "' x='0' y='0'><properties>\n" +
           (onLayer.empty() ? "" : property("correspondingLayer", onLayer)) + properties +
           "</properties></object>\n";
}

// A map with the desk tileset, a layer "Ground" and these objects in one group.
std::string mapWithObjects(const std::string& objects) {
    return mapOf(kTileset + layer("Ground") + "<objectgroup name='g'>\n" + objects +
                 "</objectgroup>\n");
}

// Every finding as "line:column: error: message".
std::vector<std::string> check(const std::string& text, const std::string& fileName = "Map.tmx") {
    std::vector<std::string> lines;
    for (const auto& diagnostic : MapChecker(assetRoot().string()).checkText(text, fileName)) {
        lines.push_back(diagnostic.format("").substr(1));
    }
    return lines;
}

// The one finding that contains `part`; fails unless there is exactly one.
std::string finding(const std::vector<std::string>& lines, const std::string& part) {
    std::vector<std::string> matches;
    for (const auto& line : lines) {
        if (line.find(part) != std::string::npos) {
            matches.push_back(line);
        }
    }
    std::string all;
    for (const auto& line : lines) {
        all += line + '\n';
    }
    EXPECT_EQ(matches.size(), 1u) << "looking for: " << part << "\nfound:\n" << all;
    return matches.empty() ? "" : matches.front();
}

TEST(MapCheckerTest, EveryShippedMapPassesWithoutARemark) {
    const MapChecker checker(assetRoot().string());
    int maps = 0;
    for (const auto& entry : fs::directory_iterator(assetRoot())) {
        if (entry.path().extension() == ".tmx") {
            ++maps;
            for (const auto& diagnostic : checker.checkFile(entry.path().string())) {
                ADD_FAILURE() << diagnostic.format(entry.path().string());
            }
        }
    }
    EXPECT_GE(maps, 6);
}

TEST(MapCheckerTest, FindingsAreWrittenAsCompilersWriteThem) {
    const MapDiagnostic error{MapDiagnostic::Severity::Error, {3, 7}, "bad"};
    const MapDiagnostic warning{MapDiagnostic::Severity::Warning, {}, "odd"};
    EXPECT_EQ(error.format("a/Map.tmx"), "a/Map.tmx:3:7: error: bad");
    EXPECT_EQ(warning.format("Map.tmx"), "Map.tmx:1:1: warning: odd");

    const auto unreadable = MapChecker(assetRoot().string()).checkFile("no/such/map.tmx");
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_EQ(unreadable[0].format("m").rfind("m:1:1: error: cannot read the file", 0), 0u);
}

TEST(MapCheckerTest, XmlSyntaxErrorsGiveTheParsersMessageAndPlace) {
    const auto lines = check("<map width='1'\n height='1' tilewidth=32/>");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "2:23: error: XML syntax error: expected ' or \"");
    std::string deep;
    for (int level = 0; level < 200; ++level) {
        deep += "<a>";
    }
    EXPECT_EQ(finding(check("<map>\n" + deep), "nested more than 100 levels").rfind("2:", 0), 0u);
}

TEST(MapCheckerTest, EveryMissingElementAndAttributeIsNamedAtItsPlace) {
    const auto lines =
        check(mapOf("<tileset firstgid='1' name='a' tilewidth='32' tileheight='32'/>\n"
                    "<layer name='L' width='2' height='1'/>\n"
                    "<objectgroup name='g'><object name='o' y='1'/></objectgroup>\n"
                    "<objectgroup><object type='Logo' x='0' y='0'/></objectgroup>\n"));
    EXPECT_EQ(finding(lines, "<tileset> has no <image>"),
              "2:2: error: <tileset> has no <image> element");
    EXPECT_EQ(finding(lines, "<layer> has no <data>").rfind("3:2: error:", 0), 0u);
    EXPECT_EQ(finding(lines, "<object> has no \"x\"").rfind("4:24: error:", 0), 0u);
    EXPECT_EQ(finding(lines, "<objectgroup> has no \"name\"").rfind("5:2: error:", 0), 0u);
    EXPECT_EQ(check("<mop/>"), std::vector<std::string>{"1:1: error: there is no <map> element"});
}

TEST(MapCheckerTest, LayersMustBeCsvWithOneCellPerTile) {
    const auto lines = check(mapOf(
        kTileset +
        "<layer name='B' width='2' height='1'><data encoding='base64'>AQ==</data></layer>\n"
        "<layer name='Z' width='2' height='1'><data encoding='base64' compression='zlib'>eJ=</data>"
        "</layer>\n" +
        layer("Short", "1") + layer("Long", "1,2,3")));
    EXPECT_NE(finding(lines, "layer \"B\" is saved as base64; save the layer as CSV"), "");
    EXPECT_NE(finding(lines, "layer \"Z\" is saved as base64 zlib compressed"), "");
    EXPECT_NE(finding(lines, "layer \"Short\" has 1 cells in its data instead of 2 x 1 = 2"), "");
    EXPECT_EQ(finding(lines, "layer \"Long\" has 3 cells").rfind("6:42: error:", 0), 0u);
}

TEST(MapCheckerTest, TilesetsMustBeEmbeddedSquareAndCutFromAnImageThatExists) {
    const auto lines =
        check(mapOf("<tileset firstgid='1' source='desk.tsx'/>\n"
                    "<tileset firstgid='1' name='Gone' tilewidth='32' tileheight='32'>"
                    "<image source='tilesets/Gone.png'/></tileset>\n"
                    "<tileset firstgid='2' name='Sound' tilewidth='32' tileheight='32'>"
                    "<image source='Music/TestLoop.wav'/></tileset>\n"
                    "<tileset firstgid='3' name='Sound' tilewidth='16' tileheight='16'>"
                    "<image source='ui/KeyA.png'/></tileset>\n"));
    EXPECT_NE(finding(lines, "tileset \"desk.tsx\" is kept in a file of its own"), "");
    EXPECT_EQ(finding(lines, "image \"tilesets/Gone.png\" does not exist under " +
                                 assetRoot().string() + "/")
                  .rfind("3:67: error:", 0),
              0u);
    EXPECT_NE(finding(lines, "image \"Music/TestLoop.wav\" is not an image the game can read"), "");
    EXPECT_NE(finding(lines, "tileset \"Sound\" has the name of an earlier tileset"), "");
    EXPECT_NE(finding(lines, "tileset \"Sound\" has 16 x 16 px tiles, the map 32 x 32"), "");

    const auto wide =
        check(mapOf("<tileset firstgid='1' name='Desk' tilewidth='512' tileheight='512'>"
                    "<image source='tilesets/DeskTiles.png'/></tileset>\n" +
                        layer("L"),
                    "512"));
    EXPECT_NE(finding(wide,
                      "image \"tilesets/DeskTiles.png\" is 256 x 384 px, smaller than one "
                      "tile"),
              "");
    EXPECT_EQ(wide.size(), 1u);  // its cells are not blamed once more

    const auto oblong =
        check("<map width='1' height='1' tilewidth='32' tileheight='16'>" + kTileset + "</map>");
    EXPECT_EQ(finding(oblong, "tiles must be square"),
              "1:2: error: the map's tiles are 32 x 16 px; tiles must be square, or the layers are "
              "drawn wrongly");
}

TEST(MapCheckerTest, CellsThatWouldBeLeftEmptyAreCountedPerLayer) {
    const std::string lateTileset =
        "<tileset firstgid='10' name='Desk' tilewidth='32' tileheight='32'>"
        "<image source='tilesets/DeskTiles.png'/></tileset>\n";
    const auto lines = check(mapOf(lateTileset + layer("Low", "3,9") + layer("High", "105,200") +
                                   layer("Flipped", "2147483658,10")));
    EXPECT_EQ(finding(lines, "layer \"Low\""),
              "3:41: error: layer \"Low\": 2 tile(s) belong to no tileset and would be left empty "
              "(the first at column 0, row 0, gid 3)");
    EXPECT_NE(finding(lines,
                      "layer \"High\": 1 tile(s) lie beyond the end of their tileset's "
                      "image and would be left empty (the first at column 1, row 0, gid "
                      "200)"),
              "");
    EXPECT_NE(finding(lines,
                      "layer \"Flipped\": 1 flipped or rotated tile(s) left empty, the "
                      "first at column 0, row 0"),
              "");
    EXPECT_EQ(lines.size(), 3u);
}

TEST(MapCheckerTest, ObjectTypesMustBeTheGamesOwnExactly) {
    const auto lines =
        check(mapWithObjects(object("a", "Trigger") + object("b", "winzone") + object("c", "") +
                             "<object name='d' class='Logo' x='0' y='0'><properties>" +
                             property("correspondingLayer", "Ground") +
                             property("texturepath", "ui/Logo.png") + "</properties></object>\n"));
    EXPECT_NE(finding(lines,
                      "error: object \"a\" has the unknown type \"Trigger\"; the game "
                      "builds nothing for it (the types are \"Player\", \"MapBorder\""),
              "");
    EXPECT_NE(finding(lines,
                      "error: object \"b\" has the type \"winzone\", which differs from "
                      "\"WinZone\" only in letter case"),
              "");
    EXPECT_NE(finding(lines, "warning: object \"c\" has no type"), "");
    EXPECT_NE(finding(lines, "warning: object \"d\" has its type saved as \"class\""), "");
    EXPECT_EQ(lines.size(), 4u);
}

TEST(MapCheckerTest, AnObjectMustNameOneOfTheLayers) {
    const auto lines = check(mapWithObjects(
        object("Nowhere", "Logo", property("texturepath", "ui/Logo.png"), "") +
        object("Lower", "Logo", property("texturepath", "ui/Logo.png"), "ground") +
        object("Second", "Logo",
               property("texturepath", "ui/Logo.png") + property("correspondingLayer", "Ground"),
               "Top")));
    EXPECT_NE(finding(lines,
                      "object \"Nowhere\" (Logo) has no \"correspondingLayer\" property; "
                      "it would never be drawn or updated"),
              "");
    EXPECT_EQ(finding(lines,
                      "\"correspondingLayer\" of object \"Lower\" (Logo) names no layer: "
                      "\"ground\" (the layers are \"Ground\")")
                  .rfind("9:2: error:", 0),
              0u);
    EXPECT_EQ(lines.size(), 2u);  // a second property that names a layer is enough
}

TEST(MapCheckerTest, ValuesMustConvertAndKeysMatchExactly) {
    const auto lines = check(
        mapWithObjects(object("Wall", "MapBorder",
                              property("mass", "heavy") + property("velocity", "1,x") +
                                  property("Restitution", "0.5") + property("colour", "#ff000000") +
                                  property("mass", "1000")) +
                       object("Label", "Text",
                              property("fontpath", "fonts/mini-pixel-7/mini_pixel-7.ttf") +
                                  property("fontsize", "huge") + property("color", "red"))));
    EXPECT_NE(finding(lines,
                      "error: property \"mass\" of object \"Wall\" (MapBorder) is "
                      "\"heavy\", which is not a number; the game uses 0 instead"),
              "");
    EXPECT_NE(finding(lines,
                      "\"velocity\" of object \"Wall\" (MapBorder) is \"1,x\", which is "
                      "not a number pair"),
              "");
    EXPECT_NE(finding(lines,
                      "error: property \"Restitution\" of object \"Wall\" (MapBorder) is "
                      "not read: keys are case-sensitive, this type reads \"restitution\""),
              "");
    EXPECT_NE(finding(lines,
                      "warning: property \"colour\" of object \"Wall\" (MapBorder) is not "
                      "read by this type"),
              "");
    EXPECT_NE(finding(lines,
                      "warning: property \"mass\" of object \"Wall\" (MapBorder) is given "
                      "again; the last one counts"),
              "");
    EXPECT_NE(finding(lines,
                      "\"fontsize\" of object \"Label\" (Text) is \"huge\", which is not a "
                      "whole number; the game uses 10 instead"),
              "");
    EXPECT_NE(finding(lines,
                      "\"color\" of object \"Label\" (Text) is \"red\", which is not a "
                      "colour"),
              "");
    EXPECT_EQ(lines.size(), 7u);
}

TEST(MapCheckerTest, NamedFilesMustExistAndBeOfTheirKind) {
    const auto lines = check(mapWithObjects(
        object("Gone", "Logo", property("texturepath", "ui/Gone.png")) +
        object("Empty", "Logo", property("texturepath", "")) +
        object("Song", "Logo", property("texturepath", "Music/TestLoop.wav")) +
        object("NoPicture", "Logo") +
        object("PictureFont", "Text", property("fontpath", "ui/Logo.png")) +
        object("OldName", "Text", property("texturepath", "fonts/mini-pixel-7/mini_pixel-7.ttf")) +
        object("Plate", "SettingsButton",
               property("texturepath", "ui/ButtonPlate.png") +
                   property("fontPath", "fonts/gone.ttf") + property("fontpath", "x"))));
    EXPECT_NE(finding(lines,
                      "\"texturepath\" of object \"Gone\" (Logo) names \"ui/Gone.png\", "
                      "which does not exist under"),
              "");
    EXPECT_NE(finding(lines, "\"texturepath\" of object \"Empty\" (Logo) is empty"), "");
    EXPECT_NE(finding(lines,
                      "names \"Music/TestLoop.wav\", which is not an image the game can "
                      "read"),
              "");
    EXPECT_NE(finding(lines,
                      "object \"NoPicture\" (Logo) has no \"texturepath\" property: it "
                      "would have no picture"),
              "");
    EXPECT_NE(finding(lines, "names \"ui/Logo.png\", which is not a font the game can read"), "");
    EXPECT_NE(finding(lines,
                      "\"fontPath\" of object \"Plate\" (SettingsButton) names "
                      "\"fonts/gone.ttf\", which does not exist"),
              "");
    EXPECT_NE(finding(lines,
                      "\"fontpath\" of object \"Plate\" (SettingsButton) is not read: keys "
                      "are case-sensitive, this type reads \"fontPath\""),
              "");
    EXPECT_EQ(lines.size(), 7u);  // a Text may name its font with "texturepath"
}

TEST(MapCheckerTest, BordersAndTheFinishNeedTheirNamesAndMasses) {
    const std::string heavy = property("mass", "1000");
    const auto lines = check(mapWithObjects(
        object("Goal", "WinZone", heavy) + object("WinZone", "MapBorder", heavy) +
        object("WinZone", "WinZone", heavy) + object("Light", "MapBorder", property("mass", "0")) +
        object("Player1", "Player", property("texturepath", "characters/Crayon.png"))));
    EXPECT_NE(finding(lines,
                      "error: object \"Goal\" (WinZone): only a win zone named \"WinZone\" "
                      "lets players in"),
              "");
    EXPECT_NE(finding(lines,
                      "error: object \"WinZone\" (MapBorder): a border named \"WinZone\" "
                      "lets players through"),
              "");
    EXPECT_NE(finding(lines, "warning: object \"Light\" (MapBorder) has no mass above 0"), "");
    EXPECT_NE(finding(lines,
                      "error: object \"Player1\" (Player) has no mass above 0: it could not "
                      "move"),
              "");
    EXPECT_NE(finding(lines,
                      "warning: object \"WinZone\" (WinZone) has the name of the object on "
                      "line 9"),
              "");
    EXPECT_EQ(lines.size(), 5u);
}

TEST(MapCheckerTest, ATrailFollowsAPlayerBuiltBeforeIt) {
    const std::string player =
        property("texturepath", "characters/Crayon.png") + property("mass", "1");
    const std::string trail = property("texturepath", "characters/CrayonTrail.png");
    const auto lines = check(mapWithObjects(
        object("Player1Trail", "Trail", trail) + object("Player1", "Player", player) +
        object("Player2", "Player", player, "") + object("Player2Trail", "Trail", trail) +
        object("Player1Trail", "Trail", trail)));
    EXPECT_EQ(finding(lines,
                      "\"Player1Trail\" (Trail) names no player before it (players so far: "
                      "none); a trail is named after its player")
                  .rfind("5:2: error:", 0),
              0u);
    EXPECT_NE(finding(lines,
                      "\"Player2Trail\" (Trail) names no player before it (players so far: "
                      "\"Player1\")"),
              "");
    EXPECT_NE(finding(lines, "object \"Player2\" (Player) has no \"correspondingLayer\""), "");
    EXPECT_EQ(lines.size(), 3u);
}

TEST(MapCheckerTest, StateButtonsLeadToARegisteredScreen) {
    const std::string face = property("texturepath", "ui/ButtonPlay.png");
    const auto lines = check(mapWithObjects(
        object("Play", "GamestateButton", face + property("nextState", "GameState")) +
        object("Typo", "GamestateButton", face + property("nextState", "Gamestate")) +
        object("Nowhere", "GamestateButton", face)));
    EXPECT_NE(finding(lines,
                      "\"nextState\" of object \"Typo\" (GamestateButton) is "
                      "\"Gamestate\", which is no screen (the screens are \"MenuState\""),
              "");
    EXPECT_NE(finding(lines,
                      "object \"Nowhere\" (GamestateButton) has no \"nextState\" property: "
                      "clicking it would lead nowhere"),
              "");
    EXPECT_EQ(lines.size(), 2u);
}

TEST(MapCheckerTest, TheLevelNeedsItsTwoPlayers) {
    const std::string player =
        property("texturepath", "characters/Crayon.png") + property("mass", "1");
    const std::string oneRacer =
        mapWithObjects(object("Player1", "Player", player) +
                       object("Player2", "Logo", property("texturepath", "characters/Chalk.png")));
    EXPECT_TRUE(check(oneRacer).empty());
    const auto lines = check(oneRacer, MainState::kMapFile);
    EXPECT_EQ(finding(lines, "Player2"),
              "1:2: error: the level needs an object \"Player2\" of type \"Player\" on a layer");
    EXPECT_NE(finding(lines, "warning: the level has no \"WinZone\""), "");
    EXPECT_EQ(lines.size(), 2u);
}

TEST(MapCheckerTest, FindingsComeInTheOrderOfTheFile) {
    const auto lines =
        check(mapWithObjects(object("b", "Nothing")) + "<!-- -->\n", MainState::kMapFile);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].rfind("1:2:", 0), 0u);
    EXPECT_EQ(lines[3].rfind("5:2: error: object \"b\"", 0), 0u);
}

}  // namespace
