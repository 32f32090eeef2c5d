#pragma once

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "assets/CourseCatalogue.hpp"
#include "core/CommandLine.hpp"
#include "platform/KeptSettings.hpp"
#include "platform/KeyRebinder.hpp"

namespace sf {
class Event;
}

class GameState;
class GameStateManager;
class InputManager;
class PhysicsManager;

// The application: one window (borderless over the whole desktop, or a normal one when asked),
// one looping music track, and the main loop that drives input, physics and the current screen
// once per frame.
class Game {
public:
    static constexpr unsigned kFrameRateLimit = 144;
    // The most game time one frame may advance: a frame that stalls (the window dragged, the
    // machine suspended) slows the race down rather than moving every racer its whole length.
    static constexpr float kMaxFrameSeconds = 0.1f;
    static constexpr float kMenuVolume = 5.0f;
    static constexpr float kLevelVolume = 15.0f;
    // The tracks, under the asset folder.
    static constexpr const char* kMenuMusic = "Music/TestLoop.wav";
    static constexpr const char* kLevelMusic = "Music/GameSound.wav";

    static Game& instance();

    // The names under which the screens are registered, the ones a button can switch to.
    static const std::vector<std::string>& screenNames();
    // A new screen for one of those names; null for any other name.
    static std::shared_ptr<GameState> createScreen(const std::string& name,
                                                   GameStateManager* stateManager, Game* game);

    // The game time a frame of this real duration advances.
    static float frameSeconds(sf::Time elapsed);

    void run(const LaunchOptions& options = LaunchOptions());
    bool initialize(const LaunchOptions& options = LaunchOptions());
    // One frame of the main loop; the clock holds the time since the last one.
    void runFrame(sf::Clock& frameClock);
    // Volume and looping carry over to the new track; a missing file leaves the game silent.
    void changeMusic(std::string path);
    // Changes to a track of the asset folder and sets its volume, unless the player has muted
    // the game.
    void playTrack(const char* track, float volume);

    sf::RenderWindow& getWindow() { return m_window; }
    // Waits, the first time, for the menu track that start-up opens beside the first frames.
    sf::Music& getMusic() { return music(); }
    bool isMuted() const { return m_muted; }
    // Mutes the music, or brings it back at the menus' volume; the choice is kept.
    void toggleSound();
    // Between the borderless window over the desktop and the --windowed one; the choice is kept.
    void toggleFullscreen();
    bool isFullscreen() const { return m_fullscreen; }
    const Settings& getSettings() const { return m_settings.get(); }
    void setMuted(bool muted);
    GameStateManager* getStateManager() const { return m_stateManager; }
    // The course the next race is run on, and the one the results show.
    const RaceCourse& getCourse() const { return m_course; }
    void setCourse(RaceCourse course) { m_course = std::move(course); }
    void raceFirstCourse() { m_course = m_firstCourse; }
    // Races a player's map from now on; the first of the game's own courses for an empty path.
    void setLevelPath(const std::string& path);
    // Every course on offer, the map named with --level among them.
    std::vector<RaceCourse> listCourses() const;

private:
    Game();
    void bindDefaultKeys();
    // The players' steering keys of the settings, into binding sets 0 and 1.
    void bindPlayerKeys();
    void createWindow(bool windowed);
    void registerSettingsActions();
    void startRebinding(int player, KeyRebinder::Side side);
    void restoreDefaultKeys();
    // The line under the settings screen's buttons, when that screen is showing.
    void showSettingsMessage(const std::string& message);
    void changeSettings(const Settings& settings);
    // Window events the game itself answers before the screens see them: the fullscreen keys,
    // and the key a rebinding waits for. True when the event is used up.
    bool handleOwnEvent(const sf::Event& event);
    void registerScreens();
    void pollEvents();
    void shutdown();
    // Only a regular file: a pipe at the track's path would block the game while opening it.
    static bool openTrack(sf::Music& music, const std::string& path);
    void startMenuMusic();
    sf::Music& music();

    std::uint32_t m_width;
    std::uint32_t m_height;
    std::string m_title;
    // Made on first use: making the first one opens the audio device.
    std::unique_ptr<sf::Music> m_music;
    std::future<std::unique_ptr<sf::Music>> m_pendingMusic;
    bool m_muted = false;
    sf::RenderWindow m_window;
    GameStateManager* m_stateManager = nullptr;
    InputManager* m_inputManager = nullptr;
    PhysicsManager* m_physicsManager = nullptr;
    // The map named with --level; empty when there was none.
    std::string m_commandLineMap;
    RaceCourse m_firstCourse;
    RaceCourse m_course;
    KeptSettings m_settings;
    KeyRebinder m_rebinder;
    bool m_fullscreen = true;
    sf::Vector2u m_windowedSize{LaunchOptions::kDefaultWindowWidth,
                                LaunchOptions::kDefaultWindowHeight};
};
