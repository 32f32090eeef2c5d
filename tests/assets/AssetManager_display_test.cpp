#include "assets/AssetManager.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <SFML/Graphics.hpp>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "assets/LayerComponent.hpp"
#include "objects/GameObject.hpp"
#include "objects/IRenderComponent.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

namespace {

using Objects = std::vector<std::shared_ptr<GameObject>>;

// Stands in for the game's sprites: a 16 by 16 square at its owner's transform.
class SquareRenderer : public IRenderComponent {
public:
    SquareRenderer(sf::RenderWindow& window, std::shared_ptr<GameObject> owner, sf::Color colour)
        : IRenderComponent(window, std::move(owner)), m_square({16.f, 16.f}) {
        m_square.setFillColor(colour);
    }
    bool init() override { return true; }
    void update(float) override {}
    void draw() override { m_renderWindow.draw(m_square, m_gameObject->getTransform()); }

private:
    sf::RectangleShape m_square;
};

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

TmxObject inLayer(const std::string& layerName) {
    TmxObject object;
    object.type = "Logo";
    object.properties = {{"text", "Top"}, {"correspondingLayer", layerName}};
    return object;
}

class AssetManagerDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.create(sf::VideoMode(64, 64), "tiles", sf::Style::None);
        assets.setRenderWindow(&window);
    }

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

    std::shared_ptr<GameObject> square(sf::Vector2f position, sf::Color colour) {
        objects.push_back(std::make_shared<GameObject>("square"));
        objects.back()->setPosition(position);
        objects.back()->addComponent(
            std::make_shared<SquareRenderer>(window, objects.back(), colour));
        return objects.back();
    }

    sf::Image drawFrame() {
        window.clear(sf::Color::Black);
        assets.drawLayers();
        sf::Texture shot;
        shot.create(64, 64);
        shot.update(window);
        return shot.copyToImage();
    }

    struct CutTile {
        const sf::Texture* texture = nullptr;
        sf::IntRect rect;
        sf::Vector2f position;
    };

    // The first layer's tile under the key (x, y).
    CutTile tile(int x, int y) const {
        const LayerTiles& tiles = *assets.getLayerTiles().at(0);
        const Tile* found = tiles.find({x, y});
        if (found == nullptr) {
            ADD_FAILURE() << "no tile under " << x << "," << y;
            return {};
        }
        return {tiles.lookOf(*found).texture, tiles.lookOf(*found).textureRect, found->position};
    }

    AssetManager& assets = AssetManager::instance();
    ScratchGameDir game;
    sf::RenderWindow window;
    std::shared_ptr<GameObject> mapObject;
    Objects objects;
};

TEST_F(AssetManagerDisplayTest, TilesAreCutFromTheTilesetTheirGidFallsIn) {
    writeTileset("a", 8, 8);
    writeTileset("b", 2, 2);
    const std::string map = tileset(1, "a") + tileset(65, "b") + layer("L", "64,65,0,\n0,10,0", 3);
    ASSERT_TRUE(load(map));
    EXPECT_EQ(assets.getLayerTiles().at(0)->size(), 3u);
    EXPECT_EQ(tile(0, 0).texture, assets.getTextures().at("a").get());
    EXPECT_EQ(tile(0, 0).rect, sf::IntRect(112, 112, 16, 16));
    EXPECT_EQ(tile(16, 0).texture, assets.getTextures().at("b").get());
    EXPECT_EQ(tile(16, 0).rect, sf::IntRect(0, 0, 16, 16));
    EXPECT_EQ(tile(16, 16).rect, sf::IntRect(16, 16, 16, 16));
    EXPECT_EQ(tile(16, 16).position, sf::Vector2f(16.f, 16.f));
    // The layer shares the very same tiles.
    EXPECT_EQ(&assets.getLayers().at(0).second->getTiles(), assets.getLayerTiles()[0].get());

    ASSERT_TRUE(load(map, {-16.f, 0.f}));
    EXPECT_EQ(tile(-16, 0).position, sf::Vector2f(-16.f, 0.f));
    EXPECT_EQ(tile(0, 16).texture, assets.getTextures().at("a").get());
    EXPECT_EQ(assets.getLayerTiles()[0]->find({16, 16}), nullptr);
}

TEST_F(AssetManagerDisplayTest, LoadingASecondMapForgetsTheFirst) {
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
}

