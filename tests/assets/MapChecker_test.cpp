#include "assets/MapChecker.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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

// A 32 px square unless `shape` gives other attributes (and, after a '>', child elements).
std::string object(const std::string& name, const std::string& type,
                   const std::string& properties = "", const std::string& onLayer = "Ground",
                   const std::string& shape = "width='32' height='32'>") {
    return "<object name='" + name + "' type='" + type + "' x='0' y='0' " + shape +
           "<properties>\n" + (onLayer.empty() ? "" : property("correspondingLayer", onLayer)) +
           properties + "</properties></object>\n";
}

// A map with the desk tileset, a layer "Ground" and these objects in one group.
std::string mapWithObjects(const std::string& objects) {
    return mapOf(kTileset + layer("Ground") + "<objectgroup name='g'>\n" + objects +
                 "</objectgroup>\n");
}

const std::string kRacer = property("texturepath", "characters/Crayon.png") + property("mass", "1");

// Every finding as "line:column: error: message".
std::vector<std::string> check(const std::string& text) {
    std::vector<std::string> lines;
    for (const auto& diagnostic : MapChecker(assetRoot().string()).checkText(text)) {
        lines.push_back(diagnostic.format("").substr(1));
    }
    return lines;
}

// The one finding that contains `part`; fails unless there is exactly one.
std::string finding(const std::vector<std::string>& lines, const std::string& part) {
    std::vector<std::string> matches;
    std::string all;
    for (const auto& line : lines) {
        all += line + '\n';
        if (line.find(part) != std::string::npos) {
            matches.push_back(line);
        }
    }
    EXPECT_EQ(matches.size(), 1u) << "looking for: " << part << "\nfound:\n" << all;
    return matches.empty() ? "" : matches.front();
}

