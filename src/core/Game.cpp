#include "core/Game.hpp"

#include <SFML/System/Err.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <algorithm>
#include <memory>
#include <unordered_map>

#include "assets/AssetManager.hpp"
#include "components/SettingsButtonComponent.hpp"
#include "core/GameStateManager.hpp"
#include "objects/GameNames.hpp"
#include "objects/Leaderboard.hpp"
#include "physics/PhysicsManager.hpp"
#include "platform/ActionNames.hpp"
#include "platform/AssetFolder.hpp"
#include "platform/DesignView.hpp"
#include "platform/InputManager.hpp"
#include "platform/RegularFile.hpp"
#include "platform/SoundEffects.hpp"
#include "states/MainState.hpp"
#include "states/MapScreenState.hpp"
#include "states/QuitState.hpp"
#include "states/WinState.hpp"

Game& Game::instance() {
    static Game game;
    return game;
}

Game::Game()
    : m_width(sf::VideoMode::getDesktopMode().width),
      m_height(sf::VideoMode::getDesktopMode().height),
      m_title("Tumbleleaf") {
    SettingsButtonComponent::setAction(GameNames::Setting::kToggleSound, [this] { toggleSound(); });
    SettingsButtonComponent::setAction(GameNames::Setting::kDeleteSave,
                                       [] { Leaderboard().clear(); });
}

// Follows the music's real volume rather than the flag, so the two can never disagree for long.
void Game::toggleSound() {
    const bool audible = music().getVolume() != 0.0f;
    music().setVolume(audible ? 0.0f : kMenuVolume);
    m_muted = audible;
    SoundEffects::instance().setMuted(m_muted);
}

void Game::setMuted(bool muted) {
    m_muted = muted;
    SoundEffects::instance().setMuted(muted);
}

void Game::run(const LaunchOptions& options) {
    if (!initialize(options)) {
        return;
    }
    sf::Clock frameClock;
    while (m_window.isOpen()) {
        runFrame(frameClock);
    }
    shutdown();
}

bool Game::initialize(const LaunchOptions& options) {
    AssetManager::instance().setRenderWindow(&m_window);
    m_physicsManager = &PhysicsManager::instance();
    m_inputManager = &InputManager::instance();
    bindDefaultKeys();

    createWindow(options);
    m_window.setFramerateLimit(kFrameRateLimit);
    m_inputManager->setWindow(&m_window);

    m_stateManager = &GameStateManager::instance();
    registerScreens();
    m_levelPath = options.levelPath;
    // A designer trying a map goes straight into the race on it.
    m_stateManager->changeState(m_levelPath.empty() ? GameNames::Screen::kTitle
                                                    : GameNames::Screen::kRace);

    // Opening the audio device takes a good part of a second: the title shows meanwhile, silent
    // for a moment. Anything touching the music first waits for it.
    m_pendingMusic = std::async(std::launch::async, [path = AssetFolder::path(kMenuMusic)] {
        auto menuMusic = std::make_unique<sf::Music>();
        openTrack(*menuMusic, path);
        menuMusic->setLoop(true);
        menuMusic->setVolume(kMenuVolume);
        menuMusic->play();
        return menuMusic;
    });
    return true;
}

void Game::createWindow(const LaunchOptions& options) {
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    if (options.windowed) {
        m_window.create(
            sf::VideoMode(options.windowSize.x, options.windowSize.y, desktop.bitsPerPixel),
            m_title, sf::Style::Default, sf::ContextSettings());
    } else {
        m_window.create(sf::VideoMode(m_width, m_height, desktop.bitsPerPixel), m_title,
                        sf::Style::None, sf::ContextSettings());
        // SFML centres new windows itself; without a window manager that can push a desktop-size
        // window half off the screen.
        m_window.setPosition({0, 0});
    }
    // The first screen takes its view from the window: the design, fitted to the window.
    m_window.setView(DesignView::view(m_window.getSize()));
}

