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
#include "objects/Leaderboard.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/PhysicsManager.hpp"
#include "platform/InputManager.hpp"
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

// A sidestep: once the racer's feet reach `row` (of 32-pixel tiles), hold right (`toward` 1) or
// left (-1) for `push` seconds, then the other way for `brake` seconds (the racer drifts on until
// braked or stopped by a wall), then nothing. The crayon, on the right half, plays a line as
// written; the chalk, on the mirror image, plays it the other way round.
struct Move {
    int row;
    int toward;
    float push;
    float brake;
};

// Thirteen turns, 140 rows apart from row 80: past the ruler into the magazine pocket (outside
// first, then in the middle, and so on), and back into the lane once the tray beside it ends.
std::vector<Move> switchbacksLine() {
    std::vector<Move> line;
    for (int turn = 0; turn < 13; ++turn) {
        const int top = 80 + 140 * turn;
        const int in = turn % 2 == 0 ? 1 : -1;
        line.push_back({top + 3, in, 0.5f, 0.4f});
        line.push_back({top + 52, -in, 0.5f, 0.4f});
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
    // Out onto the wax beside the hot tray's chute, and onto the wax spine of the home straight.
    {"TileMap.tmx", 45.0f, 70.0f, {{485, 1, 0.6f, 0.4f}, {1382, -1, 1.0f, 0.6f}}},
    // Over to the wax line along the outside, through the gaps in the trays.
    {"courses/Sprint.tmx", 35.0f, 50.0f, {{40, 1, 0.5f, 0.4f}}},
    // Into the wax chute along the wall, and down it.
    {"courses/Chutes.tmx", 60.0f, 90.0f, {{11, 1, 1.2f, 0.0f}}},
    {"courses/Switchbacks.tmx", 50.0f, 75.0f, switchbacksLine()},
};

struct RaceResult {
    float seconds = 0.0f;
    int crayon = 0;
    int chalk = 0;
};

// Plays a line for one racer: `side` 1 as written, -1 mirrored. Steers 1 (right), -1 or 0.
struct Driver {
    const std::vector<Move>& line;
    const GameObject& racer;
    int side;
    std::size_t next = 0;
    float started = 0.0f;

    int steer(float now) {
        if (next < line.size() &&
            racer.getComponent<BoxCollisionComponent>()->getPosition().y >= line[next].row * 32) {
            started = now;
            ++next;
        }
        if (next == 0) {
            return 0;
        }
        const Move& move = line[next - 1];
        const float held = now - started;
        return side * move.toward * (held < move.push ? 1 : held < move.push + move.brake ? -1 : 0);
    }
};

void holdKeys(int crayon, int chalk) {
    InputManager& input = InputManager::instance();
    input.releaseAllKeys();
    input.setKeyState(sf::Keyboard::J, crayon < 0);
    input.setKeyState(sf::Keyboard::L, crayon > 0);
    input.setKeyState(sf::Keyboard::A, chalk < 0);
    input.setKeyState(sf::Keyboard::D, chalk > 0);
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
        holdKeys(0, 0);
        Game::instance().setLevelPath("");
        Game::instance().getMusic().stop();
        AssetManager::instance().setRenderWindow(nullptr);
    }

    // stallAt: when one frame takes as long as a stalled machine's (4 s), or never.
    RaceResult race(const Course& course, const std::vector<Move>& line, float stallAt = -1.0f) {
        Game::instance().setLevelPath((scratch.assets() / course.file).string());
        const Leaderboard board(Game::instance().getCourse().boardPath);
        fs::remove(board.getPath());
        MainState level(&manager, nullptr);
        level.init();
        const GameObjectManager& objects = level.getGameObjectManager();
        const auto crayon = objects.getGameObject("Player1");
        const auto chalk = objects.getGameObject("Player2");
        if (!crayon || !chalk) {
            return {};  // no race: it fails the time it takes
        }
        Driver crayonDriver{line, *crayon, 1};
        Driver chalkDriver{line, *chalk, -1};
        RaceResult result;
        while (!objects.getPlayers().empty() && result.seconds < kGiveUpAfter) {
            holdKeys(crayonDriver.steer(result.seconds), chalkDriver.steer(result.seconds));
            const bool stalls = stallAt >= 0.0f && result.seconds >= stallAt;
            const float frame = stalls ? Game::frameSeconds(sf::seconds(4.0f)) : kFrame;
            stallAt = stalls ? -1.0f : stallAt;
            PhysicsManager::instance().update(frame);
            level.update(frame);
            result.seconds += frame;
        }
        level.exit();
        for (const LeaderboardEntry& entry :
             board.readEntries().value_or(std::vector<LeaderboardEntry>())) {
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

// A frame that took seconds (a dragged window, a suspended machine) slows the race down for a
// moment instead of moving the racers past part of the course.
TEST_F(CourseRacesTest, AStalledFrameDoesNotSkipCourse) {
    // The sprint: there, a whole 4 s frame 20 s into the race changes each racer's score by 8.
    const Course& course = kCourses[1];
    const RaceResult smooth = race(course, {});
    const RaceResult stalled = race(course, {}, 20.0f);
    EXPECT_NEAR(stalled.crayon, smooth.crayon, 2);
    EXPECT_NEAR(stalled.chalk, smooth.chalk, 2);
}

}  // namespace