TEST_F(AssetManagerDisplayTest, CellsThatCannotBeCutAreReportedOncePerCause) {
    writeTileset("a", 2, 1);
    ErrCapture err;
    ASSERT_TRUE(load(tileset(5, "a") + tileset(20, "gone") + layer("L", "3,1,5,7,20,21,6,0") +
                     layer("M", "2", 1)));
    const std::string text = err.text();
    EXPECT_NE(text.find("Could not load texture ../assets/gone.png\n"), std::string::npos);
    EXPECT_NE(text.find("Left 3 tile(s) empty: their gid is below the first tileset's firstgid "
                        "(the first is gid 3 in layer \"L\")\n"),
              std::string::npos);
    EXPECT_NE(text.find("Left 2 tile(s) empty: their tileset's image did not load or is narrower "
                        "than one tile (the first is gid 20 in layer \"L\")\n"),
              std::string::npos);
    EXPECT_NE(text.find("Left 1 tile(s) empty: their gid lies beyond the end of their tileset's "
                        "image (the first is gid 7 in layer \"L\")\n"),
              std::string::npos);
    EXPECT_EQ(assets.getLayerTiles()[0]->size(), 2u);
    EXPECT_EQ(assets.getTextures().count("gone"), 1u);
}

// A map may name any path as a tileset image; a pipe would keep the image loader waiting for
// data that never comes, and a folder is no picture either.
TEST_F(AssetManagerDisplayTest, OnlyRegularFilesAreLoadedAsTilesetImages) {
    ASSERT_EQ(mkfifo((game.assets() / "pipe.png").c_str(), 0600), 0);
    std::filesystem::create_directory(game.assets() / "folder.png");
    ErrCapture err;
    ASSERT_TRUE(load(tileset(1, "pipe") + tileset(2, "folder") + layer("L", "1,2", 2)));
    EXPECT_NE(err.text().find("Could not load texture ../assets/pipe.png\n"), std::string::npos);
    EXPECT_NE(err.text().find("Could not load texture ../assets/folder.png\n"), std::string::npos);
    EXPECT_EQ(assets.getLayerTiles().at(0)->size(), 0u);
}

TEST_F(AssetManagerDisplayTest, ObjectsJoinEveryLayerTheirPropertyNames) {
    ASSERT_TRUE(load(layer("Ground", "0", 1) + layer("Props", "0", 1) + layer("Props", "0", 1) +
                     layer("Top", "0", 1)));
    const auto layers = mapObject->getComponents<LayerComponent>();
    ASSERT_EQ(layers.size(), 4u);
    EXPECT_EQ(layers[3], assets.getLayers()[3].second);

    const TmxObject inProps = inLayer("Props"), inNoLayer = inLayer("props");
    const auto logo = square({0.f, 0.f}, sf::Color::Red);
    const auto stray = square({0.f, 0.f}, sf::Color::Red);
    assets.attachToLayer(logo, &inProps);
    assets.attachToLayer(stray, &inNoLayer);
    assets.attachToLayer(square({0.f, 0.f}, sf::Color::Red), nullptr);
    EXPECT_EQ(logo->getType(), "Logo");
    EXPECT_EQ(stray->getType(), "Logo");
    EXPECT_TRUE(layers[0]->getObjects().empty() && layers[3]->getObjects().empty());
    EXPECT_EQ(layers[1]->getObjects(), Objects{logo});
    EXPECT_EQ(layers[2]->getObjects(), Objects{logo});
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
    const TmxObject inMiddle = inLayer("Middle");
    assets.attachToLayer(square({8.f, 16.f}, sf::Color::Magenta), &inMiddle);
    assets.attachToLayer(square({16.f, 8.f}, sf::Color::Cyan), &inMiddle);

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
    assets.setRenderWindow(&window);
    EXPECT_EQ(frame.getPixel(1, 1), sf::Color::Black);
    EXPECT_EQ(frame.getPixel(190, 0), sf::Color::Black);
    EXPECT_EQ(frame.getPixel(193, 0), sf::Color::White);
    EXPECT_EQ(frame.getPixel(195, 215), sf::Color::White);
    EXPECT_EQ(frame.getPixel(198, 100), sf::Color::Black);

    window.setView(window.getDefaultView());
    EXPECT_EQ(drawFrame().getPixel(40, 32), sf::Color::Red);
}

}  // namespace
