// Counts what the tile pass allocates: every operator new of this test program goes through the
// counter below, which counts on the thread that asks for it only.
#include <gtest/gtest.h>

#include <SFML/Graphics.hpp>
#include <algorithm>
#include <cstdlib>
#include <new>
#include <sstream>
#include <string>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "objects/GameObject.hpp"
#include "support/ScratchGameDir.hpp"

namespace {

thread_local bool t_counting = false;
thread_local long t_allocations = 0;

void* allocate(std::size_t size) noexcept {
    if (t_counting) {
        ++t_allocations;
    }
    return std::malloc(size == 0 ? 1 : size);
}

// Allocations made on this thread while it lives.
class AllocationCount {
public:
    AllocationCount() {
        t_allocations = 0;
        t_counting = true;
    }
    ~AllocationCount() { t_counting = false; }
    AllocationCount(const AllocationCount&) = delete;
    AllocationCount& operator=(const AllocationCount&) = delete;

    long count() const { return t_allocations; }
};

}  // namespace

void* operator new(std::size_t size) {
    if (void* memory = allocate(size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

namespace {

// A 120 by 90 cell map of 32-pixel tiles from two tilesets, in two layers.
std::string mapXml() {
    std::ostringstream xml;
    xml << "<map width='120' height='90' tilewidth='32' tileheight='32'>"
        << "<tileset firstgid='1' name='a' tilewidth='32' tileheight='32'><image "
           "source='a.png'/></tileset>"
        << "<tileset firstgid='5' name='b' tilewidth='32' tileheight='32'><image "
           "source='b.png'/></tileset>";
    for (const char* layer : {"Ground", "Over"}) {
        xml << "<layer name='" << layer << "' width='120' height='90'><data encoding='csv'>";
        for (int cell = 0; cell < 120 * 90; ++cell) {
            xml << (cell == 0 ? "" : ",") << (layer[0] == 'G' ? 1 + cell % 8 : (cell % 5 == 0) * 6);
        }
        xml << "</data></layer>";
    }
    xml << "</map>";
    return xml.str();
}

TEST(TilePassAllocationTest, TheCounterSeesAllocations) {
    AllocationCount allocations;
    const auto held = std::make_unique<std::string>(100, 'x');
    EXPECT_GE(allocations.count(), 1);
}

TEST(TilePassAllocationTest, PassesAfterTheFirstAllocateNothing) {
    ScratchGameDir game;
    sf::RenderWindow window(sf::VideoMode(64, 64), "tiles", sf::Style::None);
    AssetManager& assets = AssetManager::instance();
    assets.setRenderWindow(&window);
    sf::Image image;
    image.create(64, 64, sf::Color::Red);
    ASSERT_TRUE(image.saveToFile((game.assets() / "a.png").string()));
    ASSERT_TRUE(image.saveToFile((game.assets() / "b.png").string()));
    const auto map = assets.loadMap(game.writeAsset("Big.tmx", mapXml()), {0.f, 0.f});
    ASSERT_TRUE(map);
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(480, 270));

    // The race's view: zoomed out into one half of the target. The passes build their batches
    // without drawing them: what OpenGL does with a draw call is the driver's business (Mesa's
    // shader compiler allocates when a pass first needs a new variant).
    sf::View view = target.getDefaultView();
    view.zoom(1.5f);
    view.setSize(view.getSize().x * 0.5f, view.getSize().y);
    std::size_t mostVertices = 0;
    const auto passAt = [&](float x, float y) {
        view.setCenter(x, y);
        target.setView(view);
        std::size_t vertices = 0;
        for (const auto& layer : assets.getLayers()) {
            layer.second->prepareTiles(target);
            for (const auto& batch : layer.second->getTileBatches().getBatches()) {
                vertices += batch.vertices.size();
            }
        }
        mostVertices = std::max(mostVertices, vertices);
    };
    passAt(1920.f, 1440.f);

    AllocationCount allocations;
    // Across the map and past its edges, where a pass has fewer tiles or none.
    for (float x = -900.f; x < 4900.f; x += 37.3f) {
        passAt(x, x * 0.75f);
    }
    EXPECT_EQ(allocations.count(), 0);
    EXPECT_GT(mostVertices, 0u);

    map->clearComponents();
    assets.reset();
    assets.setRenderWindow(nullptr);
}

}  // namespace
