#include "StartUp.hpp"

#include "BenchGame.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Event.hpp>
#include <chrono>
#include <filesystem>
#include <string>

#include "assets/AssetManager.hpp"
#include "core/Game.hpp"
#include "core/GameState.hpp"
#include "core/GameStateManager.hpp"
#include "platform/AssetFolder.hpp"

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

// The game's own start-up path: the game object, Game::initialize (window, screens, the menu
// music opening on a thread of its own) and the main loop's first frame, in which the title
// enters and is drawn.
int measureStartUp(std::ostream& out) {
    // The game runs from its bin/ folder; the title screen only reads.
    std::filesystem::current_path(std::filesystem::path(TUMBLELEAF_SOURCE_DIR) / "bin");
    StepTimer timer(out);
    sf::VideoMode::getDesktopMode();
    timer.step("display_connection");
    Game& game = Game::instance();
    timer.step("game_object");
    game.initialize();
    timer.step("initialize");
    sf::Clock frameClock;
    game.runFrame(frameClock);
    timer.step("first_frame");
    out << "total_to_first_title_frame " << timer.total() << "\n";
    game.getMusic();
    timer.step("then_waiting_for_the_music");

    splitTitleScreen(timer);
    GameStateManager& screens = GameStateManager::instance();
    const bool entered = screens.getCurrent() != nullptr;
    screens.leaveCurrent();
    game.getMusic().stop();
    game.getWindow().close();
    return entered ? 0 : 1;
}

// What any SFML program pays on this machine before its first frame shows: a window like the
// game's with one picture drawn over it. The game's start-up cannot come in under this.
int measureBareWindow(std::ostream& out) {
    StepTimer timer(out);
    sf::RenderWindow window;
    timer.step("bare_window_object");
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    window.create(desktop, "bare", sf::Style::None);
    window.setPosition({0, 0});
    timer.step("bare_window_create");
    sf::Image picture;
    picture.create(64, 64, sf::Color(200, 120, 40));
    sf::Texture texture;
    texture.loadFromImage(picture);
    sf::Sprite sprite(texture);
    sprite.setScale(desktop.width / 64.0f, desktop.height / 64.0f);
    sf::Event event;
    while (window.pollEvent(event)) {
    }
    window.clear();
    window.draw(sprite);
    window.display();
    timer.step("bare_first_frame");
    out << "bare_total_to_first_frame " << timer.total() << "\n";
    return 0;
}
