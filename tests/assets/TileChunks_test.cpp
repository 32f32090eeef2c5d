#include "assets/TileChunks.hpp"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using DrawnRun = std::tuple<std::size_t, std::size_t>;

// A 64 by 64 cell layer of one-pixel tiles of one texture: 16 by 4 chunks of 4 by 16 cells,
// anchored at 0, in one buffer row after row. Textures need a display; the chunks only tell
// them apart by address, so a stand-in does, and nothing goes to graphics memory.
class TileChunksTest : public ::testing::Test {
protected:
    TileChunksTest() {
        std::vector<Tile> cells;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                cells.push_back({{static_cast<float>(x), static_cast<float>(y)}, 0});
            }
        }
        const auto* texture = reinterpret_cast<const sf::Texture*>(&standIn);
        chunks = TileChunks(LayerTiles({{texture, {0, 0, 1, 1}}}, cells), 1, false);
    }

    std::vector<DrawnRun> runs(TileRange range) const {
        std::vector<DrawnRun> found;
        chunks.forEachRun(range, [&](const TileChunks::Sheet&, std::size_t first,
                                     std::size_t count) { found.emplace_back(first, count); });
        return found;
    }

    const char standIn = 0;
    TileChunks chunks;
};

// A range across whole rows of chunks is one draw. Of the chunks on its top and bottom edges
// only the rows inside it are drawn, each chunk on its own; chunks it does not reach are not.
TEST_F(TileChunksTest, ARangeDrawsItsRowsOfChunksInAsFewRunsAsTheyLieInTheBuffer) {
    const std::size_t row = 4 * 6;
    const std::size_t chunk = 16 * row;
    EXPECT_EQ(runs({{-5, 16}, {70, 48}}), (std::vector<DrawnRun>{{16 * chunk, 32 * chunk}}));
    EXPECT_EQ(runs({{8, 3}, {12, 5}}), (std::vector<DrawnRun>{{2 * chunk + 3 * row, 2 * row}}));
    EXPECT_EQ(runs({{8, 15}, {12, 16}}), (std::vector<DrawnRun>{{2 * chunk + 15 * row, row}}))
        << "the end is not in the range";
    EXPECT_EQ(runs({{3, 0}, {5, 1}}), (std::vector<DrawnRun>{{0, row}, {chunk, row}}))
        << "the start is";
    EXPECT_EQ(runs({{0, 15}, {4, 17}}),
              (std::vector<DrawnRun>{{15 * row, row}, {16 * chunk, row}}));
    EXPECT_TRUE(runs({{64, 0}, {90, 64}}).empty());
    std::size_t drawn = 0;
    TileChunks().forEachRun({{0, 0}, {64, 64}}, [&](auto&&...) { ++drawn; });
    EXPECT_EQ(drawn, 0u) << "a layer without tiles";
}

}  // namespace
