#include "StartUp.hpp"

#include "BenchGame.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>
#include <chrono>
#include <filesystem>
#include <string>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "core/Game.hpp"
#include "core/GameObjectManager.hpp"
#include "core/GameState.hpp"
#include "core/GameStateManager.hpp"
#include "objects/GameNames.hpp"
#include "physics/PhysicsManager.hpp"
#include "platform/AssetFolder.hpp"
#include "platform/InputManager.hpp"

namespace {

class StepTimer {
public:
    explicit StepTimer(std::ostream& out) : m_out(out) {}

    // Prints the time since the previous step (or since the timer was made).
    void step(const char* name) {
        const auto now = std::chrono::steady_clock::now();
        const double ms = std::chrono::duration<double, std::milli>(now - m_last).count();
        m_out << name << " " << ms << "\n";
        m_total += ms;
        m_last = now;
    }
    double total() const { return m_total; }
    void restart() { m_last = std::chrono::steady_clock::now(); }

private:
    std::ostream& m_out;
    std::chrono::steady_clock::time_point m_last = std::chrono::steady_clock::now();
    double m_total = 0.0;
};

// The title map's parts once more, now that everything is warm: the map alone, and the font.
void splitTitleScreen(StepTimer& timer) {
    timer.restart();
    const auto map =
        AssetManager::instance().loadMap(AssetFolder::path("TitleScreenMap.tmx"), {0.f, 0.f});
    timer.step("again_title_map_load_only");
    sf::Font font;
    font.loadFromFile(AssetFolder::path(GameState::kFontFile));
    timer.step("again_font_load");
    BenchGame::releaseMap(map);
}

}  // namespace

int measureStartUp(std::ostream& out) {
    // The game runs from its bin/ folder; the title screen only reads.
    std::filesystem::current_path(std::filesystem::path(TUMBLELEAF_SOURCE_DIR) / "bin");
    StepTimer timer(out);
    sf::VideoMode::getDesktopMode();
    timer.step("display_connection");
    // The game object holds the window (not yet open) and the music, whose first use opens the
    // audio device.
    Game& game = Game::instance();
    timer.step("game_object_with_audio_device");
    AssetManager::instance().setRenderWindow(&game.getWindow());
    PhysicsManager::instance();
    InputManager::instance();
    timer.step("managers");

    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    sf::RenderWindow& window = game.getWindow();
    window.create(desktop, "Tumbleleaf", sf::Style::None, sf::ContextSettings());
    window.setPosition({0, 0});
    window.setFramerateLimit(Game::kFrameRateLimit);
    InputManager::instance().setWindow(&window);
    timer.step("window_and_graphics_context");

    GameStateManager& screens = GameStateManager::instance();
    for (const auto& name : Game::screenNames()) {
        screens.registerState(name, Game::createScreen(name, &screens, &game));
    }
    screens.changeState(GameNames::Screen::kTitle);
    timer.step("screens_created");

    game.getMusic().openFromFile(AssetFolder::path(Game::kMenuMusic));
    game.getMusic().setLoop(true);
    game.getMusic().setVolume(Game::kMenuVolume);
    game.getMusic().play();
    timer.step("music_opened_and_started");

    // The first frame: the title screen enters (its map, its objects), then the first draw.
    sf::Event event;
    while (window.pollEvent(event)) {
    }
    PhysicsManager::instance().update(0.0f);
    screens.update(0.0f);
    timer.step("title_screen_enters");
    window.clear(sf::Color(0, 0, 0, 255));
    screens.draw();
    window.display();
    timer.step("first_draw_and_display");
    out << "total_to_first_title_frame " << timer.total() << "\n";

    splitTitleScreen(timer);
    const bool entered = screens.getCurrent() != nullptr;
    screens.leaveCurrent();
    game.getMusic().stop();
    window.close();
    return entered ? 0 : 1;
}
