// Checks the maps, pictures, font and music that ship in assets/ against the rules of the game
// they are made for: every screen reachable, racers that suit how they are cut, a race that
// ends without steering, grounds that look like what they are.
#include <gtest/gtest.h>

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "assets/TmxReader.hpp"

namespace {

namespace fs = std::filesystem;

// The checkout's assets/, found from this file's own path.
const fs::path& assetRoot() {
    static const fs::path root =
        fs::path(__FILE__).parent_path().parent_path().parent_path() / "assets";
    return root;
}

// A shipped map as the game reads it, with the lookups these checks need. Whether every map is
// well formed at all is the map checker's test; these are the rules of our own content.
struct Object {
    std::string name, type;
    sf::IntRect box;
    std::map<std::string, std::string> props;  // a later property of the same name wins
    bool has(const std::string& key) const { return props.count(key) > 0; }
    std::string prop(const std::string& key) const { return has(key) ? props.at(key) : ""; }
};

struct Map {
    TmxMap records;
    std::vector<Object> objects;

    const Object* find(const std::string& name) const {
        for (const auto& object : objects)
            if (object.name == name)
                return &object;
        return nullptr;
    }
    std::vector<const Object*> ofType(const std::string& type) const {
        std::vector<const Object*> found;
        for (const auto& object : objects)
            if (object.type == type)
                found.push_back(&object);
        return found;
    }
};

Map readMap(const std::string& file) {
    Map map;
    auto text = readMapText((assetRoot() / file).string());
    if (!text) {
        ADD_FAILURE() << "cannot open " << file;
        return map;
    }
    TmxParseResult parsed = parseTmx(text->data());
    if (!parsed.map) {
        ADD_FAILURE() << file << ": " << parsed.error();
        return map;
    }
    map.records = std::move(*parsed.map);
    for (const auto& group : map.records.objectGroups) {
        for (const auto& record : group.objects) {
            Object object{
                record.name, record.type, {record.x, record.y, record.width, record.height}, {}};
            for (const auto& property : record.properties)
                object.props[property.name] = property.value;
            map.objects.push_back(object);
        }
    }
    return map;
}

const std::set<std::string> kSurfaces = {"Paper", "WaxPaper", "BakingTray", "Magazine"};

std::set<std::string> targets(const Map& map) {
    std::set<std::string> found;
    for (const auto* button : map.ofType("GamestateButton"))
        found.insert(button->prop("nextState"));
    return found;
}

TEST(ShippedContentTest, TheMenusLeadEverywhereAndEveryScreenHasAWayBack) {
    EXPECT_EQ(targets(readMap("TitleScreenMap.tmx")),
              (std::set<std::string>{"GameState", "TutorialState", "CreditsState", "SettingsState",
                                     "QuitState"}));
    for (const auto& file : {"TutorialScreenMap.tmx", "CreditsScreenMap.tmx",
                             "SettingsScreenMap.tmx", "HighscoreScreenMap.tmx"}) {
        EXPECT_TRUE(targets(readMap(file)).count("MenuState")) << file;
    }
    const Map settings = readMap("SettingsScreenMap.tmx");
    std::set<std::string> functions;
    for (const auto* button : settings.ofType("SettingsButton")) {
        functions.insert(button->prop("functionality"));
        EXPECT_FALSE(button->prop("text").empty()) << button->name << " needs a label";
        EXPECT_TRUE(button->has("fontPath")) << button->name;
    }
    EXPECT_EQ(functions, (std::set<std::string>{"ToggleSound", "DeleteSave"}));
}

TEST(ShippedContentTest, TheWinScreensButtonsLeaveRoomForTheResults) {
    const Map map = readMap("HighscoreScreenMap.tmx");
    std::vector<sf::IntRect> results = {{750, 340, 56, 256}, {1200, 340, 56, 256}};
    for (int k = 1; k <= 5; ++k)
        results.push_back({300 * k, 690, 56, 256});
    for (const auto& object : map.objects) {
        if (object.type != "GamestateButton" && object.type != "Logo")
            continue;
        for (const auto& spot : results)
            EXPECT_FALSE(object.box.intersects(spot)) << object.name << " covers a result";
    }
}

TEST(ShippedContentTest, TheRaceHasTwoRacersWithTrailsAndAFinishAcrossTheCourse) {
    const Map map = readMap("TileMap.tmx");
    const Object* one = map.find("Player1");
    const Object* two = map.find("Player2");
    ASSERT_TRUE(one && two);
    for (const auto* player : {one, two}) {
        EXPECT_EQ(player->type, "Player");
        EXPECT_EQ(player->prop("velocity"), "0,0");
        EXPECT_GT(std::atof(player->prop("mass").c_str()), 0.0);
        const Object* trail = map.find(player->name + "Trail");
        ASSERT_TRUE(trail) << player->name;
        EXPECT_EQ(trail->type, "Trail");
        EXPECT_GT(trail - &map.objects[0], player - &map.objects[0])
            << "a trail follows only a player built before it";
    }
    const sf::IntRect foot1(one->box.left, one->box.top + 200, one->box.width, one->box.height);
    const sf::IntRect foot2(two->box.left, two->box.top + 200, two->box.width, two->box.height);
    EXPECT_FALSE(foot1.intersects(foot2)) << "the racers must not start on top of each other";

    const Object* finish = map.find("WinZone");
    ASSERT_TRUE(finish);
    EXPECT_EQ(finish->type, "WinZone");
    const Object* left = map.find("WallLeft");
    const Object* right = map.find("WallRight");
    ASSERT_TRUE(left && right);
    EXPECT_EQ(finish->box.left, left->box.left + left->box.width);
    EXPECT_EQ(finish->box.left + finish->box.width, right->box.left);
    EXPECT_GT(finish->box.top, 20000) << "the course is long";
    bool floorBelow = false;
    for (const auto* border : map.ofType("MapBorder")) {
        floorBelow |= border->box.top == finish->box.top + finish->box.height &&
                      border->box.width >= finish->box.width;
        EXPECT_FALSE(border->box.intersects(finish->box)) << border->name;
    }
    EXPECT_TRUE(floorBelow) << "a floor under the finish stops the finished racers";
}

// A racer left alone falls straight down; one that steers into a wall and lets go slides down
// along it. Those lines must reach the finish, or a race without steering never ends.
TEST(ShippedContentTest, TheLinesARacerTakesWithoutSteeringAreFreeToTheFinish) {
    const Map map = readMap("TileMap.tmx");
    const Object* finish = map.find("WinZone");
    const Object* left = map.find("WallLeft");
    const Object* right = map.find("WallRight");
    ASSERT_TRUE(finish && left && right);
    std::vector<std::pair<std::string, sf::IntRect>> lines;
    for (const auto* player : map.ofType("Player")) {
        const int top = player->box.top + 200;
        const int width = player->box.width;
        lines.push_back({player->name, {player->box.left, top, width, finish->box.top - top}});
        lines.push_back({player->name + " on the left wall",
                         {left->box.left + left->box.width, top, width, finish->box.top - top}});
        lines.push_back({player->name + " on the right wall",
                         {right->box.left - width, top, width, finish->box.top - top}});
    }
    for (const auto& [what, line] : lines) {
        for (const auto* border : map.ofType("MapBorder")) {
            if (border == left || border == right)
                continue;
            const sf::IntRect grown(border->box.left - 1, border->box.top, border->box.width + 2,
                                    border->box.height);
            EXPECT_FALSE(grown.intersects(line)) << what << " runs into " << border->name;
        }
    }
}

TEST(ShippedContentTest, EachGroundIsPaintedWithItsOwnTilesExactlyUnderItsBox) {
    const Map map = readMap("TileMap.tmx");
    const TmxLayer& ground = map.records.layers.at(0);
    std::map<std::string, std::set<int>> tilesOf;
    std::map<std::string, std::pair<std::string, std::string>> values;
    std::vector<int> owner(ground.data.size(), -1);
    for (std::size_t i = 0; i < map.objects.size(); ++i) {
        const Object& object = map.objects[i];
        if (!kSurfaces.count(object.type) && object.type != "MapBorder")
            continue;
        const sf::IntRect& box = object.box;
        ASSERT_TRUE(box.left % 32 == 0 && box.top % 32 == 0 && box.width % 32 == 0 &&
                    box.height % 32 == 0)
            << object.name << " is off the tile grid";
        const std::string kind = object.type == "MapBorder" ? "blocks" : object.type;
        if (kind != "blocks")
            values[kind] = {object.prop("speed"), object.prop("degredation")};
        for (int row = box.top / 32; row < (box.top + box.height) / 32; ++row) {
            for (int col = box.left / 32; col < (box.left + box.width) / 32; ++col) {
                const std::size_t cell = static_cast<std::size_t>(row * ground.width + col);
                ASSERT_LT(cell, owner.size()) << object.name;
                if (kind != "blocks") {
                    EXPECT_EQ(owner[cell], -1) << object.name << " overlaps another box";
                }
                owner[cell] = static_cast<int>(i);
                tilesOf[kind].insert(ground.data[cell]);
            }
        }
    }
    ASSERT_EQ(values.size(), 4u) << "all four grounds are in the race";
    for (std::size_t cell = 0; cell < owner.size(); ++cell) {
        for (const auto& kind : kSurfaces) {
            if (!tilesOf[kind].count(ground.data[cell]))
                continue;
            ASSERT_TRUE(owner[cell] >= 0 && map.objects[owner[cell]].type == kind)
                << "cell " << cell << " looks like " << kind << " but is not";
        }
    }
    for (const auto& [a, tilesA] : tilesOf) {
        for (const auto& [b, tilesB] : tilesOf) {
            if (a >= b)
                continue;
            for (int gid : tilesA)
                EXPECT_FALSE(tilesB.count(gid)) << a << " looks like " << b;
            EXPECT_NE(values[a], values[b]) << a << " and " << b << " play the same";
        }
    }
}

TEST(ShippedContentTest, CharactersFitHowTheGameCutsAndMasksThem) {
    const Map map = readMap("TileMap.tmx");
    std::set<std::string> pictures;
    for (const auto* player : map.ofType("Player")) {
        SCOPED_TRACE(player->name);
        const std::string path = player->prop("texturepath");
        pictures.insert(path);
        sf::Image image;
        ASSERT_TRUE(image.loadFromFile((assetRoot() / path).string()));
        EXPECT_EQ(image.getSize().x, static_cast<unsigned>(player->box.width));
        EXPECT_EQ(image.getSize().y, static_cast<unsigned>(200 + player->box.height))
            << "the collider is the picture's bottom strip";
        EXPECT_EQ(image.getPixel(0, 0).a, 0) << "the background is transparent";
        int inkInFoot = 0;
        for (unsigned y = 0; y < image.getSize().y; ++y) {
            for (unsigned x = 0; x < image.getSize().x; ++x) {
                sf::Color c = image.getPixel(x, y);
                if (c.a == 0)
                    continue;
                c.a = 255;
                ASSERT_NE(c, sf::Color::Black) << "pure black vanishes in the race";
                ASSERT_NE(c, sf::Color::White) << "pure white vanishes on the win screen";
                inkInFoot += y >= 200 ? 1 : 0;
            }
        }
        EXPECT_GT(inkInFoot, 0) << "the part on the ground is drawn";
    }
    EXPECT_EQ(pictures.size(), 2u) << "the two racers look different";
}

TEST(ShippedContentTest, FontMusicAndLeaderboardAreWhereTheGameLooks) {
    sf::Font font;
    EXPECT_TRUE(font.loadFromFile((assetRoot() / "fonts/mini-pixel-7/mini_pixel-7.ttf").string()));
    EXPECT_TRUE(fs::is_regular_file(assetRoot() / "fonts/mini-pixel-7/LICENSE"));
    sf::InputSoundFile music;
    ASSERT_TRUE(music.openFromFile((assetRoot() / "Music/GameSound.wav").string()));
    EXPECT_EQ(music.getChannelCount(), 1u);
    EXPECT_EQ(music.getSampleRate(), 22050u);
    EXPECT_GE(music.getDuration().asSeconds(), 10.f);
    EXPECT_LE(music.getDuration().asSeconds(), 20.f);
    // The game never creates the folder; the first race creates the file in it.
    EXPECT_TRUE(fs::is_directory(assetRoot() / "SaveFiles"));
    sf::Image background;
    ASSERT_TRUE(
        background.loadFromFile((assetRoot() / "x400pngs/MainStateBackground.png").string()));
    EXPECT_EQ(background.getSize(), sf::Vector2u(1920, 1080));
}

}  // namespace
