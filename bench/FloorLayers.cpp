#include "FloorLayers.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <algorithm>
#include <limits>

#include "BenchGame.hpp"
#include "BenchLevel.hpp"
#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "components/CameraRenderComponent.hpp"
#include "objects/GameObject.hpp"

namespace {

// One layer's tiles as each camera saw them, drawn as one quad over the camera's view.
class TileQuadRenderer : public IRenderComponent {
public:
    TileQuadRenderer(sf::RenderWindow& window, std::shared_ptr<GameObject> owner)
        : IRenderComponent(window, std::move(owner)) {}

    bool init() override { return true; }
    void update(float /*frameSeconds*/) override {}

    // Renders the layer's tiles as the camera sees them now; only the part the tiles cover is
    // kept, so that a layer with no tiles in view draws nothing, as its tile pass would.
    void addCamera(LayerComponent& layer, const sf::View& cameraView) {
        const sf::FloatRect viewport = cameraView.getViewport();
        const sf::Vector2u windowSize = m_renderWindow.getSize();
        Shot shot{viewport, std::make_unique<sf::RenderTexture>(), {}};
        shot.texture->create(static_cast<unsigned>(viewport.width * windowSize.x),
                             static_cast<unsigned>(viewport.height * windowSize.y));
        sf::View whole = cameraView;
        whole.setViewport(sf::FloatRect(0.f, 0.f, 1.f, 1.f));
        shot.texture->setView(whole);
        shot.texture->clear(sf::Color::Transparent);
        layer.drawTiles(*shot.texture);
        shot.texture->display();
        shot.covered = coveredArea(shot.texture->getTexture().copyToImage());
        if (shot.covered.width > 0) {
            m_shots.push_back(std::move(shot));
        }
    }

    void draw() override {
        const sf::View& view = m_renderWindow.getView();
        for (const auto& shot : m_shots) {
            if (shot.viewport != view.getViewport()) {
                continue;
            }
            const sf::Vector2f size(shot.texture->getSize());
            const sf::Vector2f scale(view.getSize().x / size.x, view.getSize().y / size.y);
            sf::Sprite quad(shot.texture->getTexture(), shot.covered);
            quad.setScale(scale);
            quad.setPosition(view.getCenter() - view.getSize() / 2.f +
                             sf::Vector2f(static_cast<float>(shot.covered.left) * scale.x,
                                          static_cast<float>(shot.covered.top) * scale.y));
            m_renderWindow.draw(quad);
        }
    }

private:
    struct Shot {
        sf::FloatRect viewport;
        std::unique_ptr<sf::RenderTexture> texture;
        sf::IntRect covered;
    };

    // The smallest rectangle holding every pixel that is not fully transparent.
    static sf::IntRect coveredArea(const sf::Image& image) {
        const sf::Vector2u size = image.getSize();
        sf::Vector2u low(size), high(0, 0);
        for (unsigned y = 0; y < size.y; ++y) {
            for (unsigned x = 0; x < size.x; ++x) {
                if (image.getPixel(x, y).a != 0) {
                    low = {std::min(low.x, x), std::min(low.y, y)};
                    high = {std::max(high.x, x + 1), std::max(high.y, y + 1)};
                }
            }
        }
        if (high.x == 0) {
            return {};
        }
        return sf::IntRect(sf::Vector2i(low), sf::Vector2i(high - low));
    }
    std::vector<Shot> m_shots;
};

}  // namespace

FloorLayers::FloorLayers(BenchLevel& level) {
    sf::RenderWindow& window = BenchGame::instance().window();
    std::vector<sf::View> cameraViews;
    for (const auto& camera : level.cameras()) {
        camera->applyViewport();
        cameraViews.push_back(window.getView());
    }
    for (const auto& named : AssetManager::instance().getLayers()) {
        LayerComponent& layer = *named.second;
        auto quad = std::make_shared<GameObject>("FloorTiles" + named.first);
        // Above everything, so that the layer's sort draws it first, where its tiles were.
        quad->setPosition(0.f, std::numeric_limits<float>::lowest());
        auto renderer = std::make_shared<TileQuadRenderer>(window, quad);
        for (const auto& view : cameraViews) {
            renderer->addCamera(layer, view);
        }
        quad->addComponent(renderer);
        layer.addObject(quad);
        layer.clearTiles();
        m_quads.push_back(std::move(quad));
    }
}

FloorLayers::~FloorLayers() {
    for (const auto& quad : m_quads) {
        quad->clearComponents();
    }
}
