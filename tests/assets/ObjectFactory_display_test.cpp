#include "assets/ObjectFactory.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "components/PlayerMoveComponent.hpp"
#include "components/PlayerRenderComponent.hpp"
#include "components/SpriteRenderComponent.hpp"
#include "components/TextRenderComponent.hpp"
#include "components/TrailComponent.hpp"
#include "objects/GameObject.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "physics/SurfaceComponent.hpp"
#include "states/SettingsButtonComponent.hpp"
#include "states/StateButtonComponent.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

namespace {

// A map with two layers, "ground" and "top", and the given objects in one object group.
std::string mapWith(const std::string& objects) {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<map version="1.10" orientation="orthogonal" width="2" height="2" tilewidth="32" tileheight="32">
 <layer id="1" name="ground" width="2" height="2"><data encoding="csv">0,0,0,0</data></layer>
 <layer id="2" name="top" width="2" height="2"><data encoding="csv">0,0,0,0</data></layer>
 <objectgroup id="3" name="things">
)" + objects +
           R"(
 </objectgroup>
</map>
)";
}

std::string object(const std::string& name, const std::string& type, const std::string& properties,
                   const std::string& layer = "top") {
    return "<object name=\"" + name + "\" type=\"" + type +
           "\" x=\"12.75\" y=\"40\" width=\"30\" height=\"50\"><properties>"
           "<property name=\"correspondingLayer\" value=\"" +
           layer + "\"/>" + properties + "</properties></object>\n";
}

std::string property(const std::string& name, const std::string& value) {
    return "<property name=\"" + name + "\" value=\"" + value + "\"/>";
}

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
        const auto path = scratch.root() / "test.tmx";
        std::ofstream(path) << mapWith(objects);
        mapObject = AssetManager::instance().loadMap(path.string(), {0.0f, 0.0f});
        std::map<std::string, std::shared_ptr<GameObject>> built;
        EXPECT_NE(mapObject, nullptr);
        for (const auto& [name, layer] : AssetManager::instance().getLayers()) {
            for (const auto& gameObject : layer->getObjects()) {
                built[gameObject->getId()] = gameObject;
            }
        }
        return built;
    }

    template <typename T>
    static std::vector<bool> componentKinds(const GameObject& gameObject) {
        std::vector<bool> kinds;
        for (const auto& component : gameObject.getComponentList()) {
            kinds.push_back(std::dynamic_pointer_cast<T>(component) != nullptr);
        }
        return kinds;
    }

    TestWindow screen{32, 32};
    ScratchGameDir scratch;
    std::shared_ptr<GameObject> mapObject;
};

TEST_F(ObjectFactoryTest, APlayerGetsItsComponentsInOrderWithTheMapsValues) {
    const auto built =
        load(object("Player1", "Player",
                    property("texturepath", "player.png") + property("mass", "2") +
                        property("restitution", "0.5") + property("velocity", "0,0")));
    ASSERT_EQ(built.count("Player1"), 1u);
    const GameObject& player = *built.at("Player1");
    EXPECT_EQ(player.getType(), "Player");
    EXPECT_EQ(player.getPosition(), sf::Vector2f(12.0f, 40.0f));

    const auto& components = player.getComponentList();
    ASSERT_EQ(components.size(), 4u);
    auto it = components.begin();
    auto renderer = std::dynamic_pointer_cast<PlayerRenderComponent>(*it++);
    auto move = std::dynamic_pointer_cast<PlayerMoveComponent>(*it++);
    auto body = std::dynamic_pointer_cast<RigidBodyComponent>(*it++);
    auto box = std::dynamic_pointer_cast<BoxCollisionComponent>(*it++);
    ASSERT_TRUE(renderer && move && body && box);
    EXPECT_EQ(renderer->getTexturePath(), "../assets/player.png");
    EXPECT_EQ(move->getInputSet(), 0u);
    EXPECT_FLOAT_EQ(body->getInverseMass(), 0.5f);
    EXPECT_FLOAT_EQ(body->getRestitution(), 0.5f);
    EXPECT_EQ(box->getRigidBody(), body);
    EXPECT_TRUE(box->isSolid());
    EXPECT_FLOAT_EQ(box->getOffsetY(), 200.0f);
    EXPECT_EQ(box->getShape()->getSize(), sf::Vector2f(30.0f, 50.0f));

    EXPECT_EQ(AssetManager::instance().getPlayerCount(), 1);
    ASSERT_EQ(AssetManager::instance().getPlayers().size(), 1u);
    EXPECT_EQ(AssetManager::instance().getRenderComponents().size(), 1u);
}

