#pragma once

#include <SFML/Graphics/RenderWindow.hpp>
#include <filesystem>
#include <memory>

class GameObject;

// What every benchmark runs in: a 1920 by 1080 window like the game's, and a throw-away game
// folder whose assets/ links to the real content, so that a race that ends writes its scores
// to a scratch leaderboard and never to the checkout. The working directory is the folder's
// bin/, where the game's "../assets/" paths expect it.
class BenchGame {
public:
    static constexpr unsigned kWidth = 1920;
    static constexpr unsigned kHeight = 1080;

    // Created on first use; the asset manager draws into its window from then on.
    static BenchGame& instance();
    // Stops the music and removes the scratch folder; call once, after the last benchmark.
    static void shutdown();

    ~BenchGame();
    BenchGame(const BenchGame&) = delete;
    BenchGame& operator=(const BenchGame&) = delete;

    sf::RenderWindow& window() { return m_window; }
    // The level map as the game reads it.
    static std::string levelMapPath();
    // Gives a loaded map back the way a screen does when it is left.
    static void releaseMap(const std::shared_ptr<GameObject>& map);

    // Which race the game folder holds: the shipped one, or one generated from it with its tile
    // layers repeated ten times downward (the same course, ten times as long; the objects are the
    // shipped ones, so the finish stays where it was). Switches the working directory.
    enum class Race { Shipped, TenTimesLonger };
    static constexpr int kLongRaceFactor = 10;
    void useRace(Race race);

private:
    BenchGame();

    std::filesystem::path m_previousWorkingDir;
    std::filesystem::path m_root;
    std::filesystem::path m_longRoot;
    sf::RenderWindow m_window;
};
