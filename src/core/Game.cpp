#include "core/Game.hpp"

#include <SFML/System/Err.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <algorithm>
#include <memory>
#include <unordered_map>

#include "assets/AssetManager.hpp"
#include "components/SettingsButtonComponent.hpp"
#include "components/TextRenderComponent.hpp"
#include "core/GameState.hpp"
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
#include "platform/UserFolders.hpp"
#include "states/CoursesState.hpp"
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
      m_title("Tumbleleaf"),
      m_firstCourse(CourseCatalogue::firstShipped()),
      m_course(m_firstCourse) {
    registerSettingsActions();
}

void Game::registerSettingsActions() {
    using Setting = GameNames::Setting;
    using Side = KeyRebinder::Side;
    SettingsButtonComponent::setAction(Setting::kToggleSound, [this] { toggleSound(); });
    SettingsButtonComponent::setAction(Setting::kDeleteSave, [this] {
        m_rebinder.cancel();
        Leaderboard::clearEvery();
        showSettingsMessage("All scores deleted");
    });
    const std::pair<const char*, std::pair<int, Side>> rebinds[] = {
        {Setting::kRebindPlayer1Left, {0, Side::Left}},
        {Setting::kRebindPlayer1Right, {0, Side::Right}},
        {Setting::kRebindPlayer2Left, {1, Side::Left}},
        {Setting::kRebindPlayer2Right, {1, Side::Right}}};
    for (const auto& [name, action] : rebinds) {
        SettingsButtonComponent::setAction(
            name, [this, action = action] { startRebinding(action.first, action.second); });
    }
    SettingsButtonComponent::setAction(Setting::kDefaultKeys, [this] { restoreDefaultKeys(); });
}

// Follows the music's real volume rather than the flag, so the two can never disagree for long.
void Game::toggleSound() {
    m_rebinder.cancel();
    const bool audible = music().getVolume() != 0.0f;
    music().setVolume(audible ? 0.0f : kMenuVolume);
    m_muted = audible;
    SoundEffects::instance().setMuted(m_muted);
    Settings settings = m_settings.get();
    settings.sound = !m_muted;
    changeSettings(settings);
}

void Game::changeSettings(const Settings& settings) {
    m_settings.change(settings);
    bindPlayerKeys();
}

void Game::startRebinding(int player, KeyRebinder::Side side) {
    m_rebinder.start(player, side, m_settings.get());
    showSettingsMessage(m_rebinder.message());
}

void Game::restoreDefaultKeys() {
    m_rebinder.cancel();
    Settings settings = m_settings.get();
    settings.players = Settings().players;
    changeSettings(settings);
    showSettingsMessage("Keys back to J and L for player 1, A and D for player 2");
}

void Game::showSettingsMessage(const std::string& message) {
    GameState* screen = m_stateManager != nullptr ? m_stateManager->getCurrent() : nullptr;
    if (screen == nullptr) {
        return;
    }
    const auto& objects = screen->getGameObjectManager().getGameObjects();
    const auto line = objects.find(GameNames::kSettingsMessage);
    if (line == objects.end()) {
        return;
    }
    if (const auto text = line->second->getComponent<TextRenderComponent>()) {
        text->setText(message);
    }
}

void Game::bindPlayerKeys() {
    InputManager& input = InputManager::instance();
    const Settings& settings = m_settings.get();
    for (std::size_t player = 0; player < settings.players.size(); ++player) {
        const int set = static_cast<int>(player);
        input.bind(set, "left", settings.players[player].left);
        input.bind(set, "right", settings.players[player].right);
    }
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
    // The player's own choices; the command line wins over them for this run.
    m_settings = KeptSettings::fromConfigFolder();
    bindPlayerKeys();
    setMuted(!m_settings.get().sound);
    m_windowedSize = options.windowSize;

    createWindow(options.windowed || m_settings.get().windowMode == WindowMode::Windowed);

    m_stateManager = &GameStateManager::instance();
    registerScreens();
    setLevelPath(options.levelPath);
    m_commandLineMap = options.levelPath;
    // A designer trying a map goes straight into the race on it.
    m_stateManager->changeState(m_commandLineMap.empty() ? GameNames::Screen::kTitle
                                                         : GameNames::Screen::kRace);

    return true;
}

void Game::setLevelPath(const std::string& path) {
    m_course = path.empty() ? m_firstCourse : CourseCatalogue::playersMap(path);
}

std::vector<RaceCourse> Game::listCourses() const {
    return CourseCatalogue::list(UserFolders().levelsFolder(), m_commandLineMap);
}

