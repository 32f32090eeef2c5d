#include "assets/MapChecker.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// The checkout's assets/, whose pictures and font the small maps below use.
std::string assetRoot() {
    const char* checkout = std::getenv("TUMBLELEAF_SOURCE_DIR");
    return (std::filesystem::path(checkout != nullptr ? checkout : "unset") / "assets").string();
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

// A 32 px square unless `shape` gives other attributes (and, after a '>', child elements).
std::string object(const std::string& name, const std::string& type,
                   const std::string& properties = "", const std::string& onLayer = "Ground",
                   const std::string& shape = "width='32' height='32'>") {
    return "<object name='" + name + "' type='" + type + "' x='0' y='0' " + shape +
           "<properties>\n" + (onLayer.empty() ? "" : property("correspondingLayer", onLayer)) +
           properties + "</properties></object>\n";
}

// A map with the desk tileset, a layer "Ground" and these objects in one group from line 5 on.
std::string mapWithObjects(const std::string& objects) {
    return mapOf(kTileset + layer("Ground") + "<objectgroup name='g'>\n" + objects +
                 "</objectgroup>\n");
}

const std::string kRacer = property("texturepath", "characters/Crayon.png") + property("mass", "1");
const std::string kLogo = property("texturepath", "ui/Logo.png");

// Every finding as "line:column: error: message".
std::vector<std::string> check(const std::string& text) {
    std::vector<std::string> lines;
    for (const auto& diagnostic : MapChecker(assetRoot()).checkText(text)) {
        lines.push_back(diagnostic.format("").substr(1));
    }
    return lines;
}

// The map gets exactly one finding containing each part (its place, severity and key facts),
// and no other.
void expectFindings(const std::string& text, const std::vector<std::string>& parts) {
    const auto lines = check(text);
    std::string all;
    for (const auto& line : lines) {
        all += line + '\n';
    }
    EXPECT_EQ(lines.size(), parts.size()) << all;
    for (const auto& part : parts) {
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [&](const auto& line) { return line.find(part) != line.npos; }),
                  1)
            << part << "\nfound:\n"
            << all;
    }
}

// What Tiled writes beyond the shipped maps: a type saved as Tiled 1.9's "class", entities and
// character codes, notes in comments, and a picture, drawn from its corner, of any shape.
TEST(MapCheckerTest, AMapAsTheGuideDescribesItGetsNoRemark) {
    const std::string font = property("fontpath", "fonts/mini-pixel-7/mini_pixel-7.ttf");
    expectFindings(mapWithObjects("<object name='Logo' class='Logo' x='0' y='0'><properties>" +
                                  property("correspondingLayer", "Ground") + kLogo +
                                  "</properties></object>\n" +
                                  object("Dot", "Logo", kLogo, "Ground", "><point/>") +
                                  object("WinZone", "WinZone", property("restitution", "0.5")) +
                                  object("Title", "Text",
                                         font + property("text",
                                                         "Salt &amp; &lt;Pepper&gt; &#233;&#xE9; "
                                                         "&quot;&apos;"))) +
                       "<!-- to do: ramps & jumps <a> -->\n",
                   {});
}

// What the reader refuses or leaves out comes through at its place, and a file that cannot be read
// at the map's start; the rest of the map is still checked, and findings come in the order of the
// file.
TEST(MapCheckerTest, TheReadersProblemsComeThroughAndTheRestIsStillChecked) {
    expectFindings("<map width='1'\n height='1' tilewidth=32/>", {"2:23: error: XML syntax"});
    const auto unreadable = MapChecker(assetRoot()).checkFile("no/such/map.tmx");
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_EQ(unreadable[0].format("m").rfind("m:1:1: error: cannot read the file", 0), 0u);
    const auto lines = check(
        mapOf("<tileset firstgid='1' name='a' tilewidth='32' tileheight='32'/>\n" +
              layer("Ground", "0,0") + "<group name='Back'><objectgroup name='Far'/></group>\n" +
              "<objectgroup name='g'>\n" + object("b", "Nothing") +
              object("Player1", "Player", kRacer) + "</objectgroup>\n"));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].rfind("1:2: error: the race needs an object \"Player2\"", 0), 0u);
    EXPECT_EQ(lines[1].rfind("1:2: warning: the race has no \"WinZone\"", 0), 0u);
    EXPECT_EQ(lines[2].rfind("2:2: error: <tileset> has no <image>", 0), 0u);
    EXPECT_EQ(
        lines[3].rfind("4:21: error: object layer \"Far\" inside the group layer \"Back\"", 0), 0u);
    EXPECT_EQ(lines[4].rfind("6:2: error: object \"b\" has the unknown type", 0), 0u);
}