TEST_F(ObjectFactoryTest, PlayersTakeInputSetsInOrderAndTrailsFollowTheirPlayer) {
    const auto built = load(object("Player1", "Player", "") + object("Player2", "Player", "") +
                            object("Player1Trail", "Trail", property("texturepath", "t.png")) +
                            object("Player2Trail", "Trail", ""));
    EXPECT_EQ(built.at("Player2")->getComponent<PlayerMoveComponent>()->getInputSet(), 1u);
    ASSERT_EQ(built.count("TrailOn1"), 1u);
    ASSERT_EQ(built.count("TrailOn2"), 1u);
    const auto trail = built.at("TrailOn1")->getComponent<TrailComponent>();
    ASSERT_NE(trail, nullptr);
    EXPECT_EQ(trail->getGameObject(), built.at("Player1"));
    EXPECT_EQ(built.at("TrailOn2")->getComponent<TrailComponent>()->getGameObject(),
              built.at("Player2"));
    EXPECT_EQ(built.at("TrailOn1")->getType(), "Trail");
    EXPECT_EQ(built.at("TrailOn1")->getPosition(), sf::Vector2f(0.0f, 0.0f));
}

TEST_F(ObjectFactoryTest, ATrailNamingNoEarlierPlayerIsReportedAndLeftOut) {
    ErrCapture err;
    const auto built = load(object("Player3Trail", "Trail", "") + object("Player3", "Player", "") +
                            object("Pl", "Player", "") + object("PlTrail", "Trail", ""));
    EXPECT_EQ(built.size(), 2u) << "only the two players";
    EXPECT_EQ(err.lineCount(), 2);
    EXPECT_NE(err.text().find("Player3Trail"), std::string::npos);
    EXPECT_NE(err.text().find("PlTrail"), std::string::npos);
}

TEST_F(ObjectFactoryTest, VelocitiesColoursAndNumbersConvertAsTiledWritesThem) {
    const auto built =
        load(object("Wall", "MapBorder", property("velocity", "5") + property("mass", "4")) +
             object("Rock", "MapBorder", property("velocity", "1.5,-2")) +
             object("Red", "Text", property("color", "#ff102030")) +
             object("Clear", "Text", property("color", "#00102030")));
    EXPECT_EQ(built.at("Wall")->getComponent<RigidBodyComponent>()->getVelocity(),
              sf::Vector2f(5.0f, 5.0f));
    EXPECT_FLOAT_EQ(built.at("Wall")->getComponent<RigidBodyComponent>()->getInverseMass(), 0.25f);
    EXPECT_EQ(built.at("Rock")->getComponent<RigidBodyComponent>()->getVelocity(),
              sf::Vector2f(1.5f, -2.0f));
    for (const char* id : {"Red", "Clear"}) {
        auto text = built.at(id)->getComponent<TextRenderComponent>();
        ASSERT_TRUE(text->init());
        EXPECT_EQ(text->getRenderText().getFillColor(), sf::Color(16, 32, 48, 255)) << id;
    }
}

