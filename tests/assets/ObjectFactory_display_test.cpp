#include "assets/ObjectFactory.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <tuple>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "components/PlayerRenderComponent.hpp"
#include "components/SettingsButtonComponent.hpp"
#include "components/SpriteRenderComponent.hpp"
#include "components/StateButtonComponent.hpp"
#include "components/TextRenderComponent.hpp"
#include "components/TrailComponent.hpp"
#include "objects/GameObject.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "physics/SurfaceComponent.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestMaps.hpp"
#include "support/TestWindow.hpp"

namespace {

// A 30 x 50 px object at (12, 40) on the layer "top"; the maps below also have a layer "ground".
std::string object(const std::string& name, const std::string& type, const std::string& properties,
                   const std::string& layer = "top") {
    return tmxObject(name, type, {12, 40}, {30, 50}, properties, layer);
}

const auto property = tmxProperty;

class ObjectFactoryTest : public ::testing::Test {
protected:
    void SetUp() override { AssetManager::instance().setRenderWindow(&screen.window()); }
    void TearDown() override {
        discardLoaded();
        AssetManager::instance().reset();
    }

    // What a screen's object manager does on leaving: break the object <-> component cycles.
    void discardLoaded() {
        for (const auto& [name, layer] : AssetManager::instance().getLayers()) {
            for (const auto& built : layer->getObjects()) {
                built->clearComponents();
            }
        }
        if (mapObject) {
            mapObject->clearComponents();
        }
    }

    // Loads a map made of `objects` and returns what the layer "top" holds, by id.
    std::map<std::string, std::shared_ptr<GameObject>> load(const std::string& objects) {
        discardLoaded();
        mapObject = AssetManager::instance().loadMap(
            scratch.writeAsset("test.tmx", tmxMap(objects, {"ground", "top"})), {0.0f, 0.0f});
        std::map<std::string, std::shared_ptr<GameObject>> built;
        EXPECT_NE(mapObject, nullptr);
        for (const auto& [name, layer] : AssetManager::instance().getLayers()) {
            for (const auto& gameObject : layer->getObjects()) {
                built[gameObject->getId()] = gameObject;
            }
        }
        return built;
    }