// Tiled opens maps with a strict XML parser; the game's accepts all of these.
TEST(MapCheckerTest, XmlThatTiledCannotOpenIsNamedAtItsPlace) {
    const std::string start = mapOf(kTileset + layer("Ground"));
    const struct {
        std::string body, finding;
    } cases[] = {
        {"<objectgroup name='Salt & Pepper'/>", "4:25: error: a \"&\" that begins no reference"},
        {"<objectgroup name='&nbsp;'/>", "4:20: error: a \"&\""},
        {"<objectgroup name='&#0;'/>", "4:20: error: a \"&\""},
        {"<objectgroup name='g'>Fish &amp; Chips & Peas</objectgroup>", "4:40: error: a \"&\""},
        {"<objectgroup name='a<b'/>", "4:21: error: a \"<\" in the value of \"name\""},
        {"<objectgroup name='g' name='h'/>", "4:23: error: <objectgroup> has the attribute"},
        {"<objectgroup name='g'></layer>", "4:25: error: the closing tag </layer>"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.body);
        std::string text = start;
        text.insert(text.find("</map>"), bad.body + "\n");
        expectFindings(text, {bad.finding});
        EXPECT_NE(check(text).at(0).find("Tiled cannot open the map"), std::string::npos);
    }
    expectFindings(start + "<map/>\n", {"5:2: error: <map> is a second top-level element"});
}

TEST(MapCheckerTest, TilesetsMustBeSquareAndCutFromAnImageThatExists) {
    expectFindings(mapOf("<tileset firstgid='1' name='Gone' tilewidth='32' tileheight='32'>"
                         "<image source='tilesets/Gone.png'/></tileset>\n"
                         "<tileset firstgid='2' name='Sound' tilewidth='32' tileheight='32'>"
                         "<image source='Music/TestLoop.wav'/></tileset>\n"
                         "<tileset firstgid='3' name='Sound' tilewidth='16' tileheight='16'>"
                         "<image source='ui/KeyEsc.png'/></tileset>\n"),
                   {"2:67: error: tileset \"Gone\": image \"tilesets/Gone.png\" does not exist",
                    "\"Music/TestLoop.wav\" is not an image",
                    "4:2: error: tileset \"Sound\" has the name of an earlier",
                    "16 x 16 px tiles, the map 32"});
    // Its cells are not blamed once more.
    expectFindings(mapOf("<tileset firstgid='1' name='Desk' tilewidth='512' tileheight='512'>"
                         "<image source='tilesets/DeskTiles.png'/></tileset>\n" +
                             layer("L"),
                         "512"),
                   {"\"tilesets/DeskTiles.png\" is 256 x 384 px, smaller than one tile"});
    expectFindings(
        "<map width='1' height='1' tilewidth='32' tileheight='16'>" + kTileset + "</map>",
        {"1:2: error: the map's tiles are 32 x 16 px; tiles must be square",
         "1:59: error: tileset \"Desk\" has 32 x 32 px tiles, the map 32 x 16"});
}

TEST(MapCheckerTest, CellsThatWouldBeLeftEmptyAreCountedPerLayer) {
    const std::string lateTileset =
        "<tileset firstgid='10' name='Desk' tilewidth='32' tileheight='32'>"
        "<image source='tilesets/DeskTiles.png'/></tileset>\n";
    expectFindings(mapOf(lateTileset + layer("Low", "3,9") + layer("High", "105,200")),
                   {"3:41: error: layer \"Low\": 2 tile(s) belong to no tileset",
                    "\"High\": 1 tile(s) lie beyond the end of their tileset's image"});
}

