#include "assets/CoveredTiles.hpp"

#include <gtest/gtest.h>

#include <SFML/Graphics.hpp>
#include <string>
#include <vector>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "components/SpriteRenderComponent.hpp"
#include "objects/GameObject.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

namespace {

constexpr unsigned kTile = 16;
const sf::Color kClear(20, 30, 40);
const sf::Vector2f kOffset(32.f, -16.f);

// Four tiles, every texel its own colour: 1 and 2 opaque, 3 half see-through, 4 opaque but for
// one texel.
void writeTileset(const std::string& path) {
    sf::Image image = patternImage(4 * kTile, kTile, 5);
    for (unsigned y = 0; y < kTile; ++y) {
        for (unsigned x = 0; x < 4 * kTile; ++x) {
            sf::Color texel = image.getPixel(x, y);
            const bool seeThrough = x / kTile == 2 && (x + y) % 2 == 0;
            texel.a = seeThrough ? 128 : x == 3 * kTile + 7 && y == 9 ? 254 : 255;
            image.setPixel(x, y, texel);
        }
    }
    ASSERT_TRUE(image.saveToFile(path));
}

std::string layer(const std::string& name, const std::string& cells,
                  const std::string& attributes = "") {
    return "<layer name='" + name + "' width='6' height='4' " + attributes +
           "><data encoding='csv'>" + cells + "</data></layer>";
}

// Ground is full. Glass and Top cover some of it, and Top one tile of Glass, with opaque tiles;
// the see-through and the nearly opaque tiles cover nothing. A layer's opacity and offsets are
// not the game's: its layers are drawn as they are.
const std::string kMap =
    "<map width='6' height='4' tilewidth='16' tileheight='16'>"
    "<tileset firstgid='1' name='tiles' tilewidth='16' tileheight='16'>"
    "<image source='tiles.png'/></tileset>" +
    layer("Ground", "1,2,1,2,1,2, 2,1,2,1,2,1, 1,2,1,2,1,2, 2,1,2,1,2,1") +
    layer("Glass", "2,2,0,0,0,0, 0,0,0,0,0,0, 0,0,0,0,0,0, 0,0,0,0,0,3", "opacity='0.5'") +
    layer("Top", "0,1,0,0,0,0, 0,1,1,1,0,0, 0,3,4,0,0,0, 2,0,0,0,0,0", "offsetx='8' offsety='4'") +
    "</map>";

class CoveredTilesDisplayTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const auto& object : {mapObject, square}) {
            if (object) {
                object->clearComponents();
            }
        }
        assets.reset();
        assets.setRenderWindow(nullptr);
    }

    void load() {
        assets.setRenderWindow(&screen.window());
        writeTileset((game.assets() / "tiles.png").string());
        mapObject = assets.loadMap(game.writeAsset("Covered.tmx", kMap), kOffset);
        ASSERT_TRUE(mapObject);
        ASSERT_EQ(assets.getLayers().size(), 3u);
        // Half over a covered ground tile, half over one that shows.
        square = std::make_shared<GameObject>("square");
        square->setPosition(kOffset + sf::Vector2f(2.5f, 1.5f) * static_cast<float>(kTile));
        const auto sprite = std::make_shared<SpriteRenderComponent>(
            screen.window(), sf::Color::Black, square,
            writeSolidPng(game.assets() / "square.png", kTile, kTile, sf::Color::Magenta));
        square->addComponent(sprite);
        ASSERT_TRUE(sprite->init());
        assets.getLayers()[0].second->addObject(square);
    }

    // The layers as the game draws them or, for `everyTile`, each drawing all of its tiles as it
    // would alone, with the real layers' objects.
    sf::Image draw(const sf::View& view, bool everyTile) {
        sf::RenderWindow& window = screen.window();
        window.clear(kClear);
        window.setView(view);
        if (!everyTile) {
            assets.drawLayers();
        }
        for (std::size_t i = 0; everyTile && i < assets.getLayers().size(); ++i) {
            const LayerComponent& real = *assets.getLayers()[i].second;
            if (!real.isVisible()) {
                continue;
            }
            LayerComponent whole(mapObject, window, assets.getLayerTiles()[i], real.getName(),
                                 kTile);
            for (const auto& object : real.getObjects()) {
                whole.addObject(object);
            }
            whole.draw();
        }
        return screen.capture();
    }

    AssetManager& assets = AssetManager::instance();
    ScratchGameDir game;
    TestWindow screen{100, 70};
    std::shared_ptr<GameObject> mapObject;
    std::shared_ptr<GameObject> square;
};

// Leaving out what opaque tiles above hide changes no pixel: in the whole window, in a zoomed
// half at the map's corner (the clear colour around it) and in a turned half, and again with a
// covering layer hidden, when the ground must show all of its tiles.
TEST_F(CoveredTilesDisplayTest, LeftOutTilesChangeNoPixelInAnyView) {
    load();
    const auto& layers = assets.getLayers();
    const auto coveredOf = [&](std::size_t i) {
        return layers[i].second->getTiles().size() - layers[i].second->getUncoveredTiles().size();
    };
    EXPECT_EQ(coveredOf(0), 6u) << "two under Glass, four under Top";
    EXPECT_EQ(coveredOf(1), 1u) << "one under Top";
    EXPECT_EQ(coveredOf(2), 0u);

    sf::View whole(kOffset + sf::Vector2f(48.f, 32.f), {100.f, 70.f});
    sf::View corner(kOffset, {31.25f, 43.75f});
    corner.setViewport({0.f, 0.f, 0.5f, 1.f});
    sf::View turned(kOffset + sf::Vector2f(40.f, 30.f), {60.f, 84.f});
    turned.setRotation(30.f);
    turned.setViewport({0.5f, 0.f, 0.5f, 1.f});
    for (const char* hidden : {"", "Glass"}) {
        for (const auto& [name, layer] : layers) {
            layer->setVisible(name != hidden);
        }
        for (const sf::View& view : {whole, corner, turned}) {
            const sf::Image expected = draw(view, true);
            const PictureDiff diff = comparePictures(expected, draw(view, false), kClear);
            EXPECT_EQ(diff.differing, 0) << "hidden: '" << hidden << "', view at "
                                         << view.getCenter().x << "," << view.getCenter().y;
            EXPECT_GT(diff.drawn, 500);
        }
    }
}

}  // namespace
