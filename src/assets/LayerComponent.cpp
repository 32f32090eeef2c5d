#include "assets/LayerComponent.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "assets/CoveredTiles.hpp"
#include "objects/GameObject.hpp"

namespace {

std::shared_ptr<const LayerTiles> orNoTiles(std::shared_ptr<const LayerTiles> tiles) {
    return tiles ? std::move(tiles) : std::make_shared<const LayerTiles>();
}

bool isOpaque(const sf::Image& picture, const sf::IntRect& rect) {
    const sf::Vector2u size = picture.getSize();
    if (rect.width <= 0 || rect.height <= 0 || rect.left < 0 || rect.top < 0 ||
        static_cast<unsigned>(rect.left + rect.width) > size.x ||
        static_cast<unsigned>(rect.top + rect.height) > size.y) {
        return false;
    }
    for (int y = rect.top; y < rect.top + rect.height; ++y) {
        for (int x = rect.left; x < rect.left + rect.width; ++x) {
            if (picture.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).a != 255) {
                return false;
            }
        }
    }
    return true;
}

// Vertex buffers need a graphics context; a layer without tiles asks for none.
TileChunks chunksOf(const LayerTiles& tiles, int tileSize,
                    const std::shared_ptr<GeometryPool>& geometryPool) {
    if (tiles.empty() || tileSize <= 0) {
        return TileChunks();
    }
    return TileChunks(tiles, tileSize, sf::VertexBuffer::isAvailable(), geometryPool);
}

// Finds, at load, the looks without a single see-through pixel, in the pictures the textures
// were loaded from; a texture loaded otherwise is read back from the graphics driver, once.
std::vector<bool> opaqueLooksOf(const LayerTiles& tiles,
                                const LayerComponent::TexturePictures& loaded) {
    LayerComponent::TexturePictures readBack;
    const auto pictureOf = [&](const sf::Texture* texture) -> const sf::Image& {
        if (const auto kept = loaded.find(texture); kept != loaded.end()) {
            return kept->second;
        }
        auto read = readBack.find(texture);
        if (read == readBack.end()) {
            read = readBack.emplace(texture, texture->copyToImage()).first;
        }
        return read->second;
    };
    std::vector<bool> opaque;
    for (const TileLook& look : tiles.getLooks()) {
        opaque.push_back(look.texture != nullptr && !tiles.empty() &&
                         isOpaque(pictureOf(look.texture), look.textureRect));
    }
    return opaque;
}

// Far outside any map, the range stops at what a key can hold.
int toKey(double coordinate) {
    if (std::isnan(coordinate)) {
        return 0;
    }
    const double limit = static_cast<double>(std::numeric_limits<int>::max());
    return static_cast<int>(std::clamp(coordinate, -limit, limit));
}

}  // namespace

LayerComponent::LayerComponent(std::shared_ptr<GameObject> gameObject,
                               sf::RenderWindow& renderWindow,
                               std::shared_ptr<const LayerTiles> tiles, std::string name,
                               int tileSize, const std::shared_ptr<GeometryPool>& geometryPool,
                               const std::vector<std::shared_ptr<const LayerComponent>>& above,
                               const TexturePictures& pictures)
    : IRenderComponent(renderWindow, std::move(gameObject)),
      m_name(std::move(name)),
      m_tiles(orNoTiles(std::move(tiles))),
      m_tileSize(tileSize),
      m_geometryPool(geometryPool),
      m_opaqueLooks(opaqueLooksOf(*m_tiles, pictures)) {
    const CoveredTiles covered(m_tiles, tileSize, above);
    m_uncovered = covered.shown();
    m_coverers = covered.coverers();
    m_chunks = chunksOf(*m_uncovered, tileSize, geometryPool);
}

void LayerComponent::draw() {
    drawTiles(m_renderWindow);
    drawObjects();
}

