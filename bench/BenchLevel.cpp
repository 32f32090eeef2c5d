#include "BenchLevel.hpp"

#include <SFML/Window/Event.hpp>

#include "BenchGame.hpp"
#include "components/CameraRenderComponent.hpp"
#include "physics/PhysicsManager.hpp"

// Only entering the level reads files; the race is run from the shipped game folder.
BenchLevel::BenchLevel(BenchGame::Race race) : m_level(nullptr, nullptr) {
    BenchGame::instance().useRace(race);
    m_level.init();
    BenchGame::instance().useRace(BenchGame::Race::Shipped);
    for (float played = 0.0f; played < kWarmUpSeconds; played += kFrameSeconds) {
        update();
    }
}

BenchLevel::~BenchLevel() {
    m_level.exit();
}

void BenchLevel::update() {
    PhysicsManager::instance().update(kFrameSeconds);
    m_level.update(kFrameSeconds);
}

void BenchLevel::frame() {
    sf::RenderWindow& window = BenchGame::instance().window();
    sf::Event event;
    while (window.pollEvent(event)) {
    }
    update();
    window.clear(sf::Color::Black);
    m_level.draw();
    window.display();
}

bool BenchLevel::bothRacing() {
    return m_level.getGameObjectManager().getPlayers().size() >= 2;
}

std::vector<std::shared_ptr<CameraRenderComponent>> BenchLevel::cameras() {
    std::vector<std::shared_ptr<CameraRenderComponent>> found;
    for (const auto& entry : m_level.getGameObjectManager().getGameObjects()) {
        if (auto camera = entry.second->getComponent<CameraRenderComponent>()) {
            found.push_back(std::move(camera));
        }
    }
    return found;
}
