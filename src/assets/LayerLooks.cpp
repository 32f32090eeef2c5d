#include "assets/LayerLooks.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include "assets/TileCutter.hpp"

LayerLooks::LayerLooks(TileCutter& cutter, const std::string& layer)
    : m_cutter(cutter), m_layer(layer) {}

bool LayerLooks::find(int gid, std::uint32_t& look) {
    const auto known = m_known.find(gid);
    if (known != m_known.end()) {
        look = known->second;
        return true;
    }
    const auto sprite = m_cutter.cut(gid, m_layer);
    if (!sprite) {
        return false;
    }
    look = static_cast<std::uint32_t>(m_looks.size());
    m_looks.push_back(TileLook{sprite->getTexture(), sprite->getTextureRect()});
    m_known.emplace(gid, look);
    return true;
}
