// The courses screen's own words come from its map: every entry and the page label show them
// filled in, and a course that cannot be raced says why in those words.
#include "states/CoursesState.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "assets/AssetManager.hpp"
#include "components/TextRenderComponent.hpp"
#include "core/GameStateManager.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

namespace {

// Every text an object of the screen shows, joined by " | ".
std::string textsOf(CoursesState& screen, const std::string& id) {
    const auto object = screen.getGameObjectManager().getGameObject(id);
    std::string shown;
    for (const auto& text : object ? object->getComponents<TextRenderComponent>()
                                   : std::vector<std::shared_ptr<TextRenderComponent>>()) {
        shown += (shown.empty() ? "" : " | ") + text->getText();
    }
    return shown;
}

TEST(CoursesStateTest, ShowsTheMapsWordsWithScoresPagesAndReasons) {
    TestWindow screen(1920, 1080);
    ScratchGameDir scratch;
    scratch.copyShipped();
    std::filesystem::remove(scratch.assets() / "courses" / "Chutes.tmx");
    std::ofstream(scratch.leaderboard()) << "a.png,312\nb.png,1024\nc.png,87\n";
    AssetManager::instance().setRenderWindow(&screen.window());
    GameStateManager manager;
    CoursesState courses(&manager, nullptr);
    ErrCapture err;
    courses.init();

    EXPECT_EQ(textsOf(courses, "Course1"),
              "Desk Run | A bit of everything: erasers, rulers, trays, magazines and wax. | "
              "best 1024");
    EXPECT_EQ(textsOf(courses, "Course2").substr(textsOf(courses, "Course2").rfind('|')),
              "| not raced yet");
    EXPECT_EQ(textsOf(courses, "Course3"), "Chutes | not a regular file");
    EXPECT_EQ(textsOf(courses, "PageLabel"), "page 1 of 1");
    EXPECT_TRUE(err.hasLineWith({"Chutes.tmx cannot be raced: not a regular file"}));
    EXPECT_EQ(err.lineCount(), 1) << err.text();
    courses.exit();
    AssetManager::instance().setRenderWindow(nullptr);
}

}  // namespace
