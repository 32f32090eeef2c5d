#include "assets/LayerComponent.hpp"

#include <gtest/gtest.h>

#include <SFML/Graphics.hpp>
#include <sstream>
#include <string>

#include "assets/AssetManager.hpp"
#include "objects/GameObject.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

namespace {

constexpr int kTile = 16;
const sf::Color kClear(20, 30, 40);

// A layer of 160 by 100 cells (2560 by 1600 px, larger than the design space, so that views cut
// through it on every side) going through gids 1 to 76, with an empty cell every so often.
std::string layerXml(const std::string& name, int seed) {
    std::ostringstream xml;
    xml << "<layer name='" << name << "' width='160' height='100'><data encoding='csv'>";
    for (int cell = 0; cell < 160 * 100; ++cell) {
        xml << (cell == 0 ? "" : ",")
            << ((cell * 7 + seed) % 11 == 0 ? 0 : 1 + (cell * 5 + seed * 3) % 76);
    }
    xml << "</data></layer>";
    return xml.str();
}

std::string tilesetXml(int firstGid, const std::string& name) {
    return "<tileset firstgid='" + std::to_string(firstGid) + "' name='" + name +
           "' tilewidth='16' tileheight='16'><image source='" + name + ".png'/></tileset>";
}

sf::View designView(sf::Vector2f centre) {
    return sf::View(centre, {1920.f, 1080.f});
}

class LayerComponentDisplayTest : public ::testing::Test {
protected:
    void SetUp() override { assets.setRenderWindow(&screen.window()); }

    void TearDown() override {
        if (mapObject) {
            mapObject->clearComponents();
        }
        assets.reset();
        assets.setRenderWindow(nullptr);
    }

    // Three tilesets (64 + 8 + 4 tiles) mixed in one layer, see-through tiles over it in another.
    void loadMap(sf::Vector2f offset) {
        int seed = 1;
        for (const auto& [name, size] :
             {std::pair{"plain", sf::Vector2u(8, 8)}, std::pair{"glass", sf::Vector2u(4, 2)},
              std::pair{"ink", sf::Vector2u(2, 2)}}) {
            ASSERT_TRUE(patternImage(size.x * kTile, size.y * kTile, seed++)
                            .saveToFile((game.assets() / (std::string(name) + ".png")).string()));
        }
        const std::string map = "<map width='160' height='100' tilewidth='16' tileheight='16'>" +
                                tilesetXml(1, "plain") + tilesetXml(65, "glass") +
                                tilesetXml(73, "ink") + layerXml("Ground", 1) +
                                layerXml("Over", 4) + "</map>";
        mapObject = assets.loadMap(game.writeAsset("Tiles.tmx", map), offset);
        ASSERT_TRUE(mapObject);
        ASSERT_EQ(assets.getLayers().size(), 2u);
        ASSERT_TRUE(assets.getLayers()[0].second->getTileChunks().inGraphicsMemory());
        EXPECT_EQ(assets.getLayers()[0].second->getTileChunks().getSheets().size(), 3u)
            << "one buffer per tileset";
    }

    // Every tile of every layer, culled or not, drawn as a sprite of its own is the reference;
    // the layer pass, and chunks kept in main memory (as when graphics memory runs out), must
    // draw the same picture in every pixel.
    void expectSamePicture(sf::Vector2u size, const sf::View& view) {
        sf::RenderTexture targets[3];
        for (auto& target : targets) {
            ASSERT_TRUE(target.create(size.x, size.y));
            target.setView(view);
            target.clear(kClear);
        }
        for (const auto& layer : assets.getLayers()) {
            const LayerTiles& tiles = layer.second->getTiles();
            tiles.forEachOnGrid(
                {{-(1 << 30), -(1 << 30)}, {1 << 30, 1 << 30}}, kTile, [&](const Tile& tile) {
                    sf::Sprite sprite(*tiles.lookOf(tile).texture, tiles.lookOf(tile).textureRect);
                    sprite.setPosition(tile.position);
                    targets[0].draw(sprite);
                });
            layer.second->drawTiles(targets[1]);
            TileChunks(tiles, kTile, false)
                .draw(targets[2], LayerComponent::visibleTiles(view, kTile));
        }
        for (auto& target : targets) {
            target.display();
        }
        const sf::Image expected = targets[0].getTexture().copyToImage();
        for (int chunked = 1; chunked <= 2; ++chunked) {
            const PictureDiff diff =
                comparePictures(expected, targets[chunked].getTexture().copyToImage(), kClear);
            EXPECT_EQ(diff.differing, 0) << (chunked == 1 ? "layer pass" : "main memory");
            EXPECT_GT(diff.drawn, 0);
        }
    }

    AssetManager& assets = AssetManager::instance();
    ScratchGameDir game;
    TestWindow screen{64, 64};
    std::shared_ptr<GameObject> mapObject;
};

TEST_F(LayerComponentDisplayTest, ChunksDrawTheSamePictureAsEveryTileAsASprite) {
    ASSERT_NO_FATAL_FAILURE(loadMap({0.f, 0.f}));
    // The design space, cutting the map on every side, in a 1920 by 1080 window.
    expectSamePicture({1920, 1080}, designView({1300.f, 700.f}));
    // A race camera: zoomed out by 1.5 into one half of the target.
    sf::View camera({1301.3f, 787.6f}, {240.f, 360.f});
    camera.setViewport({0.5f, 0.f, 0.5f, 1.f});
    expectSamePicture({320, 240}, camera);
    sf::View turned({217.77f, 95.13f}, {118.4f, 88.8f});
    turned.setRotation(33.f);
    expectSamePicture({320, 240}, turned);

    // The design space letterboxed in windows of other sizes: what the view shows decides which
    // tiles are drawn, not the window's pixels.
    sf::View small = designView({1000.f, 900.f});
    small.setViewport({0.f, 0.0625f, 1.f, 0.875f});  // 1366 by 768: bars above and below
    expectSamePicture({1366, 768}, small);
    expectSamePicture({960, 540}, designView({1250.f, 800.f}));
    expectSamePicture({3840, 2160}, designView({1700.f, 500.f}));
}

TEST_F(LayerComponentDisplayTest, ChunksMatchAtFractionalPositionsFarFromTheOrigin) {
    ASSERT_NO_FATAL_FAILURE(loadMap({-40000.25f, 3008.5f}));
    sf::View view({-39700.4f, 3200.7f}, {320.f, 240.f});
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
    LayerComponent& ground = *assets.getLayers()[0].second;
    const std::size_t wholeMap = ground.getTileChunks().vertexBytes() / sizeof(sf::Vertex);
    // The vertices that a pass with the view at `left` draws.
    const auto pass = [&](float left) {
        target.setView(sf::View(sf::FloatRect(left, 0.f, 320.f, 240.f)));
        ground.drawTiles(target);
        std::size_t vertices = 0;
        ground.getTileChunks().forEachRun(
            ground.getTileRange(),
            [&](const TileChunks::Sheet&, std::size_t, std::size_t count) { vertices += count; });
        return vertices;
    };
    // 20 by 15 cells in view and a tile around: 2 of the 70 chunks of 16 by 16 cells.
    EXPECT_GT(pass(0.f), 0u);
    EXPECT_LE(pass(0.f), wholeMap / 30);
    EXPECT_EQ(pass(-400.f), 0u);
}

}  // namespace
