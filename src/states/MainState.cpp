#include "states/MainState.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include "assets/AssetManager.hpp"
#include "components/CameraRenderComponent.hpp"
#include "components/PictureLoader.hpp"
#include "components/TransformCopyComponent.hpp"
#include "core/Game.hpp"
#include "core/InputManager.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/PhysicsManager.hpp"

namespace {

const sf::Color kBackgroundTint(130, 130, 130, 230);
constexpr float kCameraZoom = 1.5f;

bool isPlayerId(const std::string& id) {
    return id.find("Player") != std::string::npos;
}
bool isCameraId(const std::string& id) {
    return id.find("CameraOn") != std::string::npos;
}

// Each player sees half the window, zoomed out, with itself a sixth of the way down its half so
// that most of the view shows the course ahead.
sf::View cameraView(const sf::View& current) {
    sf::View view = current;
    view.zoom(kCameraZoom);
    view.setSize(view.getSize().x * 0.5f, view.getSize().y);
    view.setCenter(0.0f, view.getSize().y / 3.0f);
    return view;
}

}  // namespace

MainState::MainState(GameStateManager* stateManager, Game* game)
    : GameState(stateManager, game),
      m_backgroundPath("../assets/x400pngs/MainStateBackground.png") {}

void MainState::init() {
    Game::instance().playTrack(Game::kLevelMusic, Game::kLevelVolume);
    m_mapLoaded = loadAndRegisterMap(kMapFile) != nullptr;
    if (m_mapLoaded) {
        registerColliders();
        addCameras();
        initRegisteredObjects();
    }
    loadBackground();
}

void MainState::registerColliders() {
    for (const auto& entry : m_gameObjectManager.getGameObjects()) {
        if (const auto box = entry.second->getComponent<BoxCollisionComponent>()) {
            PhysicsManager::instance().registerCollider(box);
        }
    }
}

// Walks a copy, so the cameras made here are not visited.
void MainState::addCameras() {
    const GameObjectManager::Registry before = m_gameObjectManager.getGameObjects();
    for (const auto& entry : before) {
        if (isPlayerId(entry.first)) {
            addCamera(entry.second);
        }
    }
}

void MainState::addCamera(const std::shared_ptr<GameObject>& player) {
    sf::RenderWindow* target = window();
    if (target == nullptr) {
        return;
    }
    auto camera = std::make_shared<GameObject>("CameraOn" + player->getId());
    auto lens =
        std::make_shared<CameraRenderComponent>(camera, *target, cameraView(target->getView()));
    camera->addComponent(lens);
    camera->addComponent(std::make_shared<TransformCopyComponent>(camera, player));
    m_gameObjectManager.addGameObject(camera);

    AssetManager& assets = AssetManager::instance();
    AssetManager::RenderComponents renderComponents = assets.getRenderComponents();
    renderComponents.insert(renderComponents.begin(), lens);
    assets.setRenderComponents(std::move(renderComponents));
}

void MainState::loadBackground() {
    if (!PictureLoader::load(m_backgroundPath, m_backgroundTexture)) {
        return;
    }
    m_background.setTexture(m_backgroundTexture, true);
    m_background.setColor(kBackgroundTint);
}

void MainState::update(float frameSeconds) {
    InputManager& input = InputManager::instance();
    if (input.isKeyPressed(input.getKey("Exit", 0))) {
        Game::instance().playTrack(Game::kMenuMusic, Game::kMenuVolume);
        requestState("MenuState");
        return;
    }
    if (!m_mapLoaded) {
        return;
    }
    if (m_gameObjectManager.getPlayers().empty()) {
        requestState("WinState");
        return;
    }
    // A copy, because retiring a player changes the registry.
    const GameObjectManager::Registry objects = m_gameObjectManager.getGameObjects();
    for (const auto& entry : objects) {
        if (entry.second->isMarkedForRemoval()) {
            retire(entry.second);
            continue;
        }
        for (const auto& component : entry.second->getComponentList()) {
            component->update(frameSeconds);
        }
    }
}

// The finished player's half of the screen stops where it is.
void MainState::retire(const std::shared_ptr<GameObject>& gameObject) {
    m_gameObjectManager.removeGameObject(gameObject);
    const auto& registered = m_gameObjectManager.getGameObjects();
    const auto camera = registered.find("CameraOn" + gameObject->getId());
    if (camera == registered.end()) {
        return;
    }
    if (const auto follow = camera->second->getComponent<TransformCopyComponent>()) {
        follow->setTarget(camera->second);
    }
}

void MainState::draw() {
    sf::RenderWindow* target = window();
    if (target == nullptr) {
        return;
    }
    AssetManager& assets = AssetManager::instance();
    target->setView(target->getDefaultView());
    target->draw(m_background);
    for (const auto& entry : m_gameObjectManager.getGameObjects()) {
        if (!isCameraId(entry.first)) {
            continue;
        }
        if (const auto camera = entry.second->getComponent<CameraRenderComponent>()) {
            camera->applyViewport();
            assets.drawLayers();
        }
    }
    assets.setDividerView();
    assets.drawLayers();
}

void MainState::exit() {
    m_gameObjectManager.clear();
    PhysicsManager::instance().reset();
    AssetManager::instance().reset();
    useDefaultView();
    m_mapLoaded = false;
}
