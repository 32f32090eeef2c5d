#include "assets/AssetManager.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <SFML/Graphics.hpp>
#include <algorithm>
#include <filesystem>
#include <tuple>
#include <vector>

#include "assets/LayerComponent.hpp"
#include "components/SpriteRenderComponent.hpp"
#include "objects/GameObject.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

namespace {

using Objects = std::vector<std::shared_ptr<GameObject>>;

std::string tileset(int firstGid, const std::string& name) {
    return "<tileset firstgid='" + std::to_string(firstGid) + "' name='" + name +
           "' tilewidth='16' tileheight='16'><image source='" + name + ".png'/></tileset>";
}

// A layer of 4 by 4 cells unless the cells say otherwise.
std::string layer(const std::string& name, const std::string& cells, int width = 4) {
    const int height = static_cast<int>(std::count(cells.begin(), cells.end(), ',') + 1) / width;
    return "<layer name='" + name + "' width='" + std::to_string(width) + "' height='" +
           std::to_string(height) + "'><data encoding='csv'>" + cells + "</data></layer>";
}

class AssetManagerDisplayTest : public ::testing::Test {
protected:
    void SetUp() override { assets.setRenderWindow(&screen.window()); }

    void TearDown() override {
        for (const auto& object : objects) {
            object->clearComponents();
        }
        if (mapObject) {
            mapObject->clearComponents();
        }
        assets.reset();
        assets.setRenderWindow(nullptr);
    }

    // Loads a 16-pixel map; the previous map object lets go of its layers, as a screen's exit does.
    std::shared_ptr<GameObject> load(const std::string& content, sf::Vector2f offset = {}) {
        if (mapObject) {
            mapObject->clearComponents();
        }
        mapObject = assets.loadMap(
            game.writeAsset(
                "Test.tmx",
                "<map width='4' height='4' tilewidth='16' tileheight='16'>" + content + "</map>"),
            offset);
        return mapObject;
    }

    // A tileset image of columns x rows tiles, tile i filled with colours[i] (or black).
    void writeTileset(const std::string& name, unsigned columns, unsigned rows,
                      std::vector<sf::Color> colours = {}) {
        colours.resize(columns * rows, sf::Color::Black);
        sf::Image image;
        image.create(columns * 16, rows * 16);
        for (unsigned x = 0; x < columns * 16; ++x) {
            for (unsigned y = 0; y < rows * 16; ++y) {
                image.setPixel(x, y, colours[y / 16 * columns + x / 16]);
            }
        }
        ASSERT_TRUE(image.saveToFile((game.assets() / (name + ".png")).string()));
    }

    // A 16-pixel square attached as the factory attaches a map object whose layer property
    // names `layerName`; its other property names a layer too, which must not count.
    std::shared_ptr<GameObject> attachSquare(sf::Vector2f position, sf::Color colour,
                                             const std::string& layerName) {
        objects.push_back(std::make_shared<GameObject>("square"));
        objects.back()->setPosition(position);
        const auto sprite = std::make_shared<SpriteRenderComponent>(
            screen.window(), sf::Color::Black, objects.back(),
            writeSolidPng(game.assets() / "square.png", 16, 16, colour));
        objects.back()->addComponent(sprite);
        EXPECT_TRUE(sprite->init());
        TmxObject object;
        object.type = "Logo";
        object.properties = {{"text", "Top"}, {"correspondingLayer", layerName}};
        assets.attachToLayer(objects.back(), &object);
        return objects.back();
    }

    sf::Image drawFrame() {
        screen.window().clear(sf::Color::Black);
        assets.drawLayers();
        return screen.capture();
    }

