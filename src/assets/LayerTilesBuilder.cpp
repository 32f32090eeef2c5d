#include "assets/LayerTilesBuilder.hpp"

#include <algorithm>

#include "assets/LayerLooks.hpp"

std::vector<std::shared_ptr<const LayerTiles>> LayerTilesBuilder::build(
    const TmxMap& map, const TileCutter::Textures& textures, sf::Vector2f offset) {
    std::vector<std::shared_ptr<const LayerTiles>> layers;
    if (map.tileWidth <= 0 || map.tileHeight <= 0) {
        layers.assign(map.layers.size(), std::make_shared<const LayerTiles>());
        return layers;
    }
    TileCutter cutter(map, textures);
    for (const TmxLayer& layer : map.layers) {
        layers.push_back(buildLayer(map, layer, cutter, offset));
    }
    cutter.report();
    return layers;
}

std::shared_ptr<const LayerTiles> LayerTilesBuilder::buildLayer(const TmxMap& map,
                                                                const TmxLayer& layer,
                                                                TileCutter& cutter,
                                                                sf::Vector2f offset) {
    const auto cells = layer.data.begin() + (layer.width <= 0 ? 0 : layer.data.size());
    LayerLooks looks(cutter, layer.name);
    std::vector<Tile> tiles;
    tiles.reserve(static_cast<std::size_t>(
        std::count_if(layer.data.begin(), cells, [](int gid) { return gid != 0; })));
    // Cells row by row: counting columns spares a division per cell.
    int column = 0;
    int row = 0;
    for (auto cell = layer.data.begin(); cell != cells; ++cell) {
        Tile tile;
        if (*cell != 0 && looks.find(*cell, tile.look)) {
            tile.position = {static_cast<float>(map.tileWidth * column) + offset.x,
                             static_cast<float>(map.tileHeight * row) + offset.y};
            tiles.push_back(tile);
        }
        if (++column == layer.width) {
            column = 0;
            ++row;
        }
    }
    return std::make_shared<const LayerTiles>(looks.takeLooks(), std::move(tiles));
}
