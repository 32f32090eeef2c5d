#include "assets/LayerComponent.hpp"

#include <gtest/gtest.h>

#include <SFML/Graphics.hpp>
#include <sstream>
#include <string>

#include "assets/AssetManager.hpp"
#include "objects/GameObject.hpp"
#include "support/ScratchGameDir.hpp"

namespace {

constexpr int kTile = 16;
// 160 by 100 cells of 16 pixels: 2560 by 1600, larger than the 1920 by 1080 design space, so
// that views cut through it on every side.
constexpr int kColumns = 160;
constexpr int kRows = 100;
const sf::Color kClear(20, 30, 40);

// The reference: every tile of the layer, culled or not, drawn as a sprite of its own.
void drawEveryTileBySprite(sf::RenderTarget& target, const LayerTiles& tiles) {
    tiles.forEachOnGrid(
        {{-(1 << 30), -(1 << 30)}, {1 << 30, 1 << 30}}, kTile, [&](const Tile& tile) {
            sf::Sprite sprite(*tiles.lookOf(tile).texture, tiles.lookOf(tile).textureRect);
            sprite.setPosition(tile.position);
            target.draw(sprite);
        });
}

// Every texel differs from its neighbours and every tile from every other, some are see-through:
// a tile drawn a pixel off, from the wrong place of its image, twice or not at all shows up.
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

// A layer going through gids 1 to `gids`, with an empty cell every so often.
std::string layerXml(const std::string& name, int gids, int seed) {
    std::ostringstream xml;
    xml << "<layer name='" << name << "' width='" << kColumns << "' height='" << kRows
        << "'><data encoding='csv'>";
    for (int cell = 0; cell < kColumns * kRows; ++cell) {
        const int gid = (cell * 7 + seed) % 11 == 0 ? 0 : 1 + (cell * 5 + seed * 3) % gids;
        xml << (cell == 0 ? "" : ",") << gid;
    }
    xml << "</data></layer>";
    return xml.str();
}

sf::View designView(sf::Vector2f centre) {
    return sf::View(centre, {1920.f, 1080.f});
}

class LayerComponentDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.create(sf::VideoMode(64, 64), "tiles", sf::Style::None);
        assets.setRenderWindow(&window);
        saveTileset("plain", 8, 8, 1);
        saveTileset("glass", 4, 2, 2);
        saveTileset("ink", 2, 2, 3);
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
            "<map width='160' height='100' tilewidth='16' tileheight='16'>"
            "<tileset firstgid='1' name='plain' tilewidth='16' tileheight='16'><image "
            "source='plain.png'/></tileset>"
            "<tileset firstgid='65' name='glass' tilewidth='16' tileheight='16'><image "
            "source='glass.png'/></tileset>"
            "<tileset firstgid='73' name='ink' tilewidth='16' tileheight='16'><image "
            "source='ink.png'/></tileset>" +
            layerXml("Ground", 76, 1) + layerXml("Over", 76, 4) + "</map>";
        mapObject = assets.loadMap(game.writeAsset("Tiles.tmx", map), offset);
        ASSERT_TRUE(mapObject);
        ASSERT_EQ(assets.getLayers().size(), 2u);
    }

    // Both passes of every layer under the same view into targets of the given size; the
    // pictures must agree in every pixel.
    void expectSamePicture(sf::Vector2u size, const sf::View& view) {
        sf::RenderTexture reference;
        sf::RenderTexture chunked;
        ASSERT_TRUE(reference.create(size.x, size.y));
        ASSERT_TRUE(chunked.create(size.x, size.y));
        reference.setView(view);
        chunked.setView(view);
        reference.clear(kClear);
        chunked.clear(kClear);
        for (const auto& layer : assets.getLayers()) {
            drawEveryTileBySprite(reference, layer.second->getTiles());
            layer.second->drawTiles(chunked);
        }
        reference.display();
        chunked.display();
        const sf::Image expected = reference.getTexture().copyToImage();
        const sf::Image actual = chunked.getTexture().copyToImage();
        long differing = 0, tiled = 0;
        for (unsigned y = 0; y < size.y; ++y) {
            for (unsigned x = 0; x < size.x; ++x) {
                if (expected.getPixel(x, y) != actual.getPixel(x, y) && differing++ == 0) {
                    ADD_FAILURE() << "first difference at (" << x << ", " << y << ")";
                }
                tiled += expected.getPixel(x, y) != kClear ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(tiled, 0) << "nothing was drawn: the comparison proves nothing";
    }

    // Vertices the last pass drew, over all layers.
    std::size_t verticesDrawn() const {
        std::size_t vertices = 0;
        for (const auto& layer : assets.getLayers()) {
            layer.second->getTileChunks().forEachRun(layer.second->getTileRange(),
                                                     [&](const TileChunks::Sheet&, std::size_t,
                                                         std::size_t count) { vertices += count; });
        }
        return vertices;
    }

    AssetManager& assets = AssetManager::instance();
    ScratchGameDir game;
    sf::RenderWindow window;
    std::shared_ptr<GameObject> mapObject;
};

TEST_F(LayerComponentDisplayTest, ChunksDrawTheSamePictureAsEveryTileAsASprite) {
    ASSERT_NO_FATAL_FAILURE(loadMap({0.f, 0.f}));
    ASSERT_TRUE(assets.getLayers()[0].second->getTileChunks().inGraphicsMemory());

    // The design space, cutting the map on every side, in a 1920 by 1080 window.
    expectSamePicture({1920, 1080}, designView({1300.f, 700.f}));

    // A race camera: zoomed out by 1.5 into one half of the target.
    sf::View camera(sf::FloatRect(0.f, 0.f, 320.f, 240.f));
    camera.zoom(1.5f);
    camera.setSize(camera.getSize().x * 0.5f, camera.getSize().y);
    camera.setCenter(1301.3f, 787.6f);
    camera.setViewport({0.5f, 0.f, 0.5f, 1.f});
    expectSamePicture({320, 240}, camera);

    sf::View turned(sf::FloatRect(0.f, 0.f, 320.f, 240.f));
    turned.setRotation(33.f);
    turned.zoom(0.37f);
    turned.setCenter(217.77f, 95.13f);
    expectSamePicture({320, 240}, turned);
}

// The design space shown letterboxed in windows of other sizes: what the view shows decides
// which tiles are drawn, not the window's pixels.
TEST_F(LayerComponentDisplayTest, NoTileIsMissingAtTheEdgesOfSmallerOrLargerWindows) {
    ASSERT_NO_FATAL_FAILURE(loadMap({0.f, 0.f}));
    sf::View small = designView({1000.f, 900.f});
    small.setViewport({0.f, 0.0625f, 1.f, 0.875f});  // 1366 by 768: bars above and below
    expectSamePicture({1366, 768}, small);
    // Half the design space's pixels: a pass sized by the window would leave the edges bare.
    expectSamePicture({960, 540}, designView({1250.f, 800.f}));
    expectSamePicture({3840, 2160}, designView({1700.f, 500.f}));
}

TEST_F(LayerComponentDisplayTest, ChunksMatchAtFractionalPositionsFarFromTheOrigin) {
    ASSERT_NO_FATAL_FAILURE(loadMap({-40000.25f, 3008.5f}));
    sf::View view(sf::FloatRect(0.f, 0.f, 320.f, 240.f));
    view.setCenter(-39700.4f, 3200.7f);
    expectSamePicture({320, 240}, view);
    view.zoom(2.5f);
    expectSamePicture({320, 240}, view);
}

// Only the chunks around the view are drawn: a view of a corner of the map draws a small part
// of it, and a view beside the map nothing.
TEST_F(LayerComponentDisplayTest, APassDrawsOnlyTheChunksAroundTheView) {
    ASSERT_NO_FATAL_FAILURE(loadMap({0.f, 0.f}));
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(320, 240));
    std::size_t wholeMap = 0;
    for (const auto& layer : assets.getLayers()) {
        wholeMap += layer.second->getTileChunks().vertexBytes() / sizeof(sf::Vertex);
    }
    target.setView(sf::View(sf::FloatRect(0.f, 0.f, 320.f, 240.f)));
    for (const auto& layer : assets.getLayers()) {
        layer.second->drawTiles(target);
    }
    // 20 by 15 cells in view and a tile around: 2 of the 70 chunks of 16 by 16 cells.
    EXPECT_GT(verticesDrawn(), 0u);
    EXPECT_LE(verticesDrawn(), wholeMap / 30);

    target.setView(sf::View(sf::FloatRect(-400.f, 0.f, 320.f, 240.f)));
    for (const auto& layer : assets.getLayers()) {
        layer.second->drawTiles(target);
    }
    EXPECT_EQ(verticesDrawn(), 0u);
}

}  // namespace