    AssetManager& assets = AssetManager::instance();
    ScratchGameDir game;
    TestWindow screen{64, 64};
    std::shared_ptr<GameObject> mapObject;
    Objects objects;
};

TEST_F(AssetManagerDisplayTest, TilesAreCutFromTheTilesetTheirGidFallsInAndShifted) {
    writeTileset("a", 8, 8);
    writeTileset("b", 2, 2);
    ASSERT_TRUE(
        load(tileset(1, "a") + tileset(65, "b") + layer("L", "64,65,0,\n0,10,0", 3), {-16.f, 0.f}));
    const LayerTiles& tiles = *assets.getLayerTiles().at(0);
    EXPECT_EQ(&assets.getLayers().at(0).second->getTiles(), &tiles) << "the layer shares them";
    EXPECT_EQ(tiles.size(), 3u);
    // Keyed by where they are drawn: the cell's corner moved by the offset.
    const std::tuple<sf::Vector2i, const char*, sf::IntRect> expected[] = {
        {{-16, 0}, "a", {112, 112, 16, 16}},
        {{0, 0}, "b", {0, 0, 16, 16}},
        {{0, 16}, "a", {16, 16, 16, 16}}};
    for (const auto& [key, texture, rect] : expected) {
        const Tile* tile = tiles.find(key);
        ASSERT_NE(tile, nullptr) << key.x << "," << key.y;
        EXPECT_EQ(tile->position, sf::Vector2f(key));
        EXPECT_EQ(tiles.lookOf(*tile).texture, assets.getTextures().at(texture).get());
        EXPECT_EQ(tiles.lookOf(*tile).textureRect, rect);
    }
}

// Every load starts by forgetting the previous map, so a map that cannot be read leaves nothing
// behind; it says so in one line naming the file and the problem.
TEST_F(AssetManagerDisplayTest, LoadingAMapForgetsThePreviousOneEvenWhenItFails) {
    writeTileset("a", 1, 1);
    writeTileset("c", 1, 1);
    ASSERT_TRUE(load(tileset(1, "a") + layer("One", "1", 1) + layer("Two", "1", 1)));
    const auto firstLayer = assets.getLayers().at(0).second;
    ASSERT_TRUE(load(tileset(1, "c")));
    EXPECT_EQ(assets.getTextures().size(), 1u);
    EXPECT_EQ(assets.getTextures().count("c"), 1u);
    EXPECT_TRUE(assets.getLayers().empty());
    EXPECT_TRUE(assets.getLayerTiles().empty());
    EXPECT_TRUE(mapObject->getComponentList().empty());
    EXPECT_TRUE(firstLayer->getTiles().empty());

    ErrCapture err;
    EXPECT_EQ(assets.loadMap(game.writeAsset("Broken.tmx", "<map width='1'\n  height='1' <"), {}),
              nullptr);
    EXPECT_TRUE(assets.getTextures().empty());
    EXPECT_EQ(err.lineCount(), 1);
    EXPECT_TRUE(err.hasLineWith({"Broken.tmx", "syntax error", "line 2, column 14"})) << err.text();
}

// A map may name any path as a tileset image; only a picture loads (a pipe would keep the image
// loader waiting for data that never comes). Cells that cannot be cut stay empty, reported once
// per cause with how many there are and where the first is.
TEST_F(AssetManagerDisplayTest, CellsThatCannotBeCutAreLeftEmptyAndReportedOncePerCause) {
    writeTileset("a", 2, 1);
    ASSERT_EQ(mkfifo((game.assets() / "pipe.png").c_str(), 0600), 0);
    std::filesystem::create_directory(game.assets() / "folder.png");
    ErrCapture err;
    ASSERT_TRUE(load(tileset(5, "a") + tileset(20, "gone") + tileset(30, "pipe") +
                     tileset(31, "folder") + layer("L", "3,1,5,7,20,21,6,0,30,31,0,0") +
                     layer("M", "2", 1)));
    for (const char* image : {"gone", "pipe", "folder"}) {
        EXPECT_TRUE(err.hasLineWith({"Could not load texture", std::string(image) + ".png"}))
            << image;
    }
    EXPECT_TRUE(err.hasLineWith({"Left 3 ", "below the first tileset", "gid 3 in layer \"L\""}));
    EXPECT_TRUE(err.hasLineWith({"Left 4 ", "did not load", "gid 20 in layer \"L\""}));
    EXPECT_TRUE(err.hasLineWith({"Left 1 ", "beyond the end", "gid 7 in layer \"L\""}));
    EXPECT_EQ(err.lineCount(), 6) << err.text();
    EXPECT_EQ(assets.getLayerTiles()[0]->size(), 2u);
    EXPECT_EQ(assets.getTextures().count("gone"), 1u);
}

TEST_F(AssetManagerDisplayTest, ObjectsJoinEveryLayerTheirPropertyNamesExactly) {
    ASSERT_TRUE(load(layer("Ground", "0", 1) + layer("Props", "0", 1) + layer("Props", "0", 1) +
                     layer("Top", "0", 1)));
    const auto logo = attachSquare({}, sf::Color::Red, "Props");
    EXPECT_EQ(attachSquare({}, sf::Color::Red, "props")->getType(), "Logo");
    assets.attachToLayer(std::make_shared<GameObject>("not from the map"), nullptr);
    const auto& layers = assets.getLayers();
    ASSERT_EQ(layers.size(), 4u);
    for (std::size_t i = 0; i < layers.size(); ++i) {
        EXPECT_EQ(layers[i].second->getObjects(), (i == 1 || i == 2 ? Objects{logo} : Objects{}))
            << "layer " << i;
    }
}

TEST_F(AssetManagerDisplayTest, LayersAndTheirObjectsAreDrawnBackToFront) {
    writeTileset("colours", 2, 2,
                 {sf::Color::Red, sf::Color::Green, sf::Color::Blue, sf::Color::Yellow});
    ASSERT_TRUE(load(tileset(1, "colours") + layer("Ground", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,0") +
                     layer("Middle", "0,0,0,0,0,4,0,0,0,0,0,0,0,0,0,0") +
                     layer("Top", "0,0,0,0,2,0,0,0,0,0,0,0,0,0,0,0") +
                     layer("Hidden", "3,3,3,3,3,3,3,3,3,3,3,3,3,3,3,3")));
    assets.getLayers()[3].second->setVisible(false);
    // Attached top first: the lower one on the screen must still be drawn last.
    attachSquare({8.f, 16.f}, sf::Color::Magenta, "Middle");
    attachSquare({16.f, 8.f}, sf::Color::Cyan, "Middle");

    const sf::Image frame = drawFrame();
    EXPECT_EQ(frame.getPixel(4, 4), sf::Color::Red);        // ground tile
    EXPECT_EQ(frame.getPixel(60, 60), sf::Color::Black);    // empty cell
    EXPECT_EQ(frame.getPixel(28, 28), sf::Color::Yellow);   // middle tile from the second row
    EXPECT_EQ(frame.getPixel(20, 20), sf::Color::Magenta);  // lower object over the higher one
    EXPECT_EQ(frame.getPixel(28, 12), sf::Color::Cyan);     // object over the layer below
    EXPECT_EQ(frame.getPixel(12, 20), sf::Color::Green);    // next layer's tile over the object
    // Looking up the empty cells left the layer's tiles as they were.
    EXPECT_EQ(assets.getLayers()[1].second->getTiles().size(), 1u);
}

TEST_F(AssetManagerDisplayTest, TheDividerViewDrawsOnlyTheDivider) {
    writeTileset("red", 1, 1, {sf::Color::Red});
    ASSERT_TRUE(load(tileset(1, "red") + layer("Ground", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1")));
    // A window a fifth of the design screen: the divider's 20 units from the middle on are four
    // pixels, over the whole height, and the layer's tiles are not drawn.
    TestWindow fifth(384, 216);
    assets.setRenderWindow(&fifth.window());
    assets.setDividerView();
    fifth.window().clear(sf::Color::Black);
    assets.drawLayers();
    const sf::Image frame = fifth.capture();
    assets.setRenderWindow(&screen.window());
    EXPECT_EQ(frame.getPixel(1, 1), sf::Color::Black);
    EXPECT_EQ(frame.getPixel(190, 0), sf::Color::Black);
    EXPECT_EQ(frame.getPixel(193, 0), sf::Color::White);
    EXPECT_EQ(frame.getPixel(195, 215), sf::Color::White);
    EXPECT_EQ(frame.getPixel(198, 100), sf::Color::Black);

    screen.window().setView(screen.window().getDefaultView());
    EXPECT_EQ(drawFrame().getPixel(40, 32), sf::Color::Red);
}

}  // namespace
