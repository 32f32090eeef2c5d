#include "assets/TileChunks.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/Window/GlResource.hpp>
#include <array>
#include <cstdlib>
#include <limits>
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

int chunkOf(long long cell, int cellsPerChunk) {
    return static_cast<int>(floorDiv(cell, cellsPerChunk));
}

constexpr std::size_t kVerticesPerTile = 6;
static_assert(TileChunks::kChunkColumns * TileChunks::kChunkRows * kVerticesPerTile <= 0xffff,
              "a chunk's row starts are held in 16 bits");

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
        : m_span(static_cast<long long>(step) * TileChunks::kChunkColumns,
                 static_cast<long long>(step) * TileChunks::kChunkRows) {}

    sf::Vector2i of(sf::Vector2i key) {
        update(key.x, m_span.x, m_chunk.x, m_low.x, m_high.x);
        update(key.y, m_span.y, m_chunk.y, m_low.y, m_high.y);
        return m_chunk;
    }

    // The keys of a chunk, clamped to what a key can hold.
    TileRange keysOf(sf::Vector2i chunk) const {
        const auto clamp = [](long long key) {
            return static_cast<int>(std::clamp<long long>(key, std::numeric_limits<int>::min(),
                                                          std::numeric_limits<int>::max()));
        };
        return {{clamp(chunk.x * m_span.x), clamp(chunk.y * m_span.y)},
                {clamp((chunk.x + 1LL) * m_span.x), clamp((chunk.y + 1LL) * m_span.y)}};
    }

private:
    static void update(int key, long long span, int& chunk, long long& low, long long& high) {
        if (key < low || key >= high) {
            chunk = static_cast<int>(floorDiv(key, span));
            low = chunk * span;
            high = low + span;
        }
    }

    sf::Vector2<long long> m_span;
    sf::Vector2i m_chunk;
    sf::Vector2<long long> m_low{1, 1};
    sf::Vector2<long long> m_high{0, 0};
};

// Holds on to the graphics context that is current when it is made.
class ContextHold : sf::GlResource {
    TransientContextLock m_lock;
};

// Chunk row, chunk column, texture: the order in which pieces are laid out.
using PieceKey = std::tuple<int, int, std::size_t>;
// How many tiles each row of a piece holds.
using RowTiles = std::array<std::size_t, TileChunks::kChunkRows>;
using CountedPiece = std::pair<PieceKey, RowTiles>;

// Counts the tiles of each row of each piece. Tiles come row by row, left to right, so the
// pieces of one band of chunk rows are counted at a time, and the next tile nearly always
// belongs to the piece the last one did or to the one after it in the band's list.
class PieceCounter {
public:
    void add(const PieceKey& key, std::size_t row) {
        if (std::get<0>(key) != m_band) {
            closeBand();
            m_band = std::get<0>(key);
        }
        ++find(key).second[row];
    }

    // Every piece counted, in the order they are laid out.
    std::vector<CountedPiece> finish() {
        closeBand();
        return std::move(m_pieces);
    }

private:
    CountedPiece& find(const PieceKey& key) {
        std::size_t at = m_last;
        for (std::size_t tried = m_bandStart; tried < m_pieces.size(); ++tried) {
            if (m_pieces[at].first == key) {
                m_last = at;
                return m_pieces[at];
            }
            at = at + 1 < m_pieces.size() ? at + 1 : m_bandStart;
        }
        m_pieces.push_back({key, {}});
        m_last = m_pieces.size() - 1;
        return m_pieces.back();
    }

    void closeBand() {
        std::sort(m_pieces.begin() + static_cast<std::ptrdiff_t>(m_bandStart), m_pieces.end(),
                  [](const CountedPiece& a, const CountedPiece& b) { return a.first < b.first; });
        m_bandStart = m_last = m_pieces.size();
    }

    std::vector<CountedPiece> m_pieces;
    std::size_t m_bandStart = 0;
    std::size_t m_last = 0;
    int m_band = std::numeric_limits<int>::min();
};

// The layer's textures, in the order of the looks, and the texture of each look.
std::vector<const sf::Texture*> texturesOf(const LayerTiles& tiles,
                                           std::vector<std::size_t>& textureOfLook) {
    std::vector<const sf::Texture*> textures;
    for (const TileLook& look : tiles.getLooks()) {
        const auto known = std::find(textures.begin(), textures.end(), look.texture);
        textureOfLook.push_back(static_cast<std::size_t>(known - textures.begin()));
        if (known == textures.end()) {
            textures.push_back(look.texture);
        }
    }
    return textures;
}

// The tiles of each row of each piece, in the order the pieces are laid out.
std::vector<CountedPiece> countPieces(const LayerTiles& tiles, int step,
                                      const std::vector<std::size_t>& textureOfLook) {
    ChunkFinder finder(step);
    PieceCounter counter;
    const TileRange everything{{std::numeric_limits<int>::min(), std::numeric_limits<int>::min()},
                               {std::numeric_limits<int>::max(), std::numeric_limits<int>::max()}};
    tiles.forEachOnGrid(everything, step, [&](const Tile& tile) {
        const sf::Vector2i key = LayerTiles::keyOf(tile.position);
        const sf::Vector2i chunk = finder.of(key);
        // Keys on the grid are whole multiples of the step.
        counter.add({chunk.y, chunk.x, textureOfLook[tile.look]},
                    static_cast<std::size_t>(key.y / step - chunk.y * TileChunks::kChunkRows));
    });
    return counter.finish();
}

