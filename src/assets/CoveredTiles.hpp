#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "assets/LayerTiles.hpp"

class LayerComponent;

// Of one layer's tiles, those worth drawing. A tile that a fully opaque tile of a layer drawn
// later covers exactly never shows, and a software renderer pays for every pixel it paints, seen
// or not. Only a tile on the same grid at the very same place and of the same size covers: both
// are then the same two triangles and paint the same pixels in any view, so the picture stays
// exactly as it was; whatever the lower layer's objects drew there is painted over all the same.
// Layers are drawn unshifted, untinted and fully opaque (a map's layer opacity, tint, offsets
// and visibility are not read), which is what makes an opaque tile hide what lies under it.
// The layers that cover some tile are named, so that the layer can draw all of its tiles again
// while one of them is hidden.
class CoveredTiles {
public:
    using Layers = std::vector<std::shared_ptr<const LayerComponent>>;
    using Coverers = std::vector<std::weak_ptr<const LayerComponent>>;

    // `above`: the layers drawn after this one, in the order they are drawn.
    CoveredTiles(const std::shared_ptr<const LayerTiles>& tiles, int tileSize, const Layers& above);

    // The tiles left to draw: the layer's own tiles, shared, when none is covered.
    const std::shared_ptr<const LayerTiles>& shown() const { return m_shown; }
    // The layers that cover at least one tile, each once.
    const Coverers& coverers() const { return m_coverers; }
    std::size_t coveredCount() const { return m_coveredCount; }

private:
    // Marks the tiles that the layer covers; true when it covers one not marked yet.
    static bool markCovered(const LayerTiles& tiles, int tileSize, const LayerComponent& layer,
                            std::vector<bool>& covered);

    std::shared_ptr<const LayerTiles> m_shown;
    Coverers m_coverers;
    std::size_t m_coveredCount = 0;
};
