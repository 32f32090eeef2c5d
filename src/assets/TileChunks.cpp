#include "assets/TileChunks.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/Window/GlResource.hpp>
#include <cstdlib>
#include <limits>
#include <map>
#include <ostream>
#include <tuple>
#include <utility>

namespace {

long long floorDiv(long long a, long long b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

long long ceilDiv(long long a, long long b) {
    return -floorDiv(-a, b);
}

int chunkOf(long long column) {
    return static_cast<int>(floorDiv(column, TileChunks::kChunkCells));
}

constexpr std::size_t kVerticesPerTile = 6;
// Vertices gathered before they go to graphics memory in one piece.
constexpr std::size_t kStagingVertices = 16384;

// A sprite's corners are its position plus (0, 0), (0, h), (w, 0) and (w, h), drawn as a strip;
// the two triangles below are the strip's, with its vertices in the order the strip gives them
// to the rasteriser, and the sums are the ones the sprite's transform makes. Only places and
// texture coordinates are written: the vertices are white already, and a map has a hundred
// thousand tiles.
void writeQuad(sf::Vertex* quad, sf::Vector2f at, const sf::IntRect& rect) {
    const auto width = static_cast<float>(std::abs(rect.width));
    const auto height = static_cast<float>(std::abs(rect.height));
    const auto left = static_cast<float>(rect.left);
    const float right = left + static_cast<float>(rect.width);
    const auto top = static_cast<float>(rect.top);
    const float bottom = top + static_cast<float>(rect.height);
    const auto set = [&](int i, float x, float y, float u, float v) {
        quad[i].position.x = x;
        quad[i].position.y = y;
        quad[i].texCoords.x = u;
        quad[i].texCoords.y = v;
    };
    set(0, at.x, at.y, left, top);
    set(1, at.x, height + at.y, left, bottom);
    set(2, width + at.x, at.y, right, top);
    set(3, width + at.x, at.y, right, top);
    set(4, at.x, height + at.y, left, bottom);
    set(5, width + at.x, height + at.y, right, bottom);
}

// The chunk of a key on the grid. The map's tiles come row by row, so the chunk of the last key
// nearly always holds the next one too, and then no division is needed.
class ChunkFinder {
public:
    explicit ChunkFinder(int step)
        : m_span(static_cast<long long>(step) * TileChunks::kChunkCells) {}

    sf::Vector2i of(sf::Vector2i key) {
        update(key.x, m_chunk.x, m_low.x, m_high.x);
        update(key.y, m_chunk.y, m_low.y, m_high.y);
        return m_chunk;
    }

    // The keys of a chunk, clamped to what a key can hold.
    TileRange keysOf(sf::Vector2i chunk) const {
        const auto clamp = [](long long key) {
            return static_cast<int>(std::clamp<long long>(key, std::numeric_limits<int>::min(),
                                                          std::numeric_limits<int>::max()));
        };
        return {{clamp(chunk.x * m_span), clamp(chunk.y * m_span)},
                {clamp((chunk.x + 1LL) * m_span), clamp((chunk.y + 1LL) * m_span)}};
    }

private:
    void update(int key, int& chunk, long long& low, long long& high) const {
        if (key < low || key >= high) {
            chunk = static_cast<int>(floorDiv(key, m_span));
            low = chunk * m_span;
            high = low + m_span;
        }
    }

    long long m_span;
    sf::Vector2i m_chunk;
    sf::Vector2<long long> m_low{1, 1};
    sf::Vector2<long long> m_high{0, 0};
};

// Holds on to the graphics context that is current when it is made.
class ContextHold : sf::GlResource {
    TransientContextLock m_lock;
};

// Chunk row, chunk column, sheet: the order in which pieces are laid out.
using PieceKey = std::tuple<int, int, std::size_t>;

}  // namespace

TileChunks::TileChunks(const LayerTiles& tiles, int step, bool inGraphicsMemory) : m_step(step) {
    if (step <= 0) {
        return;
    }
    // One sheet per texture, in the order of the looks.
    std::vector<std::size_t> sheetOfLook;
    for (const TileLook& look : tiles.getLooks()) {
        const auto sheet = std::find_if(m_sheets.begin(), m_sheets.end(), [&](const Sheet& known) {
            return known.texture == look.texture;
        });
        sheetOfLook.push_back(static_cast<std::size_t>(sheet - m_sheets.begin()));
        if (sheet == m_sheets.end()) {
            m_sheets.push_back(Sheet{look.texture, {}, 0, {}, nullptr});
        }
    }
    // Count the tiles of each piece, then lay the pieces out in their sheets.
    ChunkFinder finder(step);
    std::map<PieceKey, std::size_t> pieceTiles;
    PieceKey lastKey;
    std::size_t* lastCount = nullptr;
    const TileRange everything{{std::numeric_limits<int>::min(), std::numeric_limits<int>::min()},
                               {std::numeric_limits<int>::max(), std::numeric_limits<int>::max()}};
    tiles.forEachOnGrid(everything, step, [&](const Tile& tile) {
        const sf::Vector2i chunk = finder.of(LayerTiles::keyOf(tile.position));
        const PieceKey key(chunk.y, chunk.x, sheetOfLook[tile.look]);
        if (lastCount == nullptr || key != lastKey) {
            lastKey = key;
            lastCount = &pieceTiles[key];
        }
        ++*lastCount;
    });
    std::vector<sf::Vector2i> chunks;
    for (const auto& [key, count] : pieceTiles) {
        const sf::Vector2i chunk(std::get<1>(key), std::get<0>(key));
        Sheet& sheet = m_sheets[std::get<2>(key)];
        sheet.pieces.push_back(Piece{chunk, sheet.vertexCount, count * kVerticesPerTile});
        sheet.vertexCount += count * kVerticesPerTile;
        if (chunks.empty() || chunks.back() != chunk) {
            chunks.push_back(chunk);
        }
    }
    fill(tiles, sheetOfLook, chunks, inGraphicsMemory);
    if (this->inGraphicsMemory()) {
        m_contextHold = std::make_shared<const ContextHold>();
    }
}

// Chunk by chunk, in buffer order, so that each sheet's vertices come in the order they are
// laid out: in graphics memory they go through a small staging area, without a copy of the
// whole layer in main memory.
void TileChunks::fill(const LayerTiles& tiles, const std::vector<std::size_t>& sheetOfLook,
                      const std::vector<sf::Vector2i>& chunks, bool inGraphicsMemory) {
    std::vector<std::vector<sf::Vertex>> staging(m_sheets.size());
    std::vector<std::size_t> written(m_sheets.size(), 0);
    std::vector<std::size_t> sent(m_sheets.size(), 0);
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        Sheet& sheet = m_sheets[i];
        if (inGraphicsMemory && sheet.vertexCount > 0) {
            auto buffer =
                std::make_unique<sf::VertexBuffer>(sf::Triangles, sf::VertexBuffer::Static);
            if (buffer->create(sheet.vertexCount)) {
                sheet.buffer = std::move(buffer);
                staging[i].resize(kStagingVertices + kVerticesPerTile);
                continue;
            }
        }
        sheet.vertices.resize(sheet.vertexCount);
    }
    const auto send = [&](std::size_t i) {
        if (written[i] == 0) {
            return;
        }
        if (!m_sheets[i].buffer->update(staging[i].data(), written[i],
                                        static_cast<unsigned>(sent[i]))) {
            sf::err() << "Could not send tile geometry to graphics memory" << std::endl;
        }
        sent[i] += written[i];
        written[i] = 0;
    };
    const ChunkFinder finder(m_step);
    for (const sf::Vector2i chunk : chunks) {
        tiles.forEachOnGrid(finder.keysOf(chunk), m_step, [&](const Tile& tile) {
            const std::size_t i = sheetOfLook[tile.look];
            const bool staged = m_sheets[i].buffer != nullptr;
            sf::Vertex* out = staged ? staging[i].data() : m_sheets[i].vertices.data();
            writeQuad(out + written[i], tile.position, tiles.lookOf(tile).textureRect);
            written[i] += kVerticesPerTile;
            if (staged && written[i] >= kStagingVertices) {
                send(i);
            }
        });
    }
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        if (m_sheets[i].buffer) {
            send(i);
        }
    }
}