// What each object must be to be built as the map shows it. One case per rule, each one map.
TEST(MapCheckerTest, ObjectsBreakingTheGamesRulesAreNamedWithTheirProperty) {
    const std::string face = property("texturepath", "ui/ButtonPlay.png");
    const std::string trail = property("texturepath", "characters/CrayonTrail.png");
    const std::string font = property("fontpath", "fonts/mini-pixel-7/mini_pixel-7.ttf");
    const struct {
        std::string objects;
        std::vector<std::string> findings;
    } cases[] = {
        {object("b", "winzone") + object("c", ""),
         {"\"winzone\", which differs from \"WinZone\"", "warning: object \"c\" has no type"}},
        // A second property that names a layer is enough.
        {object("Nowhere", "Logo", kLogo, "") + object("Lower", "Logo", kLogo, "ground") +
             object("Second", "Logo", kLogo + property("correspondingLayer", "Ground"), "Top"),
         {"\"Nowhere\" (Logo) has no \"correspondingLayer\"",
          "9:2: error: \"correspondingLayer\" of object \"Lower\" (Logo) names no layer"}},
        {object("Wall", "MapBorder",
                property("mass", "heavy") + property("velocity", "1,x") +
                    property("Restitution", "0.5") + property("colour", "#ff000000") +
                    property("mass", "1000")) +
             object("Label", "Text",
                    font + property("fontsize", "huge") + property("color", "red")),
         {"\"mass\" of object \"Wall\" (MapBorder) is \"heavy\"", "\"velocity\" of object \"Wall\"",
          "error: property \"Restitution\" of object \"Wall\" (MapBorder) is not read",
          "warning: property \"colour\" of object \"Wall\"",
          "11:2: warning: property \"mass\" of object \"Wall\"", "\"fontsize\" of object \"Label\"",
          "\"color\" of object \"Label\" (Text) is \"red\""}},
        // A Text may name its font with "texturepath".
        {object("Gone", "Logo", property("texturepath", "ui/Gone.png")) +
             object("Empty", "Logo", property("texturepath", "")) +
             object("Song", "Logo", property("texturepath", "Music/TestLoop.wav")) +
             object("NoPicture", "Logo") +
             object("PictureFont", "Text", property("fontpath", "ui/Logo.png")) +
             object("OldName", "Text",
                    property("texturepath", "fonts/mini-pixel-7/mini_pixel-7.ttf")) +
             object("Plate", "SettingsButton",
                    property("texturepath", "ui/ButtonPlate.png") +
                        property("fontPath", "fonts/gone.ttf") + property("fontpath", "x")),
         {"\"Gone\" (Logo) names \"ui/Gone.png\", which does not exist",
          "\"Empty\" (Logo) is empty",
          "\"Song\" (Logo) names \"Music/TestLoop.wav\", which is not an image",
          "\"NoPicture\" (Logo) has no \"texturepath\"", "\"PictureFont\" (Text) names",
          "\"fontPath\" of object \"Plate\" (SettingsButton) names \"fonts/gone.ttf\"",
          "\"fontpath\" of object \"Plate\" (SettingsButton) is not read"}},
        {object("Goal", "WinZone") + object("WinZone", "MapBorder") + object("WinZone", "WinZone") +
             object("Player1", "Player", property("texturepath", "characters/Crayon.png")) +
             object("Player2", "Player",
                    property("texturepath", "characters/Chalk.png") + property("mass", "-1")),
         {"\"Goal\" (WinZone): only a win zone named", "\"WinZone\" (MapBorder): a border named",
          "\"Player1\" (Player) has no mass above 0", "\"Player2\" (Player) has no mass above 0",
          "warning: object \"WinZone\" (WinZone) has the name of the object on line 8"}},
        // The race waits for every object whose name contains "Player", and shows each result by
        // the picture's path that the leaderboard keeps.
        {object("Player1", "Player", kRacer) + object("Player2", "Player", kRacer) +
             object("WinZone", "WinZone") + object("PlayerPortrait", "Logo", kLogo) +
             object("PlayerCamera", "Logo", kLogo) + object("Racer", "Player", kRacer) +
             object("Player3", "Player",
                    property("mass", "1") + property("texturepath", "characters/Crayon,red.png")),
         {"18:2: error: object \"PlayerPortrait\" (Logo): a name containing \"Player\"",
          "\"characters/Crayon,red.png\", which does not exist",
          "\"Racer\" (Player): the race counts only players whose name contains",
          "34:2: error: property \"texturepath\" of object \"Player3\" (Player) has a comma"}},
        {object("Player1Trail", "Trail", trail) + object("Player1", "Player", kRacer) +
             object("Player2", "Player", kRacer, "") + object("Player2Trail", "Trail", trail) +
             object("Player1Trail", "Trail", trail) + object("WinZone", "WinZone"),
         {"5:2: error: object \"Player1Trail\" (Trail) names no player before it",
          "\"Player2Trail\" (Trail) names no player before it (players so far: \"Player1\")",
          "\"Player2\" (Player) has no \"correspondingLayer\"",
          "the race needs an object \"Player2\""}},
        {object("Play", "GamestateButton", face + property("nextState", "GameState")) +
             object("Typo", "GamestateButton", face + property("nextState", "Gamestate")) +
             object("Nowhere", "GamestateButton", face) +
             object("Mute", "SettingsButton", face + property("functionality", "ToggleSond")),
         {"\"Typo\" (GamestateButton) is \"Gamestate\", which is no screen",
          "\"Nowhere\" (GamestateButton) has no \"nextState\"",
          "\"Mute\" (SettingsButton) has no \"fontPath\"",
          "\"Mute\" (SettingsButton) is \"ToggleSond\", which is no setting"}},
        // The game knows an object that touches or is clicked only by its top-left corner, width
        // and height.
        {object("a", "MapBorder", "", "Ground", "width='32' height='32'><ellipse/>") +
             object("b", "Paper", "", "Ground", "><polygon points='0,0 9,9 0,9'/>") +
             object("WinZone", "WinZone", "", "Ground", "><point/>") +
             object("d", "GamestateButton", face + property("nextState", "GameState"), "Ground",
                    "><polyline points='0,0 9,9'/>") +
             object("e", "MapBorder", "", "Ground", "width='0' height='32'>") +
             object("f", "MapBorder", "", "Ground", "width='32' height='32' rotation='-22.5'>") +
             object("g", "Logo", kLogo, "Ground", "gid='1' width='32' height='20'>"),
         {"5:2: error: object \"a\" (MapBorder) is an ellipse: the game takes it for",
          "\"b\" (Paper) is a polygon, without area", "\"WinZone\" (WinZone) is a point, without",
          "\"d\" (GamestateButton) is a polyline, without area",
          "\"e\" (MapBorder) is a rectangle of 0 x 32 px, without area",
          "\"f\" (MapBorder) is rotated by -22.5 degrees",
          "\"g\" (Logo) is a tile object: the game places it 20 px"}},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.objects);
        expectFindings(mapWithObjects(bad.objects), bad.findings);
    }
}

}  // namespace
