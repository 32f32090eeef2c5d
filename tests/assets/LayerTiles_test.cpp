#include "assets/LayerTiles.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Keys = std::vector<sf::Vector2i>;

Keys visited(const LayerTiles& tiles, TileRange range, int step) {
    Keys keys;
    tiles.forEachOnGrid(
        range, step, [&](const Tile& tile) { keys.push_back(LayerTiles::keyOf(tile.position)); });
    return keys;
}

// Nothing here is drawn and textures need a display, so stand-ins give the two textures their
// addresses, the only thing of them the tiles use. The third look shows nothing.
const char kStandIns[2] = {};
const auto* const kGrass = reinterpret_cast<const sf::Texture*>(&kStandIns[0]);
const auto* const kStone = reinterpret_cast<const sf::Texture*>(&kStandIns[1]);
const std::vector<TileLook> kLooks = {
    {kGrass, {0, 0, 16, 16}}, {kStone, {16, 0, 16, 16}}, {nullptr, {0, 0, 16, 16}}};

// Keys are the corner truncated toward zero. One-pixel tiles shifted by half a pixel: -0.5 and
// 0.5 both have the key 0, and the later tile wins; a tile that shows nothing (a blank look or
// one that does not exist) is left out, and still replaces the earlier one.
TEST(LayerTilesTest, ALaterTileReplacesAnEarlierOneUnderTheSameKey) {
    EXPECT_EQ(LayerTiles::keyOf({-16.75f, 0.9f}), sf::Vector2i(-16, 0));
    const LayerTiles tiles(kLooks, {{{-0.5f, 0.f}, 0},
                                    {{0.5f, 0.f}, 1},
                                    {{-1.5f, 0.f}, 0},
                                    {{5.f, 0.f}, 0},
                                    {{5.f, 0.f}, 2},
                                    {{9.f, 0.f}, 7},
                                    {{3.f, 2.f}, 1}});
    const Tile* found = tiles.find({0, 0});
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->position.x, 0.5f);
    EXPECT_EQ(tiles.lookOf(*found).texture, kStone);
    EXPECT_EQ(tiles.find({5, 0}), nullptr);
    EXPECT_EQ(visited(tiles, {{-16, -16}, {16, 16}}, 1), (Keys{{-1, 0}, {0, 0}, {3, 2}}));
    EXPECT_EQ(tiles.getLookCounts(), (std::vector<std::size_t>{1, 2, 0}));
}

TEST(LayerTilesTest, TheGridWalkVisitsKeysOnTheGridInsideTheRangeRowByRow) {
    std::vector<Tile> cells;
    for (int y = -32; y <= 32; y += 16) {
        for (int x = -32; x <= 48; x += 16) {
            cells.push_back({{static_cast<float>(x), static_cast<float>(y)}, 0});
        }
    }
    const LayerTiles tiles(kLooks, cells);
    // Step 32: the odd multiples of 16 are off the grid; the end is not included.
    EXPECT_EQ(visited(tiles, {{-32, -32}, {32, 32}}, 32),
              (Keys{{-32, -32}, {0, -32}, {-32, 0}, {0, 0}}));
    // A range that starts off the grid still visits only keys on it.
    EXPECT_EQ(visited(tiles, {{-17, 15}, {49, 33}}, 32), (Keys{{0, 32}, {32, 32}}));
    EXPECT_TRUE(visited(tiles, {{64, -32}, {96, 32}}, 16).empty());
    EXPECT_TRUE(visited(tiles, {{-32, -32}, {32, 32}}, 0).empty());
}

}  // namespace
