#include "components/PlayerRenderComponent.hpp"

#include <gtest/gtest.h>

#include <SFML/Graphics/Image.hpp>

#include "support/ScratchGameDir.hpp"
#include "support/TestScene.hpp"
#include "support/TestWindow.hpp"

namespace {

const sf::Color kBackground(0, 0, 255);

// A 100 by 400 red picture with a black (masked) pixel, drawn by a player at the top-left corner
// of a small window.
class PlayerRenderComponentTest : public ::testing::Test {
protected:
    void SetUp() override {
        sf::Image image;
        image.create(100, 400, sf::Color::Red);
        image.setPixel(10, 10, sf::Color::Black);
        ASSERT_TRUE(image.saveToFile("../assets/leaf.png"));
        player.object->addComponent(render);
        ASSERT_TRUE(player.object->init());
    }

    sf::Image drawnAt(float points) {
        player.move->setPoints(points);
        screen.window().clear(kBackground);
        render->draw();
        return screen.capture();
    }

    ScratchGameDir scratch;
    TestWindow screen{120, 420};
    TestScene scene;
    TestScene::Player player = scene.player("Player1", {0, 0}, {100, 400}, 1.0f);
    std::shared_ptr<PlayerRenderComponent> render = std::make_shared<PlayerRenderComponent>(
        screen.window(), sf::Color::Black, player.object, "../assets/leaf.png");
};

TEST_F(PlayerRenderComponentTest,
       ThePictureIsCutAtTheBottomByThePointsLeftAndAMissingOneDrawsNothing) {
    const sf::Image whole = drawnAt(1000.0f);
    EXPECT_EQ(whole.getPixel(50, 399), sf::Color::Red);
    EXPECT_EQ(whole.getPixel(10, 10), kBackground) << "the mask colour is see-through";
    const sf::Image half = drawnAt(500.0f);
    EXPECT_EQ(half.getPixel(50, 199), sf::Color::Red);
    EXPECT_EQ(half.getPixel(50, 200), kBackground);
    EXPECT_EQ(render->getSprite().getTextureRect(), sf::IntRect(0, 0, 100, 400));
    EXPECT_EQ(drawnAt(-50.0f).getPixel(50, 0), kBackground) << "no rows, not rows upside down";
    EXPECT_EQ(drawnAt(2500.0f).getPixel(50, 410), kBackground) << "no rows below the picture";
    player.move->setPoints(333.0f);
    EXPECT_EQ(render->visibleHeight(), 133);

    PlayerRenderComponent missing(screen.window(), sf::Color::Black, player.object, "no.png");
    EXPECT_FALSE(missing.init());
    missing.draw();  // an empty sprite, and no crash
}

}  // namespace