bool TileChunks::chunksOf(const TileRange& range, ChunkSpan& span) const {
    if (m_step <= 0) {
        return false;
    }
    // The first and last columns and rows of the grid inside the range.
    const long long firstColumn = ceilDiv(range.start.x, m_step);
    const long long lastColumn = floorDiv(static_cast<long long>(range.end.x) - 1, m_step);
    const long long firstRow = ceilDiv(range.start.y, m_step);
    const long long lastRow = floorDiv(static_cast<long long>(range.end.y) - 1, m_step);
    if (firstColumn > lastColumn || firstRow > lastRow) {
        return false;
    }
    span.first = {chunkOf(firstColumn), chunkOf(firstRow)};
    span.last = {chunkOf(lastColumn), chunkOf(lastRow)};
    return true;
}

void TileChunks::draw(sf::RenderTarget& target, const TileRange& range) const {
    forEachRun(range, [&](const Sheet& sheet, std::size_t first, std::size_t count) {
        const sf::RenderStates states(sheet.texture);
        if (sheet.buffer) {
            target.draw(*sheet.buffer, first, count, states);
        } else {
            target.draw(sheet.vertices.data() + first, count, sf::Triangles, states);
        }
    });
}

bool TileChunks::inGraphicsMemory() const {
    return std::any_of(m_sheets.begin(), m_sheets.end(),
                       [](const Sheet& sheet) { return sheet.buffer != nullptr; });
}

std::size_t TileChunks::vertexBytes() const {
    std::size_t bytes = 0;
    for (const Sheet& sheet : m_sheets) {
        bytes += sheet.vertexCount * sizeof(sf::Vertex);
    }
    return bytes;
}
