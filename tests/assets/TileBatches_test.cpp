#include "assets/TileBatches.hpp"

#include <gtest/gtest.h>

#include <SFML/Graphics/Sprite.hpp>
#include <vector>

namespace {

// The corners a sprite with this tile's texture rectangle and position is drawn at, in the order
// of its triangle strip.
std::vector<sf::Vector2f> spriteCorners(const Tile& tile, const sf::IntRect& rect) {
    sf::Sprite sprite;
    sprite.setTextureRect(rect);
    sprite.setPosition(tile.position);
    const sf::FloatRect bounds = sprite.getLocalBounds();
    const sf::Transform& transform = sprite.getTransform();
    return {transform.transformPoint(0.f, 0.f), transform.transformPoint(0.f, bounds.height),
            transform.transformPoint(bounds.width, 0.f),
            transform.transformPoint(bounds.width, bounds.height)};
}

// Textures need a display; the batches only tell them apart by address, so stand-ins do.
class TileBatchesTest : public ::testing::Test {
protected:
    std::vector<TileLook> looks() const {
        return {{grass, {0, 0, 16, 16}}, {stone, {48, 32, 16, 16}}, {grass, {16, 0, 16, 16}}};
    }

    const char standIns[2] = {};
    const sf::Texture* grass = reinterpret_cast<const sf::Texture*>(&standIns[0]);
    const sf::Texture* stone = reinterpret_cast<const sf::Texture*>(&standIns[1]);
};

TEST_F(TileBatchesTest, OneBatchPerTextureWithTheTilesOfThePass) {
    const LayerTiles tiles(
        looks(),
        {{{0.f, 0.f}, 0}, {{16.f, 0.f}, 1}, {{32.f, 0.f}, 2}, {{0.f, 16.f}, 2}, {{48.f, 0.f}, 0}});
    TileBatches batches(tiles);
    ASSERT_EQ(batches.getBatches().size(), 2u);
    EXPECT_EQ(batches.getBatches()[0].texture, grass);
    EXPECT_EQ(batches.getBatches()[0].tileCount, 4u);
    EXPECT_EQ(batches.getBatches()[1].texture, stone);

    batches.collect(tiles, {{0, 0}, {48, 32}}, 16);
    EXPECT_EQ(batches.getBatches()[0].vertices.size(), 3u * 6u);
    EXPECT_EQ(batches.getBatches()[1].vertices.size(), 6u);

    // Every pass starts afresh.
    batches.collect(tiles, {{16, 0}, {32, 16}}, 16);
    EXPECT_TRUE(batches.getBatches()[0].vertices.empty());
    EXPECT_EQ(batches.getBatches()[1].vertices.size(), 6u);
}

// The sums must be the sprite's own, to the last bit, or edges between tiles could move by a
// pixel: positions far from the origin with fractions show it.
TEST_F(TileBatchesTest, EachTileIsItsSpritesStripAsTwoTriangles) {
    const std::vector<Tile> cells = {{{100000.3f, -77777.7f}, 1}, {{0.1f, 0.2f}, 0}};
    const LayerTiles tiles(looks(), cells);
    TileBatches batches(tiles);
    batches.collect(tiles, {{-200000, -200000}, {200000, 200000}}, 1);
    for (const Tile& tile : cells) {
        const TileLook& look = tiles.lookOf(tile);
        const auto& batch =
            look.texture == grass ? batches.getBatches()[0] : batches.getBatches()[1];
        ASSERT_EQ(batch.vertices.size(), 6u);
        const auto corners = spriteCorners(tile, look.textureRect);
        const sf::FloatRect rect(look.textureRect);
        const std::vector<sf::Vector2f> texCoords = {
            {rect.left, rect.top},
            {rect.left, rect.top + rect.height},
            {rect.left + rect.width, rect.top},
            {rect.left + rect.width, rect.top + rect.height}};
        const int strip[] = {0, 1, 2, 2, 1, 3};
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(batch.vertices[i].position, corners[strip[i]]);
            EXPECT_EQ(batch.vertices[i].texCoords, texCoords[strip[i]]);
            EXPECT_EQ(batch.vertices[i].color, sf::Color::White);
        }
    }
}

}  // namespace
