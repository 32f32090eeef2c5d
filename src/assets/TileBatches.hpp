#pragma once

#include <SFML/Graphics/Vertex.hpp>
#include <cstddef>
#include <vector>

#include "assets/LayerTiles.hpp"

namespace sf {
class RenderTarget;
}

// What one tile pass of a layer draws: its visible tiles gathered into one vertex array per
// tileset texture, so the pass costs one draw call per texture instead of one per tile. Each
// tile becomes the two triangles its own sprite would have made, at the same corners with the
// same texture coordinates, so the picture is exactly the one drawn tile by tile; tiles of one
// layer never overlap (each fills its own cell), so the order of the textures does not matter. The
// vertex storage lives from one pass to the next: once it has grown to what the window can show, a
// pass allocates nothing.
class TileBatches {
public:
    struct Batch {
        const sf::Texture* texture;
        std::size_t tileCount;  // tiles of the layer with this texture: the most a pass can draw
        std::vector<sf::Vertex> vertices;
    };

    explicit TileBatches(const LayerTiles& tiles);

    // Room for every tile of the range, so that collecting from no larger a range never
    // allocates.
    void reserveFor(const TileRange& range, int step);
    // Replaces the batches' contents with the tiles of the range on the grid of `step`; `tiles`
    // are the ones the batches were made for.
    void collect(const LayerTiles& tiles, const TileRange& range, int step);
    // One draw call per texture that has tiles in the pass.
    void draw(sf::RenderTarget& target) const;

    const std::vector<Batch>& getBatches() const { return m_batches; }

private:
    static void appendQuad(std::vector<sf::Vertex>& vertices, const Tile& tile,
                           const sf::IntRect& rect);

    std::vector<Batch> m_batches;
    std::vector<std::size_t> m_batchOfLook;
};
