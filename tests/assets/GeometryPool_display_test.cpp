#include "assets/GeometryPool.hpp"

#include <gtest/gtest.h>

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <memory>
#include <vector>

#include "assets/LayerComponent.hpp"
#include "assets/TileChunks.hpp"
#include "support/TestWindow.hpp"

namespace {

constexpr int kTile = 4;

// A layer of 300 by 300 tiles, four pixels square, of sixteen looks: 540,000 vertices, two
// pooled buffers' worth and a little more.
LayerTiles largeLayer(const sf::Texture& texture) {
    std::vector<TileLook> looks;
    for (int i = 0; i < 16; ++i) {
        looks.push_back({&texture, {(i % 4) * kTile, (i / 4) * kTile, kTile, kTile}});
    }
    std::vector<Tile> cells;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 300; ++x) {
            cells.push_back({{static_cast<float>(x * kTile), static_cast<float>(y * kTile)},
                             static_cast<std::uint32_t>((x * 7 + y * 3) % 16)});
        }
    }
    return LayerTiles(looks, cells);
}

// A view across the row of chunks that the first pooled buffer could not hold whole: its left
// part is drawn from the first buffer, the rest from the second. Without chunks, each tile in
// view is drawn as a sprite of its own.
sf::Image picture(const LayerTiles& tiles, const TileChunks* chunks) {
    sf::RenderTexture target;
    EXPECT_TRUE(target.create(200, 150));
    target.setView(sf::View(sf::FloatRect(40.f, 560.f, 200.f, 150.f)));
    target.clear();
    const TileRange range = LayerComponent::visibleTiles(target.getView(), kTile);
    if (chunks != nullptr) {
        chunks->draw(target, range);
    } else {
        tiles.forEachOnGrid(range, kTile, [&](const Tile& tile) {
            sf::Sprite sprite(*tiles.lookOf(tile).texture, tiles.lookOf(tile).textureRect);
            sprite.setPosition(tile.position);
            target.draw(sprite);
        });
    }
    target.display();
    return target.getTexture().copyToImage();
}

// A large layer takes its buffers from the pool, never fills one (SFML would reallocate it),
// gives them back when it goes, and the next layer draws the same picture from them.
TEST(GeometryPoolDisplayTest, ALargeLayerReusesTheBuffersOfTheLast) {
    TestWindow window(8, 8);
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(patternImage(16, 16, 7)));
    const LayerTiles tiles = largeLayer(texture);
    const sf::Image expected = picture(tiles, nullptr);
    const auto pool = std::make_shared<GeometryPool>();
    {
        const TileChunks first(tiles, kTile, true, pool);
        for (const auto& sheet : first.getSheets()) {
            EXPECT_LT(sheet.vertexCount, GeometryPool::kBufferVertices);
        }
    }
    EXPECT_EQ(pool->spareCount(), 2u);
    const TileChunks second(tiles, kTile, true, pool);
    EXPECT_EQ(pool->spareCount(), 0u);
    const PictureDiff diff = comparePictures(expected, picture(tiles, &second), sf::Color::Black);
    EXPECT_GT(diff.drawn, 0);
    EXPECT_EQ(diff.differing, 0);

    // Buffers outliving their pool are simply deleted.
    auto shortLived = std::make_shared<GeometryPool>();
    auto orphaned = std::make_unique<TileChunks>(tiles, kTile, true, shortLived);
    shortLived.reset();
    orphaned.reset();
}

}  // namespace
