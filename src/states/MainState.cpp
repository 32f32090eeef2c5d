#include "states/MainState.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/System/Err.hpp>
#include <algorithm>
#include <filesystem>
#include <ostream>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "assets/MapChecker.hpp"
#include "components/CameraRenderComponent.hpp"
#include "components/PictureLoader.hpp"
#include "components/TrailComponent.hpp"
#include "components/TransformCopyComponent.hpp"
#include "core/Game.hpp"
#include "objects/GameNames.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/PhysicsManager.hpp"
#include "physics/PlayerMoveComponent.hpp"
#include "platform/ActionNames.hpp"
#include "platform/AssetFolder.hpp"
#include "platform/DesignView.hpp"
#include "platform/InputManager.hpp"
#include "platform/SoundEffects.hpp"

namespace {

const sf::Color kBackgroundTint(130, 130, 130, 230);
constexpr float kCameraZoom = 1.5f;
const sf::Vector2f kDividerSize(20.0f, DesignView::kHeight);

// Each player sees half the design screen, zoomed out, with itself a sixth of the way down its
// half so that most of the view shows the course ahead.
sf::View cameraView() {
    sf::View view(sf::FloatRect(0.0f, 0.0f, DesignView::kWidth, DesignView::kHeight));
    view.zoom(kCameraZoom);
    view.setSize(view.getSize().x * 0.5f, view.getSize().y);
    view.setCenter(0.0f, view.getSize().y / 3.0f);
    return view;
}

// A map the player named is read with its pictures from its own folder, and checked first, so
// that a designer sees what the game makes of it before racing on it.
void checkPlayersMap(const std::string& path, const std::string& folder) {
    for (const MapDiagnostic& diagnostic : MapChecker(folder).checkFile(path)) {
        sf::err() << diagnostic.format(path) << std::endl;
    }
}

}  // namespace

MainState::MainState(GameStateManager* stateManager, Game* game)
    : GameState(stateManager, game),
      m_backgroundPath(AssetFolder::path("x400pngs/MainStateBackground.png")),
      m_divider(kDividerSize) {
    m_divider.setFillColor(sf::Color::White);
    m_divider.setPosition(DesignView::kWidth / 2.0f, 0.0f);
}

void MainState::init() {
    Game::instance().playTrack(Game::kLevelMusic, Game::kLevelVolume);
    enterRace();
}

void MainState::enterRace() {
    PhysicsManager::instance().setImpactListener(
        [](float impactSpeed) { SoundEffects::instance().playHit(impactSpeed); });
    loadLevel();
    if (m_mapLoaded) {
        addCameras();
        initRegisteredObjects();
        m_keyHints.start();
    }
    loadBackground();
}

void MainState::loadLevel() {
    AssetManager& assets = AssetManager::instance();
    const RaceCourse& course = Game::instance().getCourse();
    if (!course.shipped) {
        checkPlayersMap(course.mapPath, course.assetRoot());
    }
    assets.setAssetRoot(course.assetRoot());
    const std::shared_ptr<GameObject> map = assets.loadMap(course.mapPath, sf::Vector2f(0.f, 0.f));
    registerMap(map);
    m_gameObjectManager.setBoardPath(course.boardPath);
    m_mapLoaded = map != nullptr;
    if (m_mapLoaded) {
        registerColliders(*map);
    }
}

// In the map's order, layer by layer, so that every wall collides whatever its name, and where a
// racer stands on two grounds the later one in the map decides.
void MainState::registerColliders(const GameObject& map) {
    for (const auto& layer : map.getComponents<LayerComponent>()) {
        for (const auto& object : layer->getObjects()) {
            if (const auto box = object->getComponent<BoxCollisionComponent>()) {
                PhysicsManager::instance().registerCollider(box);
            }
        }
    }
}

void MainState::addCameras() {
    // A copy: the cameras are registered while walking.
    const GameObjectManager::Objects players = m_gameObjectManager.getPlayers();
    for (const auto& player : players) {
        addCamera(player);
    }
}