TEST_F(ObjectFactoryTest, BadValuesAreReportedByObjectAndPropertyAndFallBackToDefaults) {
    ErrCapture err;
    const auto built =
        load(object("Wall", "MapBorder", property("mass", "heavy") + property("velocity", "x,1")) +
             object("Label", "Text", property("color", "#ff1") + property("fontsize", "huge")) +
             object("Ok", "MapBorder", property("mass", "2")));
    EXPECT_EQ(built.size(), 3u) << "the rest of the map is built";
    const std::string report = err.text();
    std::size_t reported = 0;
    for (auto at = report.find("Map object"); at != std::string::npos;
         at = report.find("Map object", at + 1)) {
        ++reported;
    }
    EXPECT_EQ(reported, 4u) << report;
    EXPECT_NE(err.text().find("\"Wall\" (MapBorder): property \"mass\" has the value \"heavy\""),
              std::string::npos);
    auto wall = built.at("Wall")->getComponent<RigidBodyComponent>();
    EXPECT_EQ(wall->getVelocity(), sf::Vector2f(0.0f, 0.0f));
    auto label = built.at("Label")->getComponent<TextRenderComponent>();
    label->init();
    EXPECT_EQ(label->getRenderText().getFillColor(), sf::Color::Black);
    EXPECT_EQ(label->getRenderText().getCharacterSize(), 10u);
}

TEST_F(ObjectFactoryTest, TextTakesItsFontFromTheLastFontpathOrTexturepathOnly) {
    const std::string font = "fonts/mini-pixel-7/mini_pixel-7.ttf";
    std::filesystem::create_directories(scratch.assets() / "fonts/mini-pixel-7");
    std::filesystem::copy_file(
        std::filesystem::path(std::getenv("TUMBLELEAF_SOURCE_DIR")) / "assets" / font,
        scratch.assets() / font);
    const auto fontErrors = [&](const std::string& properties) {
        ErrCapture err;
        load(object("Label", "Text", properties));
        return err.text().find("Could not load font") != std::string::npos;
    };
    EXPECT_FALSE(fontErrors(property("fontpath", font)));
    EXPECT_FALSE(fontErrors(property("fontpath", "none.ttf") + property("texturepath", font)));
    EXPECT_TRUE(fontErrors(property("texturepath", font) + property("fontpath", "none.ttf")));
    EXPECT_TRUE(fontErrors(property("fontPath", font))) << "a Text reads no fontPath";
}

TEST_F(ObjectFactoryTest, OnlyABorderNamedWinZoneLetsPlayersThrough) {
    const auto built = load(object("WinZone", "MapBorder", "") + object("Goal", "WinZone", "") +
                            object("Wall", "MapBorder", ""));
    EXPECT_FALSE(built.at("WinZone")->getComponent<BoxCollisionComponent>()->isSolid());
    EXPECT_TRUE(built.at("Goal")->getComponent<BoxCollisionComponent>()->isSolid());
    EXPECT_EQ(built.at("Goal")->getType(), "WinZone");
    EXPECT_TRUE(built.at("Wall")->getComponent<BoxCollisionComponent>()->isSolid());
}

TEST_F(ObjectFactoryTest, SurfacesAreImmovableSensorsWithNeutralMissingFactors) {
    const auto built = load(
        object("Wax", "WaxPaper",
               property("mass", "5") + property("speed", "1.5") + property("degredation", "3")) +
        object("Plain", "Paper", ""));
    const GameObject& wax = *built.at("Wax");
    EXPECT_EQ(componentKinds<SurfaceComponent>(wax), (std::vector<bool>{false, false, true}));
    EXPECT_FLOAT_EQ(wax.getComponent<RigidBodyComponent>()->getInverseMass(), 0.0f);
    EXPECT_FALSE(wax.getComponent<BoxCollisionComponent>()->isSolid());
    EXPECT_FLOAT_EQ(wax.getComponent<SurfaceComponent>()->getSpeed(), 1.5f);
    EXPECT_FLOAT_EQ(wax.getComponent<SurfaceComponent>()->getDegradation(), 3.0f);
    EXPECT_FLOAT_EQ(built.at("Plain")->getComponent<SurfaceComponent>()->getSpeed(), 1.0f);
    EXPECT_FLOAT_EQ(built.at("Plain")->getComponent<SurfaceComponent>()->getDegradation(), 1.0f);
}

