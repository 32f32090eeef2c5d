#include "assets/LayerComponent.hpp"

#include <gtest/gtest.h>

#include <SFML/Graphics/View.hpp>
#include <limits>

namespace {

constexpr int kMaxKey = std::numeric_limits<int>::max();

// The range is the view's world rectangle, floored and ceiled to whole units, and one tile more
// on each side; the window the view is shown in plays no part. Far outside any map, the range
// stops at what a key can hold.
TEST(LayerComponentTest, TilePassCoversTheViewAndOneTileAround) {
    struct Case {
        sf::View view;
        int tile;
        sf::Vector2i start, end;
    } cases[] = {
        // The design space of 1920 by 1080, as every window shows it.
        {sf::View({960.f, 540.f}, {1920.f, 1080.f}), 32, {-32, -32}, {1952, 1112}},
        // A race camera: zoomed by 1.5, half the width.
        {sf::View({100.f, 820.f}, {1440.f, 1620.f}), 32, {-652, -22}, {852, 1662}},
        {sf::View({0.5f, -0.25f}, {3.f, 3.f}), 1, {-2, -3}, {3, 3}},
        {sf::View({3e9f, -3e9f}, {1920.f, 1080.f}), 32, {kMaxKey, -kMaxKey}, {kMaxKey, -kMaxKey}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.view.getCenter().x);
        const TileRange range = LayerComponent::visibleTiles(c.view, c.tile);
        EXPECT_EQ(range.start, c.start);
        EXPECT_EQ(range.end, c.end);
    }
}

}  // namespace
