#include "assets/AssetManager.hpp"

AssetManager& AssetManager::instance() {
    static AssetManager manager;
    return manager;
}

// No map can be loaded yet, so there is nothing to forget or draw.
void AssetManager::reset() {}

void AssetManager::drawLayers() {}
