// Map files as the game reads them: the reader, then the tile cutting, the layers and the object
// factory with every builder, then the screen's clean-up; and the map checker's strict XML scan.
// A map read has width x height cells in every layer, a refusal says why in one line, and every
// strict XML problem lies inside the text.
// Textures are not loaded (the tilesets' images are files on disk, not part of the input), so
// every tile is skipped as unloadable.
#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <rapidxml.hpp>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.hpp"
#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "assets/ObjectFactory.hpp"
#include "assets/StrictXml.hpp"
#include "assets/TmxReader.hpp"
#include "objects/GameObject.hpp"

namespace {

int deepestElement(const rapidxml::xml_node<>& document) {
    int deepest = 0;
    std::vector<std::pair<const rapidxml::xml_node<>*, int>> open{{&document, 0}};
    while (!open.empty()) {
        const auto [node, depth] = open.back();
        open.pop_back();
        deepest = std::max(deepest, depth);
        for (auto* child = node->first_node(); child != nullptr; child = child->next_sibling()) {
            if (child->type() == rapidxml::node_element) {
                open.emplace_back(child, depth + 1);
            }
        }
    }
    return deepest;
}

// The reader refuses deep nesting before the parser recurses into it; a text that it lets
// through must not be nested deeper than the limit as the parser sees it.
void checkNestingGuard(const std::uint8_t* data, std::size_t size, const TmxParseResult& parsed) {
    for (const auto& error : parsed.errors) {
        if (error.message.find("nested more than") != std::string::npos) {
            return;
        }
    }
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    rapidxml::xml_document<> document;
    try {
        document.parse<0>(text.data());
    } catch (const rapidxml::parse_error&) {
        return;
    }
    if (deepestElement(document) > kMaxMapNesting) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Components only keep a reference to the window; it is never opened. It lives for the whole
    // run so that the OpenGL context behind SFML's resources is made once.
    static sf::RenderWindow window;
    static const bool ready = (discardGameErrors(), true);
    (void)ready;

    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const TmxParseResult parsed = parseTmx(text.data());
    checkNestingGuard(data, size, parsed);
    if (parsed.map || parsed.incomplete) {
        // The map checker's second look, at what Tiled's strict XML parser would refuse.
        const std::string original = textOf(data, size);
        for (const auto& problem : findStrictXmlProblems(original)) {
            check(problem.position.line > 0 && liesInside(original, problem.position));
        }
    }
    if (!parsed.map) {
        const std::string refusal = parsed.error();
        check(!refusal.empty() && refusal.find_first_of("\r\n") == std::string::npos);
        return 0;
    }
    for (const auto& layer : parsed.map->layers) {
        check(layer.data.size() == static_cast<std::size_t>(layer.width) * layer.height);
    }
    AssetManager& assets = AssetManager::instance();
    assets.setRenderWindow(&window);
    auto mapObject = std::make_shared<GameObject>("map");
    assets.buildTileSprites(*parsed.map, {0.f, 0.f});
    assets.buildLayers(*parsed.map, mapObject);
    ObjectFactory(assets).buildObjects(*parsed.map);

    // What a screen does on leaving: objects and components hold each other.
    for (const auto& [name, layer] : assets.getLayers()) {
        for (const auto& object : layer->getObjects()) {
            object->clearComponents();
        }
    }
    mapObject->clearComponents();
    assets.reset();
    return 0;
}