void MainState::addCamera(const std::shared_ptr<GameObject>& player) {
    sf::RenderWindow* target = window();
    if (target == nullptr) {
        return;
    }
    auto camera = std::make_shared<GameObject>(GameNames::cameraIdFor(player->getId()));
    auto lens = std::make_shared<CameraRenderComponent>(camera, *target, cameraView());
    camera->addComponent(lens);
    camera->addComponent(std::make_shared<TransformCopyComponent>(camera, player));
    m_gameObjectManager.addGameObject(camera);
    m_cameras.push_back(lens);

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
    const InputManager& input = InputManager::instance();
    if (input.isActionPressed("Exit", 0)) {
        leaveForTitle();
        return;
    }
    if (input.isActionPressed("Reload", 0)) {
        restart();
        return;
    }
    if (!m_mapLoaded) {
        return;
    }
    if (isPaused()) {
        updatePaused(frameSeconds);
        return;
    }
    if (input.isCommandPressed(ActionNames::kPause) || input.lostFocus()) {
        pause();
        return;
    }
    if (m_gameObjectManager.getPlayers().empty()) {
        requestState(GameNames::Screen::kResults);
        return;
    }
    updateObjects(frameSeconds);
}

void MainState::leaveForTitle() {
    Game::instance().playTrack(Game::kMenuMusic, Game::kMenuVolume);
    requestState(GameNames::Screen::kTitle);
}

void MainState::restart() {
    resume();
    leaveRace();
    enterRace();
}

// This frame's physics has already run; from the next one on its clock stands.
void MainState::pause() {
    sf::RenderWindow* target = window();
    if (isPaused() || target == nullptr) {
        return;
    }
    PhysicsManager::instance().setPaused(true);
    m_pause.open(*target);
    if (!Game::instance().isMuted()) {
        Game::instance().getMusic().setVolume(kPausedVolume);
    }
}

void MainState::resume() {
    if (!isPaused()) {
        return;
    }
    m_pause.close();
    PhysicsManager::instance().setPaused(false);
    if (!Game::instance().isMuted()) {
        Game::instance().getMusic().setVolume(Game::kLevelVolume);
    }
}

void MainState::updatePaused(float frameSeconds) {
    if (InputManager::instance().isCommandPressed(ActionNames::kPause)) {
        resume();
        return;
    }
    switch (m_pause.update(frameSeconds)) {
        case PauseMenu::Choice::Resume:
            resume();
            break;
        case PauseMenu::Choice::Restart:
            restart();
            break;
        case PauseMenu::Choice::Title:
            leaveForTitle();
            break;
        case PauseMenu::Choice::None:
            break;
    }
}

// Finished players are retired after the walk: retiring changes the registry being walked.
void MainState::updateObjects(float frameSeconds) {
    for (const auto& object : m_gameObjectManager.getObjects()) {
        if (object->isMarkedForRemoval()) {
            m_finished.push_back(object);
            continue;
        }
        for (const auto& component : object->getComponentList()) {
            component->update(frameSeconds);
        }
    }
    for (const auto& player : m_finished) {
        retire(player);
    }
    m_finished.clear();
}

// The finished player's half of the screen stops where it is. Anything else leaves the race for
// good: its box too, or it would go on standing in the way unseen.
void MainState::retire(const std::shared_ptr<GameObject>& gameObject) {
    const auto move = gameObject->getComponent<PlayerMoveComponent>();
    if (move && move->getPoints() > 0.0f && !gameObject->isScoreRecorded()) {
        SoundEffects::instance().play(SoundEffects::Kind::Finish);
    }
    if (!GameNames::isRacerId(gameObject->getId())) {
        PhysicsManager::instance().unregisterCollidersOf(*gameObject);
        removeTrailsOf(*gameObject);
    }
    m_gameObjectManager.removeGameObject(gameObject);
    const auto& registered = m_gameObjectManager.getGameObjects();
    const auto camera = registered.find(GameNames::cameraIdFor(gameObject->getId()));
    if (camera == registered.end()) {
        return;
    }
    if (const auto follow = camera->second->getComponent<TransformCopyComponent>()) {
        follow->setTarget(camera->second);
    }
}