void Game::createWindow(bool windowed) {
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    m_fullscreen = !windowed;
    if (windowed) {
        // A window larger than the desktop could never be seen whole.
        const sf::Vector2u size(std::min(m_windowedSize.x, desktop.width),
                                std::min(m_windowedSize.y, desktop.height));
        m_window.create(sf::VideoMode(size.x, size.y, desktop.bitsPerPixel), m_title,
                        sf::Style::Default, sf::ContextSettings());
        // Centred by us: without a window manager SFML's own placement can leave part of the
        // window below the screen's edge.
        m_window.setPosition({static_cast<int>(desktop.width - size.x) / 2,
                              static_cast<int>(desktop.height - size.y) / 2});
    } else {
        m_window.create(sf::VideoMode(m_width, m_height, desktop.bitsPerPixel), m_title,
                        sf::Style::None, sf::ContextSettings());
        // SFML centres new windows itself; without a window manager that can push a desktop-size
        // window half off the screen.
        m_window.setPosition({0, 0});
    }
    m_window.setFramerateLimit(kFrameRateLimit);
    m_inputManager->setWindow(&m_window);
    // The first screen takes its view from the window: the design, fitted to the window.
    m_window.setView(DesignView::view(m_window.getSize()));
}

// The screens keep their own views and fit them to the window every frame, so they carry on in
// the new window as they were.
void Game::toggleFullscreen() {
    const sf::View view = m_window.getView();
    createWindow(m_fullscreen);
    m_window.setView(view);
    // The old window takes the releases of keys held now with it.
    m_inputManager->releaseAllKeys();
    Settings settings = m_settings.get();
    settings.windowMode = m_fullscreen ? WindowMode::Fullscreen : WindowMode::Windowed;
    changeSettings(settings);
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
        {Screen::kTitle, {"TitleScreenMap.tmx", false, true, true}},
        {Screen::kTutorial, {"TutorialScreenMap.tmx", true, false, true}},
        {Screen::kCredits, {"CreditsScreenMap.tmx", true, false}},
        {Screen::kSettings, {"SettingsScreenMap.tmx", true, false}},
    };
    if (const auto found = mapScreens.find(name); found != mapScreens.end()) {
        return std::make_shared<MapScreenState>(stateManager, game, found->second);
    }
    if (name == Screen::kCourses) {
        return std::make_shared<CoursesState>(stateManager, game);
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
    if (m_stateManager->getPending() != nullptr &&
        m_stateManager->getPending() != m_stateManager->getCurrent()) {
        m_rebinder.cancel();  // a key pressed on the next screen is not the one waited for
    }
    m_physicsManager->update(seconds);
    m_stateManager->update(seconds);
    m_window.clear(sf::Color(0, 0, 0, 255));
    m_stateManager->draw();
    m_window.display();
    if (!m_music && !m_pendingMusic.valid()) {
        startMenuMusic();
    }
}

// Opening the audio device takes a good part of a second and competes with the first frame for
// the processor: it starts once that frame is shown, on a thread of its own, and the title is
// silent for a moment. Anything touching the music first waits for it; a screen that set a track
// of its own before then (a race started from the command line) keeps it.
void Game::startMenuMusic() {
    const float volume = m_muted ? 0.0f : kMenuVolume;
    m_pendingMusic = std::async(std::launch::async, [path = AssetFolder::path(kMenuMusic), volume] {
        auto menuMusic = std::make_unique<sf::Music>();
        openTrack(*menuMusic, path);
        menuMusic->setLoop(true);
        menuMusic->setVolume(volume);
        menuMusic->play();
        return menuMusic;
    });
}

void Game::pollEvents() {
    sf::Event event;
    while (m_window.pollEvent(event)) {
        if (event.type == sf::Event::Closed) {
            m_window.close();
        }
        if (!handleOwnEvent(event)) {
            m_inputManager->handleEvent(event);
        }
    }
}

bool Game::handleOwnEvent(const sf::Event& event) {
    if (event.type != sf::Event::KeyPressed) {
        return false;
    }
    const sf::Keyboard::Key key = event.key.code;
    if (key == sf::Keyboard::F11 || (key == sf::Keyboard::Enter && event.key.alt)) {
        toggleFullscreen();
        return true;
    }
    // A held key repeats its press: only a fresh press answers the wait.
    if (!m_rebinder.isWaiting() || key == sf::Keyboard::Unknown ||
        m_inputManager->isKeyHeldLive(key)) {
        return false;
    }
    Settings settings = m_settings.get();
    if (m_rebinder.offer(key, settings) == KeyRebinder::Result::Bound) {
        changeSettings(settings);
    }
    showSettingsMessage(m_rebinder.message());
    return true;
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
