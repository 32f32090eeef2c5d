// Races every shipped course on the real race screen, start to finish, without drawing: physics
// and the screen's update at a fixed frame time, with the racers' keys held through the input
// manager. A course must take a fair time when nobody steers, and reward a racer who steers well.
#include <gtest/gtest.h>

#include <SFML/Window/Keyboard.hpp>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/AssetManager.hpp"
#include "core/Game.hpp"
#include "core/GameStateManager.hpp"
#include "core/InputManager.hpp"
#include "objects/Leaderboard.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/PhysicsManager.hpp"
#include "states/MainState.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

namespace fs = std::filesystem;

namespace {

constexpr float kFrame = 1.0f / 60.0f;
// Every race, left alone, lasts this long (until both racers have finished or worn away); each
// course's own range lies within.
constexpr float kShortestRace = 35.0f;
constexpr float kLongestRace = 90.0f;
constexpr float kGiveUpAfter = 300.0f;
// Points a good line must win over doing nothing, for each racer.
constexpr int kLineBeatsNothingBy = 30;

enum class Steer { None, Left, Right };

// A sidestep: once the racer's feet reach `row` (of 32-pixel tiles), hold `toward` for `push`
// seconds, then the other way for `brake` seconds (the racer drifts on until it is braked or
// meets a wall), then nothing. The crayon, on the right half, plays a line as written; the chalk,
// on the mirror image, plays it the other way round.
struct Move {
    int row;
    Steer toward;
    float push;
    float brake;
};

Steer mirrored(Steer steer) {
    return steer == Steer::Left ? Steer::Right : steer == Steer::Right ? Steer::Left : Steer::None;
}

// Thirteen turns, 140 rows apart from row 80: past the ruler into the magazine pocket (outside
// first, then in the middle, and so on), and back into the lane once the tray beside it ends.
std::vector<Move> switchbacksLine() {
    std::vector<Move> line;
    for (int turn = 0; turn < 13; ++turn) {
        const int top = 80 + 140 * turn;
        const Steer in = turn % 2 == 0 ? Steer::Right : Steer::Left;
        line.push_back({top + 3, in, 0.5f, 0.4f});
        line.push_back({top + 52, mirrored(in), 0.5f, 0.4f});
    }
    return line;
}

struct Course {
    const char* file;  // under assets/
    float shortest;
    float longest;
    std::vector<Move> betterLine;
};

const Course kCourses[] = {
    // Over to the wax line along the outside, through the gaps in the trays.
    {"courses/Sprint.tmx", 35.0f, 50.0f, {{40, Steer::Right, 0.5f, 0.4f}}},
    // Into the wax chute along the wall, and down it.
    {"courses/Chutes.tmx", 60.0f, 90.0f, {{11, Steer::Right, 1.2f, 0.0f}}},
    {"courses/Switchbacks.tmx", 50.0f, 75.0f, switchbacksLine()},
};

struct RaceResult {
    float seconds = 0.0f;
    int crayon = 0;
    int chalk = 0;
};

// Plays a line for one racer.
class Driver {
public:
    Driver(const std::vector<Move>& line, const GameObject& racer, bool mirror)
        : m_line(line), m_racer(racer), m_mirror(mirror) {}

    Steer steer(float now) {
        const float feet = m_racer.getComponent<BoxCollisionComponent>()->getPosition().y;
        if (m_next < m_line.size() && feet >= m_line[m_next].row * 32.0f) {
            m_move = &m_line[m_next++];
            m_started = now;
        }
        if (m_move == nullptr || now - m_started >= m_move->push + m_move->brake) {
            return Steer::None;
        }
        const Steer toward = m_mirror ? mirrored(m_move->toward) : m_move->toward;
        return now - m_started < m_move->push ? toward : mirrored(toward);
    }

private:
    const std::vector<Move>& m_line;
    const GameObject& m_racer;
    bool m_mirror;
    std::size_t m_next = 0;
    const Move* m_move = nullptr;
    float m_started = 0.0f;
};

void holdKeys(Steer crayon, Steer chalk) {
    InputManager& input = InputManager::instance();
    input.releaseAllKeys();
    input.setKeyState(sf::Keyboard::J, crayon == Steer::Left);
    input.setKeyState(sf::Keyboard::L, crayon == Steer::Right);
    input.setKeyState(sf::Keyboard::A, chalk == Steer::Left);
    input.setKeyState(sf::Keyboard::D, chalk == Steer::Right);
    input.advanceFrame();
}

class CourseRacesTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The game's content, but a leaderboard of this test's own.
        const fs::path shipped = fs::path(std::getenv("TUMBLELEAF_SOURCE_DIR")) / "assets";
        for (const auto& entry : fs::directory_iterator(shipped)) {
            if (entry.path().filename() != "SaveFiles") {
                fs::create_symlink(entry.path(), scratch.assets() / entry.path().filename());
            }
        }
        AssetManager::instance().setRenderWindow(&screen.window());
        InputManager& input = InputManager::instance();
        input.setPadReader(Gamepads::readNothing);
        input.bind(0, "left", sf::Keyboard::J);
        input.bind(0, "right", sf::Keyboard::L);
        input.bind(1, "left", sf::Keyboard::A);
        input.bind(1, "right", sf::Keyboard::D);
    }
    void TearDown() override {
        holdKeys(Steer::None, Steer::None);
        Game::instance().setLevelPath("");
        Game::instance().getMusic().stop();
        AssetManager::instance().setRenderWindow(nullptr);
    }

    RaceResult race(const Course& course, const std::vector<Move>& line) {
        fs::remove(scratch.leaderboard());
        Game::instance().setLevelPath((scratch.assets() / course.file).string());
        MainState level(&manager, nullptr);
        level.init();
        const GameObjectManager& objects = level.getGameObjectManager();
        const auto crayon = objects.getGameObject("Player1");
        const auto chalk = objects.getGameObject("Player2");
        if (!crayon || !chalk) {
            ADD_FAILURE() << course.file << " has no racers";
            return {};
        }
        Driver crayonDriver(line, *crayon, false);
        Driver chalkDriver(line, *chalk, true);
        RaceResult result;
        while (!objects.getPlayers().empty() && result.seconds < kGiveUpAfter) {
            holdKeys(crayonDriver.steer(result.seconds), chalkDriver.steer(result.seconds));
            PhysicsManager::instance().update(kFrame);
            level.update(kFrame);
            result.seconds += kFrame;
        }
        level.exit();
        for (const LeaderboardEntry& entry :
             Leaderboard().readEntries().value_or(std::vector<LeaderboardEntry>())) {
            (entry.name.find("Crayon") != std::string::npos ? result.crayon : result.chalk) =
                entry.score;
        }
        return result;
    }

    TestWindow screen{320, 180};
    ScratchGameDir scratch;
    GameStateManager manager;
};

TEST_F(CourseRacesTest, EachCourseTakesAFairTimeAndRewardsABetterLine) {
    for (const Course& course : kCourses) {
        SCOPED_TRACE(course.file);
        const RaceResult alone = race(course, {});
        const RaceResult steered = race(course, course.betterLine);
        ASSERT_TRUE(kShortestRace <= course.shortest && course.longest <= kLongestRace);
        EXPECT_GE(alone.seconds, course.shortest);
        EXPECT_LE(alone.seconds, course.longest);
        EXPECT_GE(steered.crayon - alone.crayon, kLineBeatsNothingBy);
        EXPECT_GE(steered.chalk - alone.chalk, kLineBeatsNothingBy);
    }
}

}  // namespace