void MainState::removeTrailsOf(const GameObject& gameObject) {
    GameObjectManager::Objects trails;
    for (const auto& object : m_gameObjectManager.getObjects()) {
        const auto trail = object->getComponent<TrailComponent>();
        if (trail && trail->getGameObject().get() == &gameObject) {
            trails.push_back(object);
        }
    }
    for (const auto& trail : trails) {
        m_gameObjectManager.removeGameObject(trail);
    }
}

// The cameras' opaque tiles as they will be drawn: through each camera's view and viewport, the
// way OpenGL places them.
void MainState::drawBackground(sf::RenderWindow& target) {
    if (!m_backgroundCulling) {
        target.draw(m_background);
        return;
    }
    const sf::View design = target.getView();
    m_backgroundMask.clear();
    for (const auto& camera : m_cameras) {
        camera->applyViewport();
        const sf::View& view = target.getView();
        const sf::IntRect viewport = target.getViewport(view);
        const sf::Transform& toClip = view.getTransform();
        const auto toPixel = [&](float x, float y) {
            const sf::Vector2f clip = toClip.transformPoint(x, y);
            return sf::Vector2f(viewport.left + (clip.x + 1.f) / 2.f * viewport.width,
                                viewport.top + (1.f - clip.y) / 2.f * viewport.height);
        };
        for (const auto& layer : AssetManager::instance().getLayers()) {
            if (!layer.second->isVisible()) {
                continue;
            }
            const TileRange range = LayerComponent::visibleTiles(view, layer.second->getTileSize());
            layer.second->forEachOpaqueTile(range, [&](const sf::FloatRect& world) {
                const sf::Vector2f a = toPixel(world.left, world.top);
                const sf::Vector2f b = toPixel(world.left + world.width, world.top + world.height);
                const sf::Vector2f low(std::min(a.x, b.x), std::min(a.y, b.y));
                const sf::Vector2f high(std::max(a.x, b.x), std::max(a.y, b.y));
                m_backgroundMask.hide(sf::FloatRect(low, high - low), viewport);
            });
        }
    }
    target.setView(design);
    const sf::Vector2u size = target.getSize();
    const std::vector<sf::IntRect>& shown = m_backgroundMask.visibleRects(size);
    if (shown.size() == 1 && shown.front() == sf::IntRect(0, 0, size.x, size.y)) {
        target.draw(m_background);
        return;
    }
    // SFML leaves the scissor test alone, so it holds for these draws only.
    glEnable(GL_SCISSOR_TEST);
    for (const sf::IntRect& rect : shown) {
        glScissor(rect.left, static_cast<GLint>(size.y) - rect.top - rect.height, rect.width,
                  rect.height);
        target.draw(m_background);
    }
    glDisable(GL_SCISSOR_TEST);
}

void MainState::draw() {
    sf::RenderWindow* target = window();
    if (target == nullptr) {
        return;
    }
    AssetManager& assets = AssetManager::instance();
    target->setView(DesignView::view(target->getSize()));
    drawBackground(*target);
    for (const auto& camera : m_cameras) {
        camera->applyViewport();
        assets.drawLayers();
    }
    drawDivider(*target);
    if (m_mapLoaded) {
        m_keyHints.draw(*target);
    }
    if (isPaused()) {
        m_pause.draw(*target);
    }
}

void MainState::drawDivider(sf::RenderTarget& target) const {
    target.setView(DesignView::view(target.getSize()));
    target.draw(m_divider);
}

void MainState::exit() {
    leaveRace();
    useDesignView();
}

// The physics' reset lets its clock run again; the music is the next screen's business.
void MainState::leaveRace() {
    m_pause.close();
    m_cameras.clear();
    m_finished.clear();
    m_gameObjectManager.clear();
    PhysicsManager::instance().reset();
    AssetManager::instance().reset();
    m_mapLoaded = false;
}
