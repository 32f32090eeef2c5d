#include <gtest/gtest.h>

#include "components/CameraRenderComponent.hpp"
#include "components/PlayerRenderComponent.hpp"
#include "components/SpriteRenderComponent.hpp"
#include "components/TextRenderComponent.hpp"
#include "components/TransformCopyComponent.hpp"
#include "objects/GameObject.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestScene.hpp"
#include "support/TestWindow.hpp"

namespace {

class RenderComponentsTest : public ::testing::Test {
protected:
    TestWindow screen{64, 64};
    ScratchGameDir scratch;
    std::shared_ptr<GameObject> owner = std::make_shared<GameObject>("thing");
};

TEST_F(RenderComponentsTest, SpriteMasksExactlyItsMaskColourAndDrawsAtItsOwnersTransform) {
    sf::Image picture;
    picture.create(4, 1, sf::Color::Black);
    picture.setPixel(0, 0, sf::Color::Red);
    picture.setPixel(1, 0, sf::Color(254, 0, 0));
    const auto path = (scratch.root() / "strip.png").string();
    picture.saveToFile(path);

    SpriteRenderComponent sprite(screen.window(), sf::Color::Red, owner, path);
    ASSERT_TRUE(sprite.init());
    owner->setPosition(10.0f, 20.0f);
    owner->setScale(2.0f, 2.0f);
    screen.window().clear(sf::Color::Blue);
    sprite.draw();
    const sf::Image shot = screen.capture();

    EXPECT_EQ(shot.getPixel(10, 20), sf::Color::Blue) << "pure red is see-through";
    EXPECT_EQ(shot.getPixel(12, 20), sf::Color(254, 0, 0)) << "one step off red stays";
    EXPECT_EQ(shot.getPixel(14, 21), sf::Color::Black) << "black stays, scaled by two";
    EXPECT_EQ(shot.getPixel(18, 20), sf::Color::Blue);
}

// A camera follows its player's position only, its view centred below it by the view's own
// offset, turned and scaled with the camera; pointed at itself it stays where it is, which is how
// a finished player's camera stops. The halves are those of the design screen as the window
// shows it: on this square window, between bars above and below.
TEST_F(RenderComponentsTest, CamerasFollowTheirPlayersPositionAndOnlyTheSecondShowsOnTheLeft) {
    auto player = std::make_shared<GameObject>("Player1");
    auto cameraObject = std::make_shared<GameObject>("CameraOnPlayer1");
    const sf::View view({0.0f, 360.0f}, {1440.0f, 1620.0f});
    CameraRenderComponent lens(cameraObject, screen.window(), view);
    TransformCopyComponent follow(cameraObject, player);
    player->setRotation(90.0f);
    player->setScale(3.0f, 3.0f);
    player->setPosition(100.0f, 200.0f);
    follow.update(0.016f);
    lens.update(0.016f);
    EXPECT_EQ(lens.getView().getCenter(), sf::Vector2f(100.0f, 560.0f));
    EXPECT_EQ(screen.window().getView().getCenter(), sf::Vector2f(100.0f, 560.0f));
    cameraObject->setScale(2.0f, 2.0f);
    cameraObject->setRotation(90.0f);
    lens.update(0.016f);
    EXPECT_NEAR(lens.getView().getCenter().x, 100.0f - 720.0f, 1e-3f);
    EXPECT_NEAR(lens.getView().getCenter().y, 200.0f, 1e-3f);
    follow.setTarget(cameraObject);
    player->setPosition(500.0f, 900.0f);
    follow.update(0.016f);
    EXPECT_EQ(cameraObject->getPosition(), sf::Vector2f(100.0f, 200.0f));

    for (const char* id : {"CameraOnPlayer1", "CameraOnPlayer2", "CameraOnPlayer22", "Other"}) {
        CameraRenderComponent camera(std::make_shared<GameObject>(id), screen.window(), view);
        camera.applyViewport();
        const float left = std::string(id) == "CameraOnPlayer2" ? 0.0f : 0.5f;
        EXPECT_EQ(screen.window().getView().getViewport(),
                  sf::FloatRect(left, 0.21875f, 0.5f, 0.5625f))
            << id;
    }
}

// A 10 by 40 picture with a masked pixel: the player shows as many of its rows, from the top, as
// it has points left of 1000, and a missing picture draws nothing.
TEST_F(RenderComponentsTest, APlayerIsCutAtTheBottomByThePointsLeft) {
    sf::Image image;
    image.create(10, 40, sf::Color::Red);
    image.setPixel(1, 1, sf::Color::Black);
    ASSERT_TRUE(image.saveToFile("../assets/leaf.png"));
    TestScene scene;
    const auto player = scene.player("Player1", {0, 0}, {10, 40}, 1.0f);
    const auto render = std::make_shared<PlayerRenderComponent>(
        screen.window(), sf::Color::Black, player.object, "../assets/leaf.png");
    player.object->addComponent(render);
    ASSERT_TRUE(player.object->init());
    const auto drawnAt = [&](float points) {
        player.move->setPoints(points);
        screen.window().clear(sf::Color::Blue);
        render->draw();
        return screen.capture();
    };
    const sf::Image whole = drawnAt(1000.0f);
    EXPECT_EQ(whole.getPixel(5, 39), sf::Color::Red);
    EXPECT_EQ(whole.getPixel(1, 1), sf::Color::Blue) << "the mask colour is see-through";
    const sf::Image half = drawnAt(500.0f);
    EXPECT_EQ(half.getPixel(5, 19), sf::Color::Red);
    EXPECT_EQ(half.getPixel(5, 20), sf::Color::Blue);
    EXPECT_EQ(drawnAt(-50.0f).getPixel(5, 0), sf::Color::Blue) << "no rows, not rows upside down";
    EXPECT_EQ(drawnAt(2500.0f).getPixel(5, 45), sf::Color::Blue) << "no rows below the picture";
    player.move->setPoints(345.0f);
    EXPECT_EQ(render->visibleHeight(), 13) << "13.8 rows";

    PlayerRenderComponent missing(screen.window(), sf::Color::Black, player.object, "no.png");
    EXPECT_FALSE(missing.init());
    missing.draw();  // an empty sprite, and no crash
}

// A text is placed once, at its owner moved by its offset and raised by half its size; a size
// too large for the renderer is cut down to 512 with a line naming the object. A missing font is
// not a failure of the scene: the text is placed all the same.
TEST_F(RenderComponentsTest, TextIsPlacedOnceAboveItsOwnerAndATooLargeSizeIsCutDown) {
    struct Case {
        unsigned size, shown;
        float top;
    };
    for (const Case& c :
         {Case{31, 31, 190}, Case{512, 512, -51}, Case{513, 512, -51}, Case{100000, 512, -51}}) {
        owner->setPosition(100.0f, 200.0f);
        ErrCapture err;
        TextRenderComponent text(screen.window(), "../assets/no-font.ttf", c.size, sf::Color::Red,
                                 owner, {10.0f, 5.0f}, "Hi");
        EXPECT_TRUE(text.init()) << c.size;
        EXPECT_EQ(text.getRenderText().getCharacterSize(), c.shown) << c.size;
        EXPECT_EQ(err.hasLineWith({"thing", std::to_string(c.size)}), c.size > 512u) << c.size;
        owner->setPosition(0.0f, 0.0f);
        EXPECT_EQ(text.getRenderText().getPosition(), sf::Vector2f(110.0f, c.top)) << c.size;
    }
}

}  // namespace
