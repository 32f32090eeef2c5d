#include "assets/AssetManager.hpp"

#include <gtest/gtest.h>

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

    // Map objects and squares let go of their components, as a screen's exit makes them do.
    void TearDown() override {
        for (const auto& object : objects) {
            if (object) {
                object->clearComponents();
            }
        }
        assets.reset();
        assets.setRenderWindow(nullptr);
    }

    // Loads a map of 16-pixel tiles.
    std::shared_ptr<GameObject> load(const std::string& content, sf::Vector2f offset = {}) {
        return objects.emplace_back(assets.loadMap(
            game.writeAsset(
                "Test.tmx",
                "<map width='4' height='4' tilewidth='16' tileheight='16'>" + content + "</map>"),
            offset));
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
    void attachSquare(sf::Vector2f position, sf::Color colour, const std::string& layerName) {
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
    }

    // Draws every layer into `window` and reads it back.
    sf::Image drawFrame(TestWindow& window) {
        assets.setRenderWindow(&window.window());
        window.window().clear(sf::Color::Black);
        assets.drawLayers();
        return window.capture();
    }

    AssetManager& assets = AssetManager::instance();
    ScratchGameDir game;
    TestWindow screen{64, 64};
    std::vector<std::shared_ptr<GameObject>> objects;
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
// behind; it says so in one line naming the file and the problem. Cells that cannot be cut stay
// empty, reported once per cause with how many there are and where the first is.
TEST_F(AssetManagerDisplayTest, WhatCannotBeReadIsForgottenAndReportedOncePerCause) {
    writeTileset("a", 2, 1);
    ASSERT_TRUE(load(tileset(1, "a") + layer("One", "1", 1) + layer("Two", "1", 1)));
    const auto firstLayer = assets.getLayers().at(0).second;
    {
        ErrCapture err;
        EXPECT_EQ(
            assets.loadMap(game.writeAsset("Broken.tmx", "<map width='1'\n  height='1' <"), {}),
            nullptr);
        EXPECT_TRUE(assets.getTextures().empty());
        EXPECT_TRUE(assets.getLayers().empty());
        EXPECT_TRUE(assets.getLayerTiles().empty());
        EXPECT_TRUE(firstLayer->getTiles().empty());
        EXPECT_EQ(err.lineCount(), 1);
        EXPECT_TRUE(err.hasLineWith({"Broken.tmx", "syntax error", "line 2, column 14"}))
            << err.text();
    }
    ErrCapture err;
    ASSERT_TRUE(load(tileset(5, "a") + tileset(20, "gone") +
                     layer("L", "3,1,5,7,20,21,6,0,30,31,0,0") + layer("M", "2", 1)));
    EXPECT_TRUE(err.hasLineWith({"Could not load texture", "gone.png"}));
    EXPECT_TRUE(err.hasLineWith({"Left 3 ", "below the first tileset", "gid 3 in layer \"L\""}));
    EXPECT_TRUE(err.hasLineWith({"Left 4 ", "did not load", "gid 20 in layer \"L\""}));
    EXPECT_TRUE(err.hasLineWith({"Left 1 ", "beyond the end", "gid 7 in layer \"L\""}));
    EXPECT_EQ(err.lineCount(), 4) << err.text();
    EXPECT_EQ(assets.getLayerTiles()[0]->size(), 2u);
    EXPECT_EQ(assets.getTextures().count("gone"), 1u);
}

// Layers and their objects are drawn back to front; an object joins every layer its property
// names exactly.
TEST_F(AssetManagerDisplayTest, LayersAndTheirObjectsAreDrawnBackToFront) {
    writeTileset("colours", 2, 2,
                 {sf::Color::Red, sf::Color::Green, sf::Color::Blue, sf::Color::Yellow});
    ASSERT_TRUE(load(tileset(1, "colours") + layer("Ground", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,0") +
                     layer("Middle", "0,0,0,0,0,4,0,0,0,0,0,0,0,0,0,0") +
                     layer("Top", "0,0,0,0,2,0,0,0,0,0,0,0,0,0,0,0") +
                     layer("Middle", "3,3,3,3,3,3,3,3,3,3,3,3,3,3,3,3")));
    const auto& layers = assets.getLayers();
    layers[3].second->setVisible(false);
    // Attached top first: the lower one on the screen must still be drawn last.
    attachSquare({8.f, 16.f}, sf::Color::Magenta, "Middle");
    attachSquare({16.f, 8.f}, sf::Color::Cyan, "Middle");
    attachSquare({48.f, 48.f}, sf::Color::White, "middle");
    EXPECT_EQ(objects.back()->getType(), "Logo") << "typed even where it joins no layer";
    assets.attachToLayer(std::make_shared<GameObject>("not from the map"), nullptr);
    EXPECT_EQ(layers[1].second->getObjects().size(), 2u);
    EXPECT_EQ(layers[3].second->getObjects(), layers[1].second->getObjects());
    EXPECT_TRUE(layers[0].second->getObjects().empty() && layers[2].second->getObjects().empty());

    const sf::Image frame = drawFrame(screen);
    EXPECT_EQ(frame.getPixel(4, 4), sf::Color::Red);        // ground tile
    EXPECT_EQ(frame.getPixel(60, 60), sf::Color::Black);    // empty cell, no object of "middle"
    EXPECT_EQ(frame.getPixel(28, 28), sf::Color::Yellow);   // middle tile from the second row
    EXPECT_EQ(frame.getPixel(20, 20), sf::Color::Magenta);  // lower object over the higher one
    EXPECT_EQ(frame.getPixel(28, 12), sf::Color::Cyan);     // object over the layer below
    EXPECT_EQ(frame.getPixel(12, 20), sf::Color::Green);    // next layer's tile over the object
    // Looking up the empty cells left the layer's tiles as they were.
    EXPECT_EQ(layers[1].second->getTiles().size(), 1u);
}

}  // namespace