TileChunks::Piece pieceOf(sf::Vector2i chunk, const RowTiles& rows) {
    TileChunks::Piece piece{chunk, 0, 0, {}};
    for (std::size_t row = 0; row < rows.size(); ++row) {
        piece.count += rows[row] * kVerticesPerTile;
        piece.rowStarts[row + 1] = static_cast<std::uint16_t>(piece.count);
    }
    return piece;
}

// Each texture fills one sheet after another, none as large as a pooled buffer.
std::vector<TileChunks::Sheet> sheetsOf(const std::vector<CountedPiece>& counted,
                                        const std::vector<const sf::Texture*>& textures) {
    std::vector<TileChunks::Sheet> sheets;
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    std::vector<std::size_t> openSheet(textures.size(), kNone);
    for (const auto& [key, rows] : counted) {
        TileChunks::Piece piece = pieceOf({std::get<1>(key), std::get<0>(key)}, rows);
        std::size_t& open = openSheet[std::get<2>(key)];
        if (open == kNone ||
            sheets[open].vertexCount + piece.count >= GeometryPool::kBufferVertices) {
            open = sheets.size();
            sheets.push_back(TileChunks::Sheet{textures[std::get<2>(key)], {}, 0, {}, nullptr});
        }
        TileChunks::Sheet& sheet = sheets[open];
        piece.first = sheet.vertexCount;
        sheet.vertexCount += piece.count;
        sheet.pieces.push_back(piece);
    }
    return sheets;
}

}  // namespace

TileChunks::TileChunks(const LayerTiles& tiles, int step, bool inGraphicsMemory,
                       const std::shared_ptr<GeometryPool>& pool)
    : m_step(step) {
    if (step <= 0) {
        return;
    }
    std::vector<std::size_t> textureOfLook;
    const std::vector<const sf::Texture*> textures = texturesOf(tiles, textureOfLook);
    m_sheets = sheetsOf(countPieces(tiles, step, textureOfLook), textures);
    std::vector<sf::Vertex> staging;
    for (Sheet& sheet : m_sheets) {
        if (inGraphicsMemory) {
            sheet.buffer = pool && sheet.vertexCount >= GeometryPool::kBufferVertices / 2
                               ? pool->take()
                               : GeometryPool::makeOwn(sheet.vertexCount);
        }
        if (!sheet.buffer) {
            sheet.vertices.resize(sheet.vertexCount);
        }
        fill(tiles, sheet, staging);
    }
    if (this->inGraphicsMemory()) {
        m_contextHold = std::make_shared<const ContextHold>();
    }
}

// Band by band (a row of chunks), walking the band's tiles row by row once: each tile goes to
// its piece's place for its row. In graphics memory a band's vertices go through a staging area
// of one band, without a copy of the whole layer in main memory.
void TileChunks::fill(const LayerTiles& tiles, Sheet& sheet, std::vector<sf::Vertex>& staging) {
    const ChunkFinder finder(m_step);
    const auto end = sheet.pieces.end();
    for (auto band = sheet.pieces.begin(); band != end;) {
        const auto bandEnd = std::find_if(
            band, end, [&](const Piece& piece) { return piece.chunk.y != band->chunk.y; });
        const std::size_t first = band->first;
        const std::size_t count = std::prev(bandEnd)->first + std::prev(bandEnd)->count - first;
        if (sheet.buffer) {
            staging.resize(std::max(staging.size(), count));
        }
        sf::Vertex* const out = sheet.buffer ? staging.data() : sheet.vertices.data() + first;
        const TileRange keys{finder.keysOf(band->chunk).start,
                             finder.keysOf(std::prev(bandEnd)->chunk).end};
        // The piece the row's last tile of this sheet went to, and where its next tile goes.
        auto piece = band;
        const Piece* current = nullptr;
        int row = std::numeric_limits<int>::min();
        std::size_t written = 0;
        tiles.forEachOnGrid(keys, m_step, [&](const Tile& tile) {
            const TileLook& look = tiles.lookOf(tile);
            const sf::Vector2i key = LayerTiles::keyOf(tile.position);
            if (key.y != row) {
                row = key.y;
                piece = band;
                current = nullptr;
            }
            const int column = static_cast<int>(floorDiv(key.x, m_step * kChunkColumns));
            if (look.texture != sheet.texture) {
                return;
            }
            if (current == nullptr || current->chunk.x != column) {
                while (piece != bandEnd && piece->chunk.x < column) {
                    ++piece;
                }
                if (piece == bandEnd || piece->chunk.x != column) {
                    return;
                }
                current = &*piece;
                const int rowInChunk = key.y / m_step - band->chunk.y * kChunkRows;
                written = piece->first - first + piece->rowStarts[rowInChunk];
            }
            writeQuad(out + written, tile.position, look.textureRect);
            written += kVerticesPerTile;
        });
        if (sheet.buffer &&
            !sheet.buffer->update(staging.data(), count, static_cast<unsigned>(first))) {
            sf::err() << "Could not send tile geometry to graphics memory" << std::endl;
        }
        band = bandEnd;
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
    span.first = {chunkOf(firstColumn, kChunkColumns), chunkOf(firstRow, kChunkRows)};
    span.last = {chunkOf(lastColumn, kChunkColumns), chunkOf(lastRow, kChunkRows)};
    span.firstRow = static_cast<int>(firstRow - span.first.y * static_cast<long long>(kChunkRows));
    span.lastRow = static_cast<int>(lastRow - span.last.y * static_cast<long long>(kChunkRows));
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
    std::size_t vertices = 0;
    for (const Sheet& sheet : m_sheets) {
        vertices += sheet.buffer ? sheet.buffer->getVertexCount() : sheet.vertices.size();
    }
    return vertices * sizeof(sf::Vertex);
}
