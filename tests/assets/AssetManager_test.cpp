#include "assets/AssetManager.hpp"

#include <gtest/gtest.h>

#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"

namespace {

// Loads that fail before any texture or window is needed.
class AssetManagerLoadFailureTest : public ::testing::Test {
protected:
    void TearDown() override { AssetManager::instance().reset(); }

    // Fails the test unless the load gave nothing, left the manager empty and said so once.
    std::string failedLoad(const std::string& path) {
        ErrCapture err;
        EXPECT_EQ(AssetManager::instance().loadMap(path, {0.f, 0.f}), nullptr);
        EXPECT_TRUE(AssetManager::instance().getLayers().empty());
        EXPECT_TRUE(AssetManager::instance().getTextures().empty());
        EXPECT_EQ(err.lineCount(), 1) << err.text();
        return err.text();
    }

    ScratchGameDir game;
};

TEST_F(AssetManagerLoadFailureTest, AMissingFileIsReportedByPath) {
    EXPECT_EQ(failedLoad("../assets/Nowhere.tmx"),
              "loadMap: could not open file ../assets/Nowhere.tmx\n");
}

TEST_F(AssetManagerLoadFailureTest, ASyntaxErrorNamesFileProblemAndPosition) {
    const std::string path = game.writeAsset("Broken.tmx", "<map width='1'\n  height='1' <");
    EXPECT_EQ(failedLoad(path),
              "loadMap: ../assets/Broken.tmx: XML syntax error: expected > "
              "(line 2, column 14)\n");
}

}  // namespace