TEST_F(ObjectFactoryTest, ButtonsGetTheirFaceAndTheirTarget) {
    const auto built =
        load(object("Play", "GamestateButton",
                    property("texturepath", "play.png") + property("nextState", "GameState")) +
             object("Mute", "SettingsButton",
                    property("texturepath", "mute.png") + property("functionality", "ToggleSound") +
                        property("text", "Sound") + property("offset", "4,6")));
    const GameObject& play = *built.at("Play");
    EXPECT_EQ(componentKinds<StateButtonComponent>(play), (std::vector<bool>{false, true}));
    EXPECT_EQ(play.getComponent<StateButtonComponent>()->getNextState(), "GameState");
    EXPECT_EQ(play.getComponent<SpriteRenderComponent>()->getTexturePath(), "../assets/play.png");
    EXPECT_TRUE(play.getComponent<StateButtonComponent>()->contains(12.0f + 30.0f, 40.0f + 50.0f));

    const GameObject& mute = *built.at("Mute");
    EXPECT_EQ(componentKinds<SettingsButtonComponent>(mute),
              (std::vector<bool>{false, true, false}));
    EXPECT_EQ(mute.getComponent<SettingsButtonComponent>()->getFunctionality(), "ToggleSound");
    auto label = mute.getComponent<TextRenderComponent>();
    label->init();
    EXPECT_EQ(label->getText(), "Sound");
    EXPECT_EQ(label->getRenderText().getCharacterSize(), 10u) << "no fontsize: 10";
    EXPECT_EQ(label->getRenderText().getPosition(),
              sf::Vector2f(12.0f + 4.0f, 40.0f - 5.0f + 6.0f));
    EXPECT_EQ(AssetManager::instance().getRenderComponents().size(), 2u);
}

TEST_F(ObjectFactoryTest, UnknownTypesBuildNothingAndObjectsJoinTheLayerTheyName) {
    const auto built =
        load(object("Trap", "Trigger", "") + object("Nameless", "", "") +
             object("Lower", "Logo", "", "ground") + object("Nowhere", "Logo", "", "sky"));
    EXPECT_EQ(built.count("Trap"), 0u);
    EXPECT_EQ(built.count("Nameless"), 0u);
    EXPECT_EQ(built.count("Nowhere"), 0u);
    const auto& layers = AssetManager::instance().getLayers();
    ASSERT_EQ(layers.size(), 2u);
    ASSERT_EQ(layers[0].second->getObjects().size(), 1u);
    EXPECT_EQ(layers[0].second->getObjects()[0]->getId(), "Lower");
    EXPECT_TRUE(layers[1].second->getObjects().empty());
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
        EXPECT_EQ(ObjectFactory::typeRule(otherCase), nullptr);
        EXPECT_EQ(ObjectFactory::typeRule(rule.type), &rule);
    }
}

TEST(ObjectFactoryTrailTest, ATrailFollowsTheFirstEarlierPlayerItsNameContains) {
    const std::vector<std::string> players{"Player", "Player1", "P2"};
    EXPECT_EQ(ObjectFactory::trailPlayerIndex("Player1Trail", players), 0u);
    EXPECT_EQ(ObjectFactory::trailPlayerIndex("Player1Trail", {"Player1", "Player"}), 0u);
    EXPECT_FALSE(ObjectFactory::trailPlayerIndex("P2Trail", players));  // too short for a number
    EXPECT_FALSE(ObjectFactory::trailPlayerIndex("Trail", players));
    EXPECT_FALSE(ObjectFactory::trailPlayerIndex("Player1Trail", {}));
}

}  // namespace
