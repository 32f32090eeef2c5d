#include "components/MenuNavigator.hpp"

#include <gtest/gtest.h>
#include <SFML/Window/Keyboard.hpp>

#include "components/SpriteRenderComponent.hpp"
#include "components/StateButtonComponent.hpp"
#include "objects/GameObject.hpp"
#include "platform/ActionNames.hpp"
#include "platform/InputManager.hpp"
#include "support/TestWindow.hpp"

namespace {

class MenuNavigatorTest : public ::testing::Test {
protected:
    std::shared_ptr<StateButtonComponent> button(const std::string& name, float left, float top) {
        auto owner = std::make_shared<GameObject>(name);
        m_owners.push_back(owner);
        auto face = std::make_shared<SpriteRenderComponent>(m_screen.window(), sf::Color::Black,
                                                            owner, "unused.png");
        return std::make_shared<StateButtonComponent>(owner, sf::Vector2f(left, top), 100, 40, face,
                                                      name);
    }
    std::string highlightedName() const {
        const auto lit = m_menu.highlighted();
        return lit ? std::static_pointer_cast<StateButtonComponent>(lit)->getNextState() : "";
    }
    void pressKey(sf::Keyboard::Key key) {
        InputManager& input = InputManager::instance();
        input.setKeyState(key, true);
        input.advanceFrame();
        m_menu.update();
        input.setKeyState(key, false);
        input.advanceFrame();
    }
    ~MenuNavigatorTest() override {
        for (const auto& owner : m_owners) {
            owner->clearComponents();
        }
    }

    TestWindow m_screen{32, 32};
    std::vector<std::shared_ptr<GameObject>> m_owners;
    MenuNavigator m_menu;
};

// Two buttons side by side whose tops differ a little are one row, read from the left.
TEST_F(MenuNavigatorTest, TheHighlightWalksInReadingOrderAndWrapsRound) {
    const auto topRight = button("topRight", 500, 100);
    const auto topLeft = button("topLeft", 100, 110);
    const auto below = button("below", 300, 300);
    const auto bottomLeft = button("bottomLeft", 50, 301);
    m_menu.setButtons({below, topRight, bottomLeft, topLeft});
    EXPECT_EQ(highlightedName(), "") << "nothing lit until a menu key is used";
    std::vector<std::string> seen;
    for (int step = 0; step < 5; ++step) {
        m_menu.move(1);
        seen.push_back(highlightedName());
    }
    EXPECT_EQ(seen,
              (std::vector<std::string>{"topLeft", "topRight", "bottomLeft", "below", "topLeft"}));
    m_menu.move(-1);
    EXPECT_EQ(highlightedName(), "below");
    EXPECT_TRUE(below->isHighlighted());
    EXPECT_FALSE(topLeft->isHighlighted()) << "one lit button at a time";
}

TEST_F(MenuNavigatorTest, KeysPressTheLitButtonOrTheWayBackAndThePointerTakesTheHighlight) {
    // The game's own bindings, so that later tests find nothing changed.
    InputManager& input = InputManager::instance();
    input.bind(0, ActionNames::kMenuDown, sf::Keyboard::Down);
    input.bind(0, ActionNames::kMenuPress, sf::Keyboard::Enter);
    input.bind(0, ActionNames::kMenuBack, sf::Keyboard::Escape);
    const auto play = button("play", 100, 100);
    const auto quit = button("quit", 100, 200);
    const auto back = button("back", 100, 300);
    m_menu.setButtons({play, quit, back}, back);

    quit->handleMouse(sf::Vector2f(150, 220), false);
    m_menu.update();
    EXPECT_EQ(highlightedName(), "") << "the mouse alone lights buttons as it always did";
    pressKey(sf::Keyboard::Enter);
    EXPECT_EQ(highlightedName(), "play") << "the first Enter only shows where the highlight is";
    EXPECT_FALSE(play->isClicked());
    m_menu.update();
    EXPECT_EQ(highlightedName(), "quit") << "a shown highlight follows the pointer";
    quit->handleMouse(sf::Vector2f(0, 0), false);
    pressKey(sf::Keyboard::Down);
    pressKey(sf::Keyboard::Enter);
    EXPECT_TRUE(back->isClicked());
    EXPECT_FALSE(quit->isClicked());
    back->setClicked(false);
    pressKey(sf::Keyboard::Down);
    pressKey(sf::Keyboard::Escape);
    EXPECT_EQ(highlightedName(), "play");
    EXPECT_TRUE(back->isClicked()) << "Escape presses the way back wherever the highlight is";
}

}  // namespace