    TestWindow screen{32, 32};
    ScratchGameDir scratch;
    std::shared_ptr<GameObject> mapObject;
};

// Each trail follows the first player before it whose name its own contains; a trail naming no
// earlier player, or one too short to take a number from, is reported and left out.
TEST_F(ObjectFactoryTest, PlayersGetTheMapsValuesAndTrailsFollowTheirPlayer) {
    ErrCapture err;
    const auto built = load(object("Player2Trail", "Trail", "") +
                            object("Player1", "Player",
                                   property("texturepath", "player.png") + property("mass", "2") +
                                       property("restitution", "0.5")) +
                            object("Player2", "Player", "") + object("Pl", "Player", "") +
                            object("PlTrail", "Trail", "") +
                            object("Player2Trail", "Trail", property("texturepath", "t.png")) +
                            object("Player1Trail", "Trail", ""));
    // Which keys each player steers with, and that walls stop them, the race tests show.
    const GameObject& player = *built.at("Player1");
    EXPECT_EQ(player.getComponent<PlayerRenderComponent>()->getTexturePath(),
              "../assets/player.png");
    const auto body = player.getComponent<RigidBodyComponent>();
    EXPECT_FLOAT_EQ(body->getInverseMass(), 0.5f);
    EXPECT_FLOAT_EQ(body->getRestitution(), 0.5f);
    EXPECT_FLOAT_EQ(player.getComponent<BoxCollisionComponent>()->getOffsetY(), 200.0f);
    EXPECT_EQ(AssetManager::instance().getPlayerCount(), 3);

    for (const char* id : {"1", "2"}) {
        const auto trail = built.at(std::string("TrailOn") + id)->getComponent<TrailComponent>();
        ASSERT_NE(trail, nullptr) << id;
        EXPECT_EQ(trail->getGameObject(), built.at(std::string("Player") + id));
    }
    EXPECT_EQ(built.size(), 5u) << "the three players and two trails";
    EXPECT_EQ(err.lineCount(), 2);
    EXPECT_TRUE(err.hasLineWith({"\"Player2Trail\"", "no player"}));
    EXPECT_TRUE(err.hasLineWith({"\"PlTrail\"", "no player"}));
    EXPECT_EQ(ObjectFactory::trailPlayerIndex("Player1Trail", {"Player", "Player1"}), 0u);
}

// Only a border named WinZone lets players through; grounds are immovable sensors whose missing
// factors change nothing. A value that cannot be read leaves the default. An object on no layer
// is dropped with its picture.
TEST_F(ObjectFactoryTest, EachKindIsBuiltWithTheMapsValuesOrTheDefaults) {
    const auto built = load(
        object("Rock", "MapBorder", property("velocity", "1.5,-2") + property("mass", "4")) +
        object("WinZone", "MapBorder", "") + object("Goal", "WinZone", "") +
        object("Wax", "WaxPaper",
               property("mass", "5") + property("speed", "1.5") + property("degredation", "3")) +
        object("Plain", "Paper", "") +
        object("Label", "Text", property("color", "#ff102030") + property("fontsize", "huge")) +
        object("Play", "GamestateButton",
               property("texturepath", "play.png") + property("nextState", "GameState")) +
        object("Mute", "SettingsButton",
               property("texturepath", "mute.png") + property("functionality", "ToggleSound") +
                   property("text", "Sound") + property("offset", "4,6")) +
        object("Nowhere", "Logo", "", "sky"));
    const auto body = [&](const char* id) {
        return built.at(id)->getComponent<RigidBodyComponent>();
    };
    EXPECT_EQ(body("Rock")->getVelocity(), sf::Vector2f(1.5f, -2.0f));
    EXPECT_FLOAT_EQ(body("Rock")->getInverseMass(), 0.25f);

    const auto solid = [&](const char* id) {
        return built.at(id)->getComponent<BoxCollisionComponent>()->isSolid();
    };
    EXPECT_FALSE(solid("WinZone"));
    EXPECT_TRUE(solid("Goal"));
    EXPECT_FALSE(solid("Wax"));
    EXPECT_FLOAT_EQ(body("Wax")->getInverseMass(), 0.0f);
    for (const auto& [id, speed, degradation] :
         {std::tuple{"Wax", 1.5f, 3.0f}, std::tuple{"Plain", 1.0f, 1.0f}}) {
        const auto ground = built.at(id)->getComponent<SurfaceComponent>();
        EXPECT_FLOAT_EQ(ground->getSpeed(), speed) << id;
        EXPECT_FLOAT_EQ(ground->getDegradation(), degradation) << id;
    }

    const auto text = [&](const char* id) {
        const auto label = built.at(id)->getComponent<TextRenderComponent>();
        label->init();
        return label->getRenderText();
    };
    EXPECT_EQ(text("Label").getFillColor(), sf::Color(16, 32, 48));
    EXPECT_EQ(text("Label").getCharacterSize(), 10u);
    EXPECT_EQ(text("Mute").getString(), "Sound");
    EXPECT_EQ(text("Mute").getPosition(), sf::Vector2f(12.0f + 4.0f, 40.0f - 5.0f + 6.0f));
    const auto play = built.at("Play")->getComponent<StateButtonComponent>();
    EXPECT_EQ(play->getNextState(), "GameState");
    EXPECT_TRUE(play->contains(12.0f + 29.5f, 40.0f + 49.5f)) << "clicked within the object";
    EXPECT_EQ(built.at("Mute")->getComponent<SettingsButtonComponent>()->getFunctionality(),
              "ToggleSound");
    // The text and the two faces; a button's label is drawn with its face.
    EXPECT_EQ(AssetManager::instance().getRenderComponents().size(), 3u);
}

TEST_F(ObjectFactoryTest, TextTakesItsFontFromTheLastFontpathOrTexturepathOnly) {
    const std::string font = "fonts/mini-pixel-7/mini_pixel-7.ttf";
    scratch.copyShipped(font);
    const auto fontErrors = [&](const std::string& properties) {
        ErrCapture err;
        load(object("Label", "Text", properties));
        return err.text().find("Could not load font") != std::string::npos;
    };
    EXPECT_FALSE(fontErrors(property("fontpath", "none.ttf") + property("texturepath", font)));
    EXPECT_TRUE(fontErrors(property("texturepath", font) + property("fontpath", "none.ttf")));
    EXPECT_TRUE(fontErrors(property("fontPath", font))) << "a Text reads no fontPath";
}

// What the game makes of an object, component by component, as far as a map's values reach.
std::string fingerprint(const GameObject& built) {
    std::ostringstream out;
    out << built.getId() << '\n';
    if (const auto body = built.getComponent<RigidBodyComponent>()) {
        out << "body " << body->getInverseMass() << ' ' << body->getRestitution() << ' '
            << body->getVelocity().x << ',' << body->getVelocity().y << ' '
            << body->getAcceleration().x << ',' << body->getAcceleration().y << '\n';
    }
    if (const auto box = built.getComponent<BoxCollisionComponent>()) {
        out << "box " << box->isSolid() << ' ' << box->getSize().x << 'x' << box->getSize().y << ' '
            << box->getOffsetY() << '\n';
    }
    if (const auto ground = built.getComponent<SurfaceComponent>()) {
        out << "ground " << ground->getSpeed() << ' ' << ground->getDegradation() << '\n';
    }
    if (const auto text = built.getComponent<TextRenderComponent>()) {
        text->init();
        const sf::Text& shown = text->getRenderText();
        out << "text " << text->getText() << ' ' << shown.getFillColor().toInteger() << ' '
            << shown.getCharacterSize() << ' ' << shown.getPosition().x << ','
            << shown.getPosition().y << '\n';
    }
    if (const auto sprite = built.getComponent<SpriteRenderComponent>()) {
        out << "sprite " << sprite->getTexturePath() << '\n';
    }
    if (const auto racer = built.getComponent<PlayerRenderComponent>()) {
        out << "racer " << racer->getTexturePath() << '\n';
    }
    if (const auto button = built.getComponent<StateButtonComponent>()) {
        out << "leads to " << button->getNextState() << '\n';
    }
    if (const auto button = built.getComponent<SettingsButtonComponent>()) {
        out << "does " << button->getFunctionality() << '\n';
    }
    return out.str();
}

// Tiled leaves out of a map every property equal to its class's default, and the Tiled project
// takes those defaults from the type table: the game must build the same object either way.
TEST_F(ObjectFactoryTest, PropertiesAtTheTablesDefaultsMayBeLeftOutAsTiledLeavesThemOut) {
    for (const auto& rule : ObjectFactory::typeRules()) {
        std::string written;
        for (const auto& key : rule.properties) {
            written += property(key.key, key.fallback);
        }
        const bool isTrail = rule.type == "Trail";
        const std::string name = isTrail ? "Player1Trail" : "Thing";
        const std::string id = isTrail ? "TrailOn1" : name;
        const std::string racer = object("Player1", "Player", "");
        ErrCapture quiet;
        const std::string full =
            fingerprint(*load(racer + object(name, rule.type, written)).at(id));
        const std::string bare = fingerprint(*load(racer + object(name, rule.type, "")).at(id));
        EXPECT_EQ(full, bare) << rule.type;
    }
}

// Map checkers and the level guide read the type table; it must say what the factory does.
TEST_F(ObjectFactoryTest, EveryTypeOfTheTableIsBuiltAndConvertsTheKeysItLists) {
    using Kind = ObjectFactory::PropertyKind;
    for (const auto& rule : ObjectFactory::typeRules()) {
        std::string properties;
        std::vector<std::string> converted;
        for (const auto& key : rule.properties) {
            const bool isConverted = key.kind == Kind::Number || key.kind == Kind::Integer ||
                                     key.kind == Kind::Pair || key.kind == Kind::Colour;
            properties += property(key.key, isConverted ? "?" : "x");
            if (isConverted) {
                converted.push_back(key.key);
            }
        }
        const bool isTrail = rule.type == "Trail";
        const std::string name = isTrail ? "Player1Trail" : "Thing";
        ErrCapture err;
        const auto built =
            load(object("Player1", "Player", "") + object(name, rule.type, properties));
        EXPECT_EQ(built.count(isTrail ? "TrailOn1" : name), 1u) << rule.type;
        for (const auto& key : converted) {
            EXPECT_NE(err.text().find("(" + rule.type + "): property \"" + key + "\""),
                      std::string::npos)
                << rule.type << ' ' << key;
        }

        std::string otherCase = rule.type;
        otherCase[0] = static_cast<char>(std::tolower(otherCase[0]));
        EXPECT_EQ(load(object(name, otherCase, "")).count(name), 0u) << otherCase;
    }
}

}  // namespace