void Game::bindDefaultKeys() {
    m_inputManager->bind(0, "Exit", sf::Keyboard::Escape);
    m_inputManager->bind(0, "Select", sf::Keyboard::Space);
    m_inputManager->bind(0, "left", sf::Keyboard::J);
    m_inputManager->bind(0, "right", sf::Keyboard::L);
    m_inputManager->bind(1, "left", sf::Keyboard::A);
    m_inputManager->bind(1, "right", sf::Keyboard::D);
    m_inputManager->bind(0, "debugdraw", sf::Keyboard::F1);
    m_inputManager->bind(0, "Reload", sf::Keyboard::F5);
    m_inputManager->bind(0, ActionNames::kMenuUp, sf::Keyboard::Up);
    m_inputManager->bind(0, ActionNames::kMenuDown, sf::Keyboard::Down);
    m_inputManager->bind(0, ActionNames::kMenuLeft, sf::Keyboard::Left);
    m_inputManager->bind(0, ActionNames::kMenuRight, sf::Keyboard::Right);
    m_inputManager->bind(0, ActionNames::kMenuPress, sf::Keyboard::Enter);
    m_inputManager->bind(0, ActionNames::kMenuBack, sf::Keyboard::Escape);
    m_inputManager->bind(0, ActionNames::kPause, sf::Keyboard::P);
}

const std::vector<std::string>& Game::screenNames() {
    return GameNames::screenNames();
}

std::shared_ptr<GameState> Game::createScreen(const std::string& name,
                                              GameStateManager* stateManager, Game* game) {
    using Screen = GameNames::Screen;
    // The screens that are only their map, by the map they show.
    static const std::unordered_map<std::string, MapScreenState::Layout> mapScreens{
        {Screen::kTitle, {"TitleScreenMap.tmx", false, true}},
        {Screen::kTutorial, {"TutorialScreenMap.tmx", true, false}},
        {Screen::kCredits, {"CreditsScreenMap.tmx", true, false}},
        {Screen::kSettings, {"SettingsScreenMap.tmx", true, false}},
    };
    if (const auto found = mapScreens.find(name); found != mapScreens.end()) {
        return std::make_shared<MapScreenState>(stateManager, game, found->second);
    }
    if (name == Screen::kRace) {
        return std::make_shared<MainState>(stateManager, game);
    }
    if (name == Screen::kQuit) {
        return std::make_shared<QuitState>(stateManager, game);
    }
    if (name == Screen::kResults) {
        return std::make_shared<WinState>(stateManager, game);
    }
    return nullptr;
}

void Game::registerScreens() {
    for (const auto& name : screenNames()) {
        m_stateManager->registerState(name, createScreen(name, m_stateManager, this));
    }
}

float Game::frameSeconds(sf::Time elapsed) {
    return std::min(elapsed.asSeconds(), kMaxFrameSeconds);
}

// One frame, in this order: events, frame time, key history, physics, screens, clear, draw,
// display. Physics runs before the screens so that contacts reach the players this frame.
void Game::runFrame(sf::Clock& frameClock) {
    pollEvents();
    const float seconds = frameSeconds(frameClock.restart());
    m_inputManager->advanceFrame();
    m_physicsManager->update(seconds);
    m_stateManager->update(seconds);
    m_window.clear(sf::Color(0, 0, 0, 255));
    m_stateManager->draw();
    m_window.display();
}

void Game::pollEvents() {
    sf::Event event;
    while (m_window.pollEvent(event)) {
        if (event.type == sf::Event::Closed) {
            m_window.close();
        }
        m_inputManager->handleEvent(event);
    }
}

void Game::changeMusic(std::string path) {
    music().stop();
    if (openTrack(music(), path)) {
        music().play();
    }
}

sf::Music& Game::music() {
    if (m_pendingMusic.valid()) {
        m_music = m_pendingMusic.get();
    }
    if (!m_music) {
        m_music = std::make_unique<sf::Music>();
    }
    return *m_music;
}

// A track that cannot be opened leaves the music silent until the next one that can.
bool Game::openTrack(sf::Music& music, const std::string& path) {
    if (!RegularFile::load(
            path, [&music](const std::string& plain) { return music.openFromFile(plain); })) {
        sf::err() << "Could not load music from " << path << std::endl;
        return false;
    }
    return true;
}

void Game::playTrack(const char* track, float volume) {
    changeMusic(AssetFolder::path(track));
    if (!m_muted) {
        music().setVolume(volume);
    }
}

// SFML objects must not outlive the process's static teardown in an order SFML does not
// expect, so the music stops and every screen object and per-map texture goes here.
void Game::shutdown() {
    m_inputManager->clearBindings(0);
    // Leaving a screen may change the track, so the music stops after it.
    m_stateManager->leaveCurrent();
    music().stop();
    SoundEffects::instance().release();
    AssetManager::instance().reset();
    AssetManager::instance().dropSpareGeometry();
    m_physicsManager->reset();
}
