#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "assets/LayerTiles.hpp"

class TileCutter;

// The looks of one layer's tiles, each gid cut once: a level has a hundred thousand cells but a
// few dozen different tiles. The cutter hands out a sprite, of which the look keeps the texture
// and the rectangle. A gid that cannot be cut goes to the cutter at every cell, so that the
// cutter counts them all.
class LayerLooks {
public:
    LayerLooks(TileCutter& cutter, const std::string& layer);

    // The index in takeLooks() of gid's tile; false when the tile cannot be cut.
    bool find(int gid, std::uint32_t& look);
    std::vector<TileLook> takeLooks() { return std::move(m_looks); }

private:
    TileCutter& m_cutter;
    const std::string& m_layer;
    std::unordered_map<int, std::uint32_t> m_known;
    std::vector<TileLook> m_looks;
};