// The one finding that contains `part` starts with `start`, such as "4:2: error:".
void expectFinding(const std::vector<std::string>& lines, const std::string& start,
                   const std::string& part) {
    const std::string found = finding(lines, part);
    EXPECT_EQ(found.rfind(start, 0), 0u) << found;
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

// Everything the level designers' guide allows: walls and the finish without mass, a type saved
// as Tiled 1.9's "class", every ground, entities and character codes, notes in comments.
TEST(MapCheckerTest, AMapAsTheGuideDescribesItGetsNoRemark) {
    const std::string chalk =
        property("texturepath", "characters/Chalk.png") + property("mass", "1");
    const std::string text =
        mapWithObjects(
            object("Player1", "Player", kRacer) +
            object("Player1Trail", "Trail", property("texturepath", "characters/CrayonTrail.png")) +
            object("Player2", "Player", chalk) + object("Wall", "MapBorder") +
            object("WinZone", "WinZone", property("restitution", "0.5")) + object("a", "Paper") +
            object("b", "WaxPaper", property("speed", "1.5")) +
            object("c", "BakingTray", property("degredation", "2")) + object("d", "Magazine") +
            "<object name='Logo' class='Logo' x='0' y='0'><properties>" +
            property("correspondingLayer", "Ground") + property("texturepath", "ui/Logo.png") +
            "</properties></object>\n" +
            object(
                "Play", "GamestateButton",
                property("texturepath", "ui/ButtonPlay.png") + property("nextState", "GameState")) +
            object("Title", "Text",
                   property("fontpath", "fonts/mini-pixel-7/mini_pixel-7.ttf") +
                       property("text", "Salt &amp; &lt;Pepper&gt; &#233;&#xE9; &quot;&apos;") +
                       property("color", "#ff2a2430"))) +
        "<!-- to do: ramps & jumps <a> -->\n";
    EXPECT_EQ(check(text), std::vector<std::string>{});
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

// What the reader refuses or leaves out is an error; the rest of the map is still checked.
TEST(MapCheckerTest, TheReadersProblemsAreErrorsAndTheRestIsStillChecked) {
    EXPECT_EQ(check("<map width='1'\n height='1' tilewidth=32/>"),
              std::vector<std::string>{"2:23: error: XML syntax error: expected ' or \""});
    const auto lines = check(
        mapOf("<tileset firstgid='1' name='a' tilewidth='32' tileheight='32'/>\n" +
              layer("Ground", "0,0") + "<group name='Back'><objectgroup name='Far'/></group>\n" +
              "<objectgroup name='g'>\n" + object("a", "Trigger") + "</objectgroup>\n"));
    expectFinding(lines, "2:2: error:", "<tileset> has no <image>");
    expectFinding(lines, "4:21: error:", "object layer \"Far\" inside the group layer \"Back\"");
    expectFinding(lines, "6:2: error:", "unknown type \"Trigger\"");
    EXPECT_EQ(lines.size(), 3u);
}

// Tiled opens maps with a strict XML parser; the game's accepts all of these.
TEST(MapCheckerTest, XmlThatTiledCannotOpenIsNamedAtItsPlace) {
    const std::string start = mapOf(kTileset + layer("Ground"));
    const struct {
        std::string body;
        std::string at;
        std::string problem;
    } cases[] = {
        {"<objectgroup name='Salt & Pepper'/>", "4:25:", "a \"&\" that begins no reference"},
        {"<objectgroup name='&nbsp;'/>", "4:20:", "a \"&\" that begins no reference"},
        {"<objectgroup name='&#0;'/>", "4:20:", "a \"&\" that begins no reference"},
        {"<objectgroup name='g'>Fish &amp; Chips & Peas</objectgroup>",
         "4:40:", "a \"&\" that begins no reference"},
        {"<objectgroup name='a<b'/>", "4:21:", "a \"<\" in the value of \"name\""},
        {"<objectgroup name='g' name='h'/>", "4:23:", "<objectgroup> has the attribute \"name\""},
        {"<objectgroup name='g'></layer>", "4:25:", "the closing tag </layer> names another"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.body);
        std::string text = start;
        text.insert(text.find("</map>"), bad.body + "\n");
        const auto lines = check(text);
        expectFinding(lines, bad.at + " error:", bad.problem);
        EXPECT_NE(finding(lines, bad.problem).find("Tiled cannot open the map"), std::string::npos);
    }
    expectFinding(check(start + "<map/>\n"), "5:2: error:", "<map> is a second top-level element");
}

TEST(MapCheckerTest, TilesetsMustBeSquareAndCutFromAnImageThatExists) {
    const auto lines =
        check(mapOf("<tileset firstgid='1' name='Gone' tilewidth='32' tileheight='32'>"
                    "<image source='tilesets/Gone.png'/></tileset>\n"
                    "<tileset firstgid='2' name='Sound' tilewidth='32' tileheight='32'>"
                    "<image source='Music/TestLoop.wav'/></tileset>\n"
                    "<tileset firstgid='3' name='Sound' tilewidth='16' tileheight='16'>"
                    "<image source='ui/KeyA.png'/></tileset>\n"));
    expectFinding(lines, "2:67: error:",
                  "image \"tilesets/Gone.png\" does not exist under " + assetRoot().string() + "/");
    finding(lines, "image \"Music/TestLoop.wav\" is not an image the game can read");
    finding(lines, "tileset \"Sound\" has the name of an earlier tileset");
    finding(lines, "tileset \"Sound\" has 16 x 16 px tiles, the map 32 x 32");

    const auto wide =
        check(mapOf("<tileset firstgid='1' name='Desk' tilewidth='512' tileheight='512'>"
                    "<image source='tilesets/DeskTiles.png'/></tileset>\n" +
                        layer("L"),
                    "512"));
    finding(wide, "\"tilesets/DeskTiles.png\" is 256 x 384 px, smaller than one tile");
    EXPECT_EQ(wide.size(), 1u);  // its cells are not blamed once more

    const auto oblong =
        check("<map width='1' height='1' tilewidth='32' tileheight='16'>" + kTileset + "</map>");
    expectFinding(oblong, "1:2: error:", "the map's tiles are 32 x 16 px; tiles must be square");
}

TEST(MapCheckerTest, CellsThatWouldBeLeftEmptyAreCountedPerLayer) {
    const std::string lateTileset =
        "<tileset firstgid='10' name='Desk' tilewidth='32' tileheight='32'>"
        "<image source='tilesets/DeskTiles.png'/></tileset>\n";
    const auto lines = check(mapOf(lateTileset + layer("Low", "3,9") + layer("High", "105,200")));
    EXPECT_EQ(finding(lines, "layer \"Low\""),
              "3:41: error: layer \"Low\": 2 tile(s) belong to no tileset and would be left empty "
              "(the first at column 0, row 0, gid 3)");
    finding(lines, "\"High\": 1 tile(s) lie beyond the end of their tileset's image");
    EXPECT_EQ(lines.size(), 2u);
}

TEST(MapCheckerTest, ObjectTypesMustBeTheGamesOwnExactly) {
    const auto lines =
        check(mapWithObjects(object("a", "Trigger") + object("b", "winzone") + object("c", "")));
    finding(lines, "error: object \"a\" has the unknown type \"Trigger\"");
    finding(lines, "error: object \"b\" has the type \"winzone\", which differs from \"WinZone\"");
    finding(lines, "warning: object \"c\" has no type");
    EXPECT_EQ(lines.size(), 3u);
}

TEST(MapCheckerTest, AnObjectMustNameOneOfTheLayers) {
    const std::string logo = property("texturepath", "ui/Logo.png");
    const auto lines = check(mapWithObjects(
        object("Nowhere", "Logo", logo, "") + object("Lower", "Logo", logo, "ground") +
        object("Second", "Logo", logo + property("correspondingLayer", "Ground"), "Top")));
    finding(lines, "object \"Nowhere\" (Logo) has no \"correspondingLayer\" property");
    expectFinding(lines, "9:2: error:", "\"Lower\" (Logo) names no layer: \"ground\" (the layers");
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
    finding(lines, "error: property \"mass\" of object \"Wall\" (MapBorder) is \"heavy\"");
    finding(lines, "\"velocity\" of object \"Wall\" (MapBorder) is \"1,x\"");
    finding(lines, "error: property \"Restitution\" of object \"Wall\" (MapBorder) is not read");
    finding(lines, "warning: property \"colour\" of object \"Wall\" (MapBorder) is not read");
    finding(lines, "warning: property \"mass\" of object \"Wall\" (MapBorder) is given again");
    finding(lines, "\"fontsize\" of object \"Label\" (Text) is \"huge\"");
    finding(lines, "\"color\" of object \"Label\" (Text) is \"red\"");
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
    finding(lines, "(Logo) names \"ui/Gone.png\", which does not exist under");
    finding(lines, "\"texturepath\" of object \"Empty\" (Logo) is empty");
    finding(lines, "names \"Music/TestLoop.wav\", which is not an image");
    finding(lines, "object \"NoPicture\" (Logo) has no \"texturepath\" property");
    finding(lines, "names \"ui/Logo.png\", which is not a font the game can read");
    finding(lines, "\"fontPath\" of object \"Plate\" (SettingsButton) names \"fonts/gone.ttf\"");
    finding(lines, "\"fontpath\" of object \"Plate\" (SettingsButton) is not read");
    EXPECT_EQ(lines.size(), 7u);  // a Text may name its font with "texturepath"
}

TEST(MapCheckerTest, TheFinishNeedsItsNameAndAPlayerAMass) {
    const auto lines = check(mapWithObjects(
        object("Goal", "WinZone") + object("WinZone", "MapBorder") + object("WinZone", "WinZone") +
        object("Player1", "Player", property("texturepath", "characters/Crayon.png")) +
        object("Player2", "Player",
               property("texturepath", "characters/Chalk.png") + property("mass", "-1"))));
    finding(lines, "error: object \"Goal\" (WinZone): only a win zone named \"WinZone\"");
    finding(lines, "error: object \"WinZone\" (MapBorder): a border named \"WinZone\"");
    finding(lines, "error: object \"Player1\" (Player) has no mass above 0");
    finding(lines, "error: object \"Player2\" (Player) has no mass above 0");
    finding(lines, "warning: object \"WinZone\" (WinZone) has the name of the object on line 8");
    EXPECT_EQ(lines.size(), 5u);
}

// The game knows an object only by its top-left corner, width and height.
TEST(MapCheckerTest, ObjectsThatTouchOrAreClickedMustBeUprightRectanglesWithAnArea) {
    const struct {
        std::string object;
        std::string problem;
    } cases[] = {
        {object("a", "MapBorder", "", "Ground", "width='32' height='32'><ellipse/>"),
         "(MapBorder) is an ellipse: the game takes it for the rectangle around it"},
        {object("a", "Paper", "", "Ground", "><polygon points='0,0 9,9 0,9'/>"),
         "(Paper) is a polygon, without area for the game"},
        {object("WinZone", "WinZone", "", "Ground", "><point/>"),
         "(WinZone) is a point, without area"},
        {object("a", "GamestateButton",
                property("texturepath", "ui/ButtonPlay.png") + property("nextState", "GameState"),
                "Ground", "><polyline points='0,0 9,9'/>"),
         "(GamestateButton) is a polyline, without area"},
        {object("a", "MapBorder", "", "Ground", "width='0' height='32'>"),
         "(MapBorder) is a rectangle of 0 x 32 px, without area"},
        {object("a", "MapBorder", "", "Ground", "width='32' height='32' rotation='-22.5'>"),
         "(MapBorder) is rotated by -22.5 degrees: the game places it upright"},
        {object("a", "Logo", property("texturepath", "ui/Logo.png"), "Ground",
                "gid='1' width='32' height='20'>"),
         "(Logo) is a tile object: the game places it 20 px lower than Tiled shows it"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.object);
        const auto lines = check(mapWithObjects(bad.object));
        expectFinding(lines, "5:2: error:", bad.problem);
        EXPECT_EQ(lines.size(), 1u);
    }
    // A picture or a text is drawn from its corner whatever its shape.
    EXPECT_EQ(check(mapWithObjects(object("a", "Logo", property("texturepath", "ui/Logo.png"),
                                          "Ground", "><point/>"))),
              std::vector<std::string>{});
}

// The race waits for every object whose name contains "Player", and shows each racer's result
// by the picture's path that the leaderboard keeps.
TEST(MapCheckerTest, RacersAreExactlyThePlayersAndTheirPicturesFitTheLeaderboard) {
    const auto lines = check(mapWithObjects(
        object("Player1", "Player", kRacer) + object("Player2", "Player", kRacer) +
        object("WinZone", "WinZone") +
        object("PlayerPortrait", "Logo", property("texturepath", "ui/Logo.png")) +
        object("PlayerCamera", "Logo", property("texturepath", "ui/Logo.png")) +
        object("Racer", "Player", kRacer) +
        object("Player3", "Player",
               property("mass", "1") + property("texturepath", "characters/Crayon,red.png"))));
    expectFinding(lines, "18:2: error:",
                  "object \"PlayerPortrait\" (Logo): a name containing \"Player\" makes it a "
                  "racer that never finishes, so the race never ends");
    finding(lines, "object \"Racer\" (Player): the race counts only players whose name contains");
    expectFinding(lines, "34:2: error:", "\"Player3\" (Player) has a comma or a line break");
    EXPECT_EQ(lines.size(), 4u);  // and Player3's picture does not exist
}

TEST(MapCheckerTest, ATrailFollowsAPlayerBuiltBeforeIt) {
    const std::string trail = property("texturepath", "characters/CrayonTrail.png");
    const auto lines = check(mapWithObjects(
        object("Player1Trail", "Trail", trail) + object("Player1", "Player", kRacer) +
        object("Player2", "Player", kRacer, "") + object("Player2Trail", "Trail", trail) +
        object("Player1Trail", "Trail", trail) + object("WinZone", "WinZone")));
    expectFinding(lines, "5:2: error:",
                  "\"Player1Trail\" (Trail) names no player before it (players so far: none)");
    finding(lines,
            "\"Player2Trail\" (Trail) names no player before it (players so far: \"Player1\")");
    finding(lines, "object \"Player2\" (Player) has no \"correspondingLayer\"");
    finding(lines, "the race needs an object \"Player2\"");
    EXPECT_EQ(lines.size(), 4u);
}

TEST(MapCheckerTest, StateButtonsLeadToARegisteredScreen) {
    const std::string face = property("texturepath", "ui/ButtonPlay.png");
    const auto lines = check(mapWithObjects(
        object("Play", "GamestateButton", face + property("nextState", "GameState")) +
        object("Typo", "GamestateButton", face + property("nextState", "Gamestate")) +
        object("Nowhere", "GamestateButton", face)));
    finding(lines,
            "(GamestateButton) is \"Gamestate\", which is no screen (the screens are \"Menu");
    finding(lines, "object \"Nowhere\" (GamestateButton) has no \"nextState\" property");
    EXPECT_EQ(lines.size(), 2u);
}

// A map with a player is a race, whatever its file is called.
TEST(MapCheckerTest, ARaceNeedsItsTwoPlayersAndAFinish) {
    const auto lines = check(mapWithObjects(object("Player1", "Player", kRacer)));
    EXPECT_EQ(finding(lines, "Player2"),
              "1:2: error: the race needs an object \"Player2\" of type \"Player\" on a layer");
    finding(lines, "1:2: warning: the race has no \"WinZone\"");
    EXPECT_EQ(lines.size(), 2u);
}

TEST(MapCheckerTest, FindingsComeInTheOrderOfTheFile) {
    const auto lines =
        check(mapWithObjects(object("b", "Nothing") + object("Player1", "Player", kRacer)) +
              "<!-- -->\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("1:2:", 0), 0u);
    EXPECT_EQ(lines[2].rfind("5:2: error: object \"b\"", 0), 0u);
}

}  // namespace
