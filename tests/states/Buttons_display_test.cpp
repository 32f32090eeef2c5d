#include <gtest/gtest.h>

#include <fstream>

#include "components/SpriteRenderComponent.hpp"
#include "core/Game.hpp"
#include "core/InputManager.hpp"
#include "objects/GameObject.hpp"
#include "states/SettingsButtonComponent.hpp"
#include "states/StateButtonComponent.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

namespace {

const sf::Vector2f kOutside(10.0f, 10.0f);

class ButtonsTest : public ::testing::Test {
protected:
    void SetUp() override { InputManager::instance().setMouseLatch(false); }
    void TearDown() override { InputManager::instance().setMouseLatch(false); }

    // A 50 x 20 button at (100, 200).
    template <typename Button>
    std::shared_ptr<Button> makeButton(const std::string& argument, float x = 100.0f) {
        auto owner = std::make_shared<GameObject>("button");
        sprites.push_back(std::make_shared<SpriteRenderComponent>(screen.window(), sf::Color::Black,
                                                                  owner, "unused.png"));
        return std::make_shared<Button>(owner, sf::Vector2f(x, 200.0f), 50, 20, sprites.back(),
                                        argument);
    }

    TestWindow screen{32, 32};
    std::vector<std::shared_ptr<SpriteRenderComponent>> sprites;
};

TEST_F(ButtonsTest, TheRectangleIncludesItsEdges) {
    auto button = makeButton<StateButtonComponent>("GameState");
    EXPECT_TRUE(button->contains(100.0f, 200.0f));
    EXPECT_TRUE(button->contains(150.0f, 220.0f));
    EXPECT_FALSE(button->contains(151.0f, 220.0f));
    EXPECT_FALSE(button->contains(100.0f, 199.0f));
}

TEST_F(ButtonsTest, HoldingThePressOverManyFramesClicksOnce) {
    auto button = makeButton<StateButtonComponent>("GameState");
    button->handleMouse({120.0f, 210.0f}, true);
    EXPECT_TRUE(button->isClicked());
    button->setClicked(false);  // the screen acts on the click
    for (int frame = 0; frame < 10; ++frame) {
        button->handleMouse({120.0f, 210.0f}, true);
    }
    EXPECT_FALSE(button->isClicked());

    button->handleMouse({120.0f, 210.0f}, false);
    button->handleMouse({120.0f, 210.0f}, true);
    EXPECT_TRUE(button->isClicked()) << "a new press after a release counts";
}

TEST_F(ButtonsTest, OnePressFiresOneButtonAndTheLatchClearsOnlyOverAButton) {
    auto first = makeButton<StateButtonComponent>("GameState", 100.0f);
    auto second = makeButton<StateButtonComponent>("CreditsState", 300.0f);
    first->handleMouse({120.0f, 210.0f}, true);
    // Dragged onto the second button with the button still held.
    second->handleMouse({320.0f, 210.0f}, true);
    EXPECT_TRUE(first->isClicked());
    EXPECT_FALSE(second->isClicked());

    // Released away from every button: the latch stays, so the next press does nothing.
    first->handleMouse(kOutside, false);
    second->handleMouse(kOutside, false);
    second->handleMouse({320.0f, 210.0f}, true);
    EXPECT_FALSE(second->isClicked());

    second->handleMouse({320.0f, 210.0f}, false);
    second->handleMouse({320.0f, 210.0f}, true);
    EXPECT_TRUE(second->isClicked());
}

TEST_F(ButtonsTest, APressStartedOutsideFiresWhenDraggedOntoAButtonWithTheLatchClear) {
    auto button = makeButton<StateButtonComponent>("GameState");
    button->handleMouse(kOutside, true);
    EXPECT_FALSE(button->isClicked());
    button->handleMouse({120.0f, 210.0f}, true);
    EXPECT_TRUE(button->isClicked());
}

TEST_F(ButtonsTest, HoverTintsTheFaceDarkerWhilePressedAndWhiteAgainOutside) {
    auto button = makeButton<StateButtonComponent>("GameState");
    const auto& face = *sprites.back();
    button->handleMouse({120.0f, 210.0f}, false);
    EXPECT_EQ(face.getColor(), sf::Color(180, 180, 180));
    EXPECT_EQ(face.getSprite().getColor(), sf::Color(180, 180, 180));
    button->handleMouse({120.0f, 210.0f}, true);
    EXPECT_EQ(face.getColor(), sf::Color(120, 120, 120));
    button->handleMouse(kOutside, true);
    EXPECT_EQ(face.getColor(), sf::Color::White);
    EXPECT_EQ(face.getSprite().getColor(), sf::Color::White);
}

TEST_F(ButtonsTest, ToggleSoundMutesFromAnyVolumeAndComesBackAtMenuVolume) {
    Game& game = Game::instance();
    auto toggle = makeButton<SettingsButtonComponent>("ToggleSound");
    for (float volume : {5.0f, 15.0f, 0.5f}) {
        game.getMusic().setVolume(volume);
        toggle->execute();
        EXPECT_EQ(game.getMusic().getVolume(), 0.0f);
        EXPECT_TRUE(game.isMuted());
        toggle->execute();
        EXPECT_FLOAT_EQ(game.getMusic().getVolume(), 5.0f);
        EXPECT_FALSE(game.isMuted());
    }
}

TEST_F(ButtonsTest, DeleteSaveEmptiesTheLeaderboardAndUnknownFunctionsDoNothing) {
    ScratchGameDir scratch;
    std::ofstream(scratch.leaderboard()) << "../assets/a.png,700\n../assets/b.png,650\n";
    makeButton<SettingsButtonComponent>("Explode")->execute();
    EXPECT_GT(std::filesystem::file_size(scratch.leaderboard()), 0u);

    auto deleteSave = makeButton<SettingsButtonComponent>("DeleteSave");
    deleteSave->handleMouse({120.0f, 210.0f}, true);
    EXPECT_EQ(std::filesystem::file_size(scratch.leaderboard()), 0u);
}

}  // namespace
