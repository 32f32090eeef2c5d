#include "assets/AssetManager.hpp"

#include <gtest/gtest.h>

#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"

namespace {

// Loads that fail before any texture or window is needed give nothing, leave the manager empty
// and say so in one line naming the file and the problem.
TEST(AssetManagerLoadFailureTest, AMapThatCannotBeReadIsReportedOnceByPath) {
    ScratchGameDir game;
    const std::string broken = game.writeAsset("Broken.tmx", "<map width='1'\n  height='1' <");
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"../assets/Nowhere.tmx", {"could not open", "../assets/Nowhere.tmx"}},
        {broken, {broken, "syntax error", "line 2, column 14"}},
    };
    for (const auto& [path, facts] : cases) {
        ErrCapture err;
        EXPECT_EQ(AssetManager::instance().loadMap(path, {0.f, 0.f}), nullptr);
        EXPECT_TRUE(AssetManager::instance().getLayers().empty());
        EXPECT_TRUE(AssetManager::instance().getTextures().empty());
        EXPECT_EQ(err.lineCount(), 1) << err.text();
        EXPECT_TRUE(err.hasLineWith(facts)) << err.text();
    }
    AssetManager::instance().reset();
}

}  // namespace
