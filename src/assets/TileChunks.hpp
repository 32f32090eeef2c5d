#pragma once

#include <SFML/Graphics/Vertex.hpp>
#include <SFML/Graphics/VertexBuffer.hpp>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "assets/GeometryPool.hpp"
#include "assets/LayerTiles.hpp"

namespace sf {
class RenderTarget;
}

// A layer's tile geometry, built once when the map loads. The tiles on the layer's grid are cut
// into chunks of kChunkColumns by kChunkRows cells; each tile becomes the two triangles its
// own sprite would have made, at the same corners with the same texture coordinates, so the
// picture is exactly the one drawn tile by tile. The vertices of one texture lie in one buffer
// (several for a large layer, none larger than a pooled one), chunk after chunk, row by row,
// held in graphics memory where the driver offers vertex buffers.
// A pass draws, per texture, the chunks that its range touches, and of the chunks on the range's
// top and bottom edges only the rows inside it: a software renderer pays for every triangle it
// is given, seen or not. Chunks that lie next to each other in the buffer go in one draw call,
// so a pass costs a few calls whatever the view shows. Tiles of one layer never overlap (each
// fills its own cell), so neither the order of the textures nor the tiles drawn beyond the range
// change the picture inside it.
class TileChunks {
public:
    // Narrow, so that a pass draws few columns beyond its range; tall, so that the chunks inside
    // it lie in few runs. A pass trims the rows itself.
    static constexpr int kChunkColumns = 4;
    static constexpr int kChunkRows = 16;

    // The vertices of one chunk in one texture's buffer.
    struct Piece {
        sf::Vector2i chunk;  // column and row of the chunk
        std::size_t first;
        std::size_t count;
        // Where each row of the chunk starts, counted from `first`; the last entry is `count`.
        std::array<std::uint16_t, kChunkRows + 1> rowStarts;
    };
    // Vertices drawn with one texture, in one buffer. A large layer fills several sheets of a
    // texture, each smaller than a pooled buffer. The vertices stay in main memory only when
    // there is no vertex buffer.
    struct Sheet {
        const sf::Texture* texture;
        std::vector<Piece> pieces;  // in buffer order: chunk row, then chunk column
        std::size_t vertexCount;
        std::vector<sf::Vertex> vertices;
        GeometryPool::Buffer buffer;
    };
    // A span of chunk columns and rows, both ends included, and the rows inside the first and
    // the last chunk row that it starts and ends with.
    struct ChunkSpan {
        sf::Vector2i first;
        sf::Vector2i last;
        int firstRow = 0;
        int lastRow = 0;
    };

    TileChunks() = default;
    // `step` is the layer's grid: tiles whose key is off it are never drawn and left out. In
    // graphics memory, sheets of half a pooled buffer or more take their buffer from the pool,
    // when there is one.
    TileChunks(const LayerTiles& tiles, int step, bool inGraphicsMemory,
               const std::shared_ptr<GeometryPool>& pool = nullptr);

    // The chunks holding keys of the range; false when the range is empty.
    bool chunksOf(const TileRange& range, ChunkSpan& span) const;
    // Calls visit(sheet, first, count) for each run of consecutive vertices of one texture that
    // the chunks touched by the range make up.
    template <typename Visit>
    void forEachRun(const TileRange& range, Visit&& visit) const;
    // One draw call per run.
    void draw(sf::RenderTarget& target, const TileRange& range) const;

    const std::vector<Sheet>& getSheets() const { return m_sheets; }
    bool inGraphicsMemory() const;
    // Bytes of vertices held, wherever they are, used or not.
    std::size_t vertexBytes() const;

private:
    // Writes the sheet's tiles into its buffer, through `staging`, or into its vertices.
    void fill(const LayerTiles& tiles, Sheet& sheet, std::vector<sf::Vertex>& staging);

    int m_step = 0;
    std::vector<Sheet> m_sheets;
    // SFML puts a small bookkeeping object on the heap for every texture it binds while none is
    // alive; chunks in graphics memory keep one alive for as long as they are shown, so that the
    // draw calls of a frame allocate nothing.
    std::shared_ptr<const void> m_contextHold;
};

template <typename Visit>
void TileChunks::forEachRun(const TileRange& range, Visit&& visit) const {
    ChunkSpan span;
    if (!chunksOf(range, span)) {
        return;
    }
    const auto before = [](const Piece& piece, sf::Vector2i chunk) {
        return piece.chunk.y != chunk.y ? piece.chunk.y < chunk.y : piece.chunk.x < chunk.x;
    };
    for (const Sheet& sheet : m_sheets) {
        const auto end = sheet.pieces.end();
        auto piece = std::lower_bound(sheet.pieces.begin(), end, span.first, before);
        std::size_t runFirst = 0;
        std::size_t runEnd = 0;
        while (piece != end && piece->chunk.y <= span.last.y) {
            if (piece->chunk.x < span.first.x || piece->chunk.x > span.last.x) {
                // Skip to the span's first column, in this row or the next.
                const int row = piece->chunk.x < span.first.x ? piece->chunk.y : piece->chunk.y + 1;
                piece = std::lower_bound(piece, end, sf::Vector2i(span.first.x, row), before);
                continue;
            }
            const std::size_t begin =
                piece->first +
                (piece->chunk.y == span.first.y ? piece->rowStarts[span.firstRow] : 0);
            const std::size_t end =
                piece->first +
                (piece->chunk.y == span.last.y ? piece->rowStarts[span.lastRow + 1] : piece->count);
            ++piece;
            if (begin == end) {
                continue;
            }
            if (begin != runEnd) {
                if (runEnd > runFirst) {
                    visit(sheet, runFirst, runEnd - runFirst);
                }
                runFirst = begin;
            }
            runEnd = end;
        }
        if (runEnd > runFirst) {
            visit(sheet, runFirst, runEnd - runFirst);
        }
    }
}
