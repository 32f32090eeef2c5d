#pragma once

#include <SFML/System/Vector2.hpp>
#include <memory>
#include <vector>

#include "assets/LayerTiles.hpp"
#include "assets/TileCutter.hpp"
#include "assets/TmxMap.hpp"

// Cuts every tile layer of a map into its tiles: one positioned tile per occupied cell, shifted
// by the map's offset. Cells whose tile cannot be cut stay empty and are reported once per
// reason for the whole map.
class LayerTilesBuilder {
public:
    // One entry per layer, in file order; all empty when the map's tiles have no size.
    static std::vector<std::shared_ptr<const LayerTiles>> build(
        const TmxMap& map, const TileCutter::Textures& textures, sf::Vector2f offset);

private:
    static std::shared_ptr<const LayerTiles> buildLayer(const TmxMap& map, const TmxLayer& layer,
                                                        TileCutter& cutter, sf::Vector2f offset);
};
