#include "assets/LayerComponent.hpp"

#include <gtest/gtest.h>

namespace {

TEST(LayerComponentTest, TilePassAroundTheCentreOfAFullHdWindow) {
    const auto range = LayerComponent::visibleTiles({960.f, 540.f}, {1920u, 1080u}, 32);
    EXPECT_EQ(range.start, sf::Vector2i(-544, -320));
    // The last columns and rows visited are 2496 and 1440.
    EXPECT_EQ(range.end, sf::Vector2i(2528, 1472));
    EXPECT_EQ((range.end.x - range.start.x) / 32, 96);
    EXPECT_EQ((range.end.y - range.start.y) / 32, 56);
}

TEST(LayerComponentTest, TilePassTruncatesTowardZeroNearTheOrigin) {
    const auto range = LayerComponent::visibleTiles({100.f, 100.f}, {1920u, 1080u}, 32);
    EXPECT_EQ(range.start, sf::Vector2i(-1376, -768));
    EXPECT_EQ(range.end, sf::Vector2i(1696, 1024));
}

TEST(LayerComponentTest, TilePassHalvesAnOddWindowSizeBeforeWidening) {
    // 1003 div 2 = 501, times 1.5 = 751.5; halving as a float would give 752.25.
    const auto range = LayerComponent::visibleTiles({0.f, 0.f}, {1003u, 11u}, 1);
    EXPECT_EQ(range.start, sf::Vector2i(-753, -9));
    EXPECT_EQ(range.end, sf::Vector2i(-753 + 1503 + 6, -9 + 15 + 6));
}

}  // namespace