void LayerComponent::clearTiles() {
    m_tiles = orNoTiles(nullptr);
    m_uncovered = m_tiles;
    m_coverers.clear();
    m_opaqueLooks.clear();
    m_chunks = TileChunks();
    m_allChunks = TileChunks();
    m_allChunksBuilt = false;
}

// Objects barely move between two passes, and most never move, so the list is nearly in order
// already: an insertion sort walks it once, where a full sort would start over at every pass.
void LayerComponent::sortObjects() {
    const auto higher = [](const std::shared_ptr<GameObject>& a,
                           const std::shared_ptr<GameObject>& b) {
        return a->getPosition().y < b->getPosition().y;
    };
    for (auto object = m_objects.begin(); object != m_objects.end(); ++object) {
        if (object != m_objects.begin() && higher(*object, *std::prev(object))) {
            const auto slot = std::upper_bound(m_objects.begin(), object, *object, higher);
            std::rotate(slot, object, std::next(object));
        }
    }
}

void LayerComponent::addObject(std::shared_ptr<GameObject> gameObject) {
    m_objects.push_back(std::move(gameObject));
}

// The view's world rectangle; a turned view is covered by the box around its corners. A tile's
// key is its corner truncated toward zero, so a tile reaches at most one tile and one unit past
// its key: one tile of margin before the rectangle and one after it take in every tile that
// shows.
TileRange LayerComponent::visibleTiles(const sf::View& view, int tileSize) {
    // A flipped view has a negative size.
    const sf::Vector2f a = view.getCenter() - view.getSize() / 2.f;
    const sf::Vector2f b = view.getCenter() + view.getSize() / 2.f;
    sf::Vector2f low(std::min(a.x, b.x), std::min(a.y, b.y));
    sf::Vector2f high(std::max(a.x, b.x), std::max(a.y, b.y));
    if (view.getRotation() != 0.f) {
        const sf::Transform& toWorld = view.getInverseTransform();
        low = high = toWorld.transformPoint(-1.f, -1.f);
        for (const sf::Vector2f corner :
             {toWorld.transformPoint(1.f, -1.f), toWorld.transformPoint(-1.f, 1.f),
              toWorld.transformPoint(1.f, 1.f)}) {
            low = {std::min(low.x, corner.x), std::min(low.y, corner.y)};
            high = {std::max(high.x, corner.x), std::max(high.y, corner.y)};
        }
    }
    const double margin = std::max(tileSize, 1);
    TileRange range;
    range.start = {toKey(std::floor(low.x) - margin), toKey(std::floor(low.y) - margin)};
    range.end = {toKey(std::ceil(high.x) + margin), toKey(std::ceil(high.y) + margin)};
    return range;
}

void LayerComponent::drawTiles(sf::RenderTarget& target) {
    prepareTiles(target);
    chunksToDraw().draw(target, m_range);
}

// A covering layer that is gone, or has let go of its tiles, covers nothing any more.
const TileChunks& LayerComponent::chunksToDraw() {
    const bool coverersShown =
        std::all_of(m_coverers.begin(), m_coverers.end(), [](const auto& coverer) {
            const auto layer = coverer.lock();
            return layer && layer->isVisible() && !layer->getTiles().empty();
        });
    if (coverersShown) {
        return m_chunks;
    }
    if (!m_allChunksBuilt) {
        m_allChunks = chunksOf(*m_tiles, m_tileSize, m_geometryPool);
        m_allChunksBuilt = true;
    }
    return m_allChunks;
}

void LayerComponent::prepareTiles(const sf::RenderTarget& target) {
    m_range = visibleTiles(target.getView(), m_tileSize);
}

// Walks the component list itself: asking the object for its render components would build a
// list for every object in every pass.
void LayerComponent::drawObjects() {
    sortObjects();
    for (const auto& object : m_objects) {
        for (const auto& component : object->getComponentList()) {
            if (IRenderComponent* renderer = component->asRenderComponent()) {
                renderer->draw();
            }
        }
    }
}
