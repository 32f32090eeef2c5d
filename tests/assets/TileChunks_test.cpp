#include "assets/TileChunks.hpp"

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

struct DrawnRun {
    const sf::Texture* texture;
    std::size_t first;
    std::size_t count;
    bool operator==(const DrawnRun& other) const {
        return texture == other.texture && first == other.first && count == other.count;
    }
};

// Textures need a display; the chunks only tell them apart by address, so stand-ins do. Nothing
// goes to graphics memory here.
class TileChunksTest : public ::testing::Test {
protected:
    std::vector<TileLook> looks() const {
        return {{grass, {0, 0, 16, 16}}, {stone, {48, 32, 16, 16}}, {grass, {16, 0, 16, 16}}};
    }

    // One tile every `step` units over the square from `from` to `to` (excluded), looks in turn.
    static std::vector<Tile> square(int from, int to, int step, int looks) {
        std::vector<Tile> tiles;
        for (int y = from; y < to; y += step) {
            for (int x = from; x < to; x += step) {
                tiles.push_back({{static_cast<float>(x), static_cast<float>(y)},
                                 static_cast<std::uint32_t>((x / step + y / step) % looks)});
            }
        }
        return tiles;
    }

    static std::vector<DrawnRun> runs(const TileChunks& chunks, TileRange range) {
        std::vector<DrawnRun> found;
        chunks.forEachRun(
            range, [&](const TileChunks::Sheet& sheet, std::size_t first, std::size_t count) {
                found.push_back({sheet.texture, first, count});
            });
        return found;
    }

    const char standIns[2] = {};
    const sf::Texture* grass = reinterpret_cast<const sf::Texture*>(&standIns[0]);
    const sf::Texture* stone = reinterpret_cast<const sf::Texture*>(&standIns[1]);
};

TEST_F(TileChunksTest, ChunksAreSixteenCellsSquareAnchoredAtZero) {
    const TileChunks chunks(LayerTiles(looks(), square(-32, 32, 32, 1)), 32, false);
    TileChunks::ChunkSpan span;
    ASSERT_TRUE(chunks.chunksOf({{-32, 0}, {512, 513}}, span));
    EXPECT_EQ(span.first, sf::Vector2i(-1, 0));
    EXPECT_EQ(span.last, sf::Vector2i(0, 1)) << "512 is not in the range, 512 down is";
    // No key of the grid lies in a range that falls between two of them.
    EXPECT_FALSE(chunks.chunksOf({{1, 1}, {31, 31}}, span));
    EXPECT_FALSE(TileChunks().chunksOf({{0, 0}, {64, 64}}, span));
}

// A 64 by 64 cell layer of one texture is 4 by 4 chunks in one buffer, row after row: a range
// across whole rows is one run, a range over part of each row one run per row.
TEST_F(TileChunksTest, NeighbouringChunksOfATextureAreDrawnInOneRun) {
    const TileChunks chunks(LayerTiles(looks(), square(0, 64, 1, 1)), 1, false);
    ASSERT_EQ(chunks.getSheets()[1].vertexCount, 0u) << "no tile shows stone";
    const std::size_t chunk = 16 * 16 * 6;
    EXPECT_EQ(runs(chunks, {{-5, 16}, {70, 48}}),
              (std::vector<DrawnRun>{{grass, 4 * chunk, 8 * chunk}}));
    EXPECT_EQ(
        runs(chunks, {{20, 0}, {40, 20}}),
        (std::vector<DrawnRun>{{grass, 1 * chunk, 2 * chunk}, {grass, 5 * chunk, 2 * chunk}}));
    EXPECT_TRUE(runs(chunks, {{64, 0}, {90, 64}}).empty());
}

TEST_F(TileChunksTest, EachTextureHasItsOwnBufferAndOffGridTilesAreLeftOut) {
    std::vector<Tile> tiles = square(0, 64, 16, 2);
    tiles.push_back({{72.f, 0.f}, 2});  // off the grid of 16
    const TileChunks chunks(LayerTiles(looks(), tiles), 16, false);
    ASSERT_EQ(chunks.getSheets().size(), 2u);
    EXPECT_EQ(chunks.getSheets()[0].vertexCount, 8u * 6u);
    EXPECT_EQ(chunks.getSheets()[1].vertexCount, 8u * 6u);
    EXPECT_EQ(chunks.vertexBytes(), 16u * 6u * sizeof(sf::Vertex));
    EXPECT_FALSE(chunks.inGraphicsMemory());
}

// The sums must be the sprite's own, to the last bit, or edges between tiles could move by a
// pixel: positions far from the origin with fractions show it.
TEST_F(TileChunksTest, EachTileIsItsSpritesStripAsTwoTriangles) {
    const std::vector<Tile> cells = {{{100000.3f, -77777.7f}, 1}, {{0.1f, 0.2f}, 0}};
    const LayerTiles tiles(looks(), cells);
    const TileChunks chunks(tiles, 1, false);
    for (const Tile& tile : cells) {
        const TileLook& look = tiles.lookOf(tile);
        const auto& sheet = chunks.getSheets()[look.texture == grass ? 0 : 1];
        ASSERT_EQ(sheet.texture, look.texture);
        ASSERT_EQ(sheet.vertices.size(), 6u);
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
            EXPECT_EQ(sheet.vertices[i].position, corners[strip[i]]);
            EXPECT_EQ(sheet.vertices[i].texCoords, texCoords[strip[i]]);
            EXPECT_EQ(sheet.vertices[i].color, sf::Color::White);
        }
    }
}

}  // namespace
