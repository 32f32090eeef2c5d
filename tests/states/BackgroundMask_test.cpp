#include "states/BackgroundMask.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Rects = std::vector<sf::IntRect>;

// A window whose middle is hidden shows a frame around it: the band above, the two sides in one
// rectangle each (the hidden rows all alike), the band below. Pixels whose centres only touch a
// tile's edge stay painted.
TEST(BackgroundMaskTest, AHiddenMiddleLeavesTheFrameAroundItAndItsEdgePixels) {
    BackgroundMask mask;
    const sf::IntRect window(0, 0, 100, 50);
    // Two tiles side by side, from x 10.5 to 90.5 (pixel 10's centre on the edge), y 10 to 40.
    mask.hide({10.5f, 10.f, 40.f, 30.f}, window);
    mask.hide({50.5f, 10.f, 40.f, 30.f}, window);
    EXPECT_EQ(mask.visibleRects({100, 50}),
              (Rects{{0, 0, 100, 10}, {0, 10, 11, 30}, {90, 10, 10, 30}, {0, 40, 100, 10}}));
}

// Hidden areas are cut to the camera's viewport; a window fully hidden shows nothing, so the
// background is not drawn at all, and nothing hidden leaves the whole window.
TEST(BackgroundMaskTest, AWindowFullyHiddenShowsNothingAndAnEmptyMaskShowsAll) {
    BackgroundMask mask;
    mask.hide({-500.f, -500.f, 2000.f, 2000.f}, {0, 0, 60, 50});
    EXPECT_EQ(mask.visibleRects({100, 50}), (Rects{{60, 0, 40, 50}}));
    mask.hide({-500.f, -500.f, 2000.f, 2000.f}, {60, 0, 40, 50});
    EXPECT_TRUE(mask.visibleRects({100, 50}).empty());
    mask.clear();
    EXPECT_EQ(mask.visibleRects({100, 50}), (Rects{{0, 0, 100, 50}}));
}

}  // namespace
