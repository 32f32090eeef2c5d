#include "assets/TileGrid.hpp"

#include <gtest/gtest.h>

namespace {

TEST(TileGridTest, TilesAreCountedRowByRowInWholeTiles) {
    const TileGrid grid({256, 100}, 32, 32);  // the last 4 rows of pixels hold no whole tile
    EXPECT_EQ(grid.rectOf(9), sf::IntRect(32, 32, 32, 32));
    EXPECT_EQ(grid.rectOf(23), sf::IntRect(224, 64, 32, 32));
    EXPECT_FALSE(grid.rectOf(24));
    EXPECT_FALSE(grid.rectOf(4294967295u));
    // An image narrower or lower than one tile holds none.
    for (const sf::Vector2u small : {sf::Vector2u(31, 64), {64, 31}, {0, 0}}) {
        EXPECT_FALSE(TileGrid(small, 32, 32).rectOf(0)) << small.x << "x" << small.y;
    }
}

}  // namespace
