#include "assets/LayerComponent.hpp"

#include <gtest/gtest.h>

#include <SFML/Graphics.hpp>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "assets/AssetManager.hpp"
#include "objects/GameObject.hpp"
#include "support/ScratchGameDir.hpp"

namespace {

constexpr int kTile = 16;
constexpr unsigned kWidth = 320;
constexpr unsigned kHeight = 240;

// The tile pass as it used to be: every key on the grid around the view looked up, and each
// tile found drawn as a sprite of its own.
void drawTileBySprite(sf::RenderTarget& target, const LayerTiles& tiles, int tileSize) {
    const TileRange range =
        LayerComponent::visibleTiles(target.getView().getCenter(), target.getSize(), tileSize);
    for (int x = range.start.x; x < range.end.x; x += tileSize) {
        for (int y = range.start.y; y < range.end.y; y += tileSize) {
            if (const Tile* tile = tiles.find({x, y})) {
                sf::Sprite sprite(*tiles.lookOf(*tile).texture, tiles.lookOf(*tile).textureRect);
                sprite.setPosition(tile->position);
                target.draw(sprite);
            }
        }
    }
}

// Every texel differs from its neighbours and every tile from every other, some are see-through:
// a tile drawn a pixel off, from the wrong place of its image or twice shows up somewhere.
sf::Image tilesetImage(unsigned columns, unsigned rows, unsigned seed) {
    sf::Image image;
    image.create(columns * kTile, rows * kTile);
    for (unsigned y = 0; y < rows * kTile; ++y) {
        for (unsigned x = 0; x < columns * kTile; ++x) {
            const unsigned tile = y / kTile * columns + x / kTile;
            image.setPixel(x, y,
                           sf::Color(static_cast<sf::Uint8>(tile * 37 + seed * 11),
                                     static_cast<sf::Uint8>(x * 13 + y * 7),
                                     static_cast<sf::Uint8>(x * 5 + y * 17 + seed * 3),
                                     static_cast<sf::Uint8>(tile % 3 == 0 ? 255 : 90 + tile * 5)));
        }
    }
    return image;
}

// A layer of width x height cells going through gids 1 to `gids`, with an empty cell every so
// often.
std::string layerXml(const std::string& name, int width, int height, int gids, int seed) {
    std::ostringstream xml;
    xml << "<layer name='" << name << "' width='" << width << "' height='" << height
        << "'><data encoding='csv'>";
    for (int cell = 0; cell < width * height; ++cell) {
        const int gid = (cell * 7 + seed) % 11 == 0 ? 0 : 1 + (cell * 5 + seed * 3) % gids;
        xml << (cell == 0 ? "" : ",") << gid;
    }
    xml << "</data></layer>";
    return xml.str();
}

class LayerComponentDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.create(sf::VideoMode(64, 64), "tiles", sf::Style::None);
        assets.setRenderWindow(&window);
        saveTileset("plain", 8, 8, 1);
        saveTileset("glass", 4, 2, 2);
        saveTileset("ink", 2, 2, 3);
        ASSERT_TRUE(reference.create(kWidth, kHeight));
        ASSERT_TRUE(batched.create(kWidth, kHeight));
    }

    void TearDown() override {
        if (mapObject) {
            mapObject->clearComponents();
        }
        assets.reset();
        assets.setRenderWindow(nullptr);
    }

    void saveTileset(const std::string& name, unsigned columns, unsigned rows, unsigned seed) {
        ASSERT_TRUE(tilesetImage(columns, rows, seed)
                        .saveToFile((game.assets() / (name + ".png")).string()));
    }

    // Three tilesets (64 + 8 + 4 tiles) mixed in one layer, see-through tiles over it in another.
    void loadMap(sf::Vector2f offset) {
        const std::string map =
            "<map width='48' height='36' tilewidth='16' tileheight='16'>"
            "<tileset firstgid='1' name='plain' tilewidth='16' tileheight='16'><image "
            "source='plain.png'/></tileset>"
            "<tileset firstgid='65' name='glass' tilewidth='16' tileheight='16'><image "
            "source='glass.png'/></tileset>"
            "<tileset firstgid='73' name='ink' tilewidth='16' tileheight='16'><image "
            "source='ink.png'/></tileset>" +
            layerXml("Ground", 48, 36, 76, 1) + layerXml("Over", 48, 36, 76, 4) + "</map>";
        mapObject = assets.loadMap(game.writeAsset("Tiles.tmx", map), offset);
        ASSERT_TRUE(mapObject);
        ASSERT_EQ(assets.getLayers().size(), 2u);
    }

    // Both passes of every layer under the same view; the pictures must agree in every pixel.
    void expectSamePicture(const sf::View& view) {
        reference.setView(view);
        batched.setView(view);
        reference.clear(sf::Color(20, 30, 40));
        batched.clear(sf::Color(20, 30, 40));
        for (const auto& layer : assets.getLayers()) {
            drawTileBySprite(reference, layer.second->getTiles(), kTile);
            layer.second->drawTiles(batched);
            expectOneDrawPerTexture(*layer.second);
        }
        reference.display();
        batched.display();
        const sf::Image expected = reference.getTexture().copyToImage();
        const sf::Image actual = batched.getTexture().copyToImage();
        int differing = 0, tiled = 0;
        for (unsigned y = 0; y < kHeight; ++y) {
            for (unsigned x = 0; x < kWidth; ++x) {
                if (expected.getPixel(x, y) != actual.getPixel(x, y) && differing++ == 0) {
                    ADD_FAILURE() << "first difference at (" << x << ", " << y << ")";
                }
                tiled += expected.getPixel(x, y) != sf::Color(20, 30, 40) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(tiled, 0) << "nothing was drawn: the comparison proves nothing";
    }

    void expectOneDrawPerTexture(const LayerComponent& layer) {
        int drawn = 0;
        for (const auto& batch : layer.getTileBatches().getBatches()) {
            drawn += batch.vertices.empty() ? 0 : 1;
        }
        EXPECT_GE(drawn, 1);
        EXPECT_LE(drawn, 3);
    }

    sf::View defaultView() const { return reference.getDefaultView(); }

    AssetManager& assets = AssetManager::instance();
    ScratchGameDir game;
    sf::RenderWindow window;
    sf::RenderTexture reference;
    sf::RenderTexture batched;
    std::shared_ptr<GameObject> mapObject;
};

TEST_F(LayerComponentDisplayTest, BatchedTilesDrawTheSamePictureAsOneSpriteEach) {
    ASSERT_NO_FATAL_FAILURE(loadMap({0.f, 0.f}));
    expectSamePicture(defaultView());

    // The race's camera: zoomed out by 1.5 into one half of the target.
    sf::View camera = defaultView();
    camera.zoom(1.5f);
    camera.setSize(camera.getSize().x * 0.5f, camera.getSize().y);
    camera.setCenter(301.3f, 187.6f);
    camera.setViewport({0.5f, 0.f, 0.5f, 1.f});
    expectSamePicture(camera);

    // So far out that the edges of the tile pass are in the picture.
    sf::View far = defaultView();
    far.zoom(4.f);
    far.setCenter(400.f, 300.f);
    expectSamePicture(far);

    sf::View turned = defaultView();
    turned.setRotation(33.f);
    turned.zoom(0.37f);
    turned.setCenter(217.77f, 95.13f);
    expectSamePicture(turned);
}

TEST_F(LayerComponentDisplayTest, BatchedTilesMatchAtFractionalPositionsFarFromTheOrigin) {
    ASSERT_NO_FATAL_FAILURE(loadMap({-40000.25f, 3008.5f}));
    sf::View view = defaultView();
    view.setCenter(-39700.4f, 3200.7f);
    expectSamePicture(view);
    view.zoom(2.5f);
    expectSamePicture(view);
}

}  // namespace
