#include "assets/LayerTiles.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Keys = std::vector<sf::Vector2i>;

// Two looks on two textures. Nothing here is drawn and textures need a display, so stand-ins
// give the textures their addresses, the only thing of them the tiles use.
class LayerTilesTest : public ::testing::Test {
protected:
    std::vector<TileLook> looks() const {
        return {{grass, {0, 0, 16, 16}}, {stone, {16, 0, 16, 16}}};
    }

    static Keys visited(const LayerTiles& tiles, TileRange range, int step) {
        Keys keys;
        tiles.forEachOnGrid(range, step, [&](const Tile& tile) {
            keys.push_back(LayerTiles::keyOf(tile.position));
        });
        return keys;
    }

    const char standIns[2] = {};
    const sf::Texture* grass = reinterpret_cast<const sf::Texture*>(&standIns[0]);
    const sf::Texture* stone = reinterpret_cast<const sf::Texture*>(&standIns[1]);
};

TEST_F(LayerTilesTest, KeysAreTheCornerTruncatedTowardZero) {
    EXPECT_EQ(LayerTiles::keyOf({64.f, 128.f}), sf::Vector2i(64, 128));
    EXPECT_EQ(LayerTiles::keyOf({-16.75f, 0.9f}), sf::Vector2i(-16, 0));
    EXPECT_EQ(LayerTiles::keyOf({-0.5f, -1376.f}), sf::Vector2i(0, -1376));
}

TEST_F(LayerTilesTest, FindsEachTileByItsKey) {
    const LayerTiles tiles(looks(), {{{0.f, 0.f}, 0}, {{16.f, 0.f}, 1}, {{0.f, 16.f}, 1}});
    ASSERT_EQ(tiles.size(), 3u);
    const Tile* found = tiles.find({16, 0});
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(tiles.lookOf(*found).texture, stone);
    EXPECT_EQ(found->position, sf::Vector2f(16.f, 0.f));
    EXPECT_EQ(tiles.find({16, 16}), nullptr);
    EXPECT_EQ(tiles.find({8, 0}), nullptr);
    EXPECT_EQ(tiles.getLookCounts(), (std::vector<std::size_t>{1, 2}));
}

TEST_F(LayerTilesTest, ALaterTileReplacesAnEarlierOneUnderTheSameKeyAndAllEndInKeyOrder) {
    // One-pixel tiles shifted by half a pixel: -0.5 and 0.5 both have the key 0.
    const LayerTiles tiles(looks(), {{{-0.5f, 0.f}, 0}, {{0.5f, 0.f}, 1}, {{-1.5f, 0.f}, 0}});
    EXPECT_EQ(tiles.size(), 2u);
    const Tile* found = tiles.find({0, 0});
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->position.x, 0.5f);
    EXPECT_EQ(visited(tiles, {{-8, -8}, {8, 8}}, 1), (Keys{{-1, 0}, {0, 0}}));
    EXPECT_EQ(tiles.getLookCounts(), (std::vector<std::size_t>{1, 1}));
}

TEST_F(LayerTilesTest, TilesThatShowNothingAreLeftOutAndStillReplace) {
    std::vector<TileLook> withBlank = looks();
    withBlank.push_back({nullptr, {0, 0, 16, 16}});
    const LayerTiles tiles(withBlank,
                           {{{0.f, 0.f}, 0}, {{0.f, 0.f}, 2}, {{16.f, 0.f}, 7}, {{32.f, 0.f}, 1}});
    EXPECT_EQ(tiles.size(), 1u);
    EXPECT_EQ(tiles.find({0, 0}), nullptr);
    EXPECT_EQ(tiles.find({16, 0}), nullptr);
    EXPECT_NE(tiles.find({32, 0}), nullptr);
}

TEST_F(LayerTilesTest, TheGridWalkVisitsKeysOnTheGridInsideTheRangeRowByRow) {
    std::vector<Tile> cells;
    for (int y = -32; y <= 32; y += 16) {
        for (int x = -32; x <= 48; x += 16) {
            cells.push_back({{static_cast<float>(x), static_cast<float>(y)}, 0});
        }
    }
    const LayerTiles tiles(looks(), cells);
    // Step 32: the odd multiples of 16 are off the grid; the end is not included.
    EXPECT_EQ(visited(tiles, {{-32, -32}, {32, 32}}, 32),
              (Keys{{-32, -32}, {0, -32}, {-32, 0}, {0, 0}}));
    // A range that starts off the grid still visits only keys on it.
    EXPECT_EQ(visited(tiles, {{-17, 15}, {49, 33}}, 32), (Keys{{0, 32}, {32, 32}}));
    EXPECT_TRUE(visited(tiles, {{64, -32}, {96, 32}}, 16).empty());
    EXPECT_TRUE(visited(tiles, {{-32, -32}, {32, 32}}, 0).empty());
}

}  // namespace
