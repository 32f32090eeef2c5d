#include <gtest/gtest.h>

#include <fstream>

#include "components/SettingsButtonComponent.hpp"
#include "components/SpriteRenderComponent.hpp"
#include "components/StateButtonComponent.hpp"
#include "core/Game.hpp"
#include "objects/GameObject.hpp"
#include "platform/InputManager.hpp"
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

// All buttons share one latch: a press fires at most one button once, and the next press counts
// only after the left button has been seen up over a button. The face is tinted while the
// pointer is over it, darker while pressed.
TEST_F(ButtonsTest, APressFiresOneButtonOnceUntilItIsReleasedOverAButton) {
    const std::shared_ptr<StateButtonComponent> buttons[] = {
        makeButton<StateButtonComponent>("GameState", 100.0f),
        makeButton<StateButtonComponent>("CreditsState", 300.0f)};
    struct Frame {
        int button;
        bool over, down, fires;
        const char* why;
    };
    const Frame frames[] = {
        {0, false, true, false, "a press outside every button"},
        {0, true, true, true, "dragged onto a button with the latch clear"},
        {0, true, true, false, "held over the next frame"},
        {0, true, false, false, "released over it, but not pressed again"},
        {0, true, true, true, "pressed again"},
        {1, true, true, false, "dragged onto another button, still held"},
        {1, false, false, false, "released away from every button"},
        {1, true, true, false, "so the latch stays for the next press"},
        {1, true, false, false, "released over a button"},
        {1, true, true, true, "a new press after that release"},
    };
    for (const auto& [index, over, down, fires, why] : frames) {
        // Over means on the top-left corner, which belongs to the button.
        buttons[index]->handleMouse(over ? sf::Vector2f(100.0f + 200.0f * index, 200.0f) : kOutside,
                                    down);
        EXPECT_EQ(buttons[index]->isClicked(), fires) << why;
        buttons[index]->setClicked(false);  // the screen acts on the click
        const sf::Color tint = !over  ? sf::Color::White
                               : down ? sf::Color(120, 120, 120)
                                      : sf::Color(180, 180, 180);
        EXPECT_EQ(sprites[index]->getColor(), tint) << why;
        EXPECT_EQ(sprites[index]->getSprite().getColor(), tint) << why;
    }
}

// Toggling the sound mutes from any volume and comes back at the menu's volume; deleting the save
// empties the leaderboard; a function the game does not know does nothing.
TEST_F(ButtonsTest, SettingsButtonsToggleTheSoundAndDeleteTheSave) {
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
    ScratchGameDir scratch;
    std::ofstream(scratch.leaderboard()) << "../assets/a.png,700\n";
    makeButton<SettingsButtonComponent>("Explode")->execute();
    EXPECT_GT(std::filesystem::file_size(scratch.leaderboard()), 0u);
    makeButton<SettingsButtonComponent>("DeleteSave")->handleMouse({120.0f, 210.0f}, true);
    EXPECT_EQ(std::filesystem::file_size(scratch.leaderboard()), 0u);
}

}  // namespace
