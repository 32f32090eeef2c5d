#include "components/TrailComponent.hpp"

#include <gtest/gtest.h>

#include "objects/GameObject.hpp"
#include "physics/PlayerMoveComponent.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

namespace {

class TrailTest : public ::testing::Test {
protected:
    void SetUp() override {
        move = std::make_shared<PlayerMoveComponent>(player, 0);
        player->addComponent(move);
    }
    void TearDown() override { player->clearComponents(); }

    TrailComponent& trailOf(const sf::Image& picture) {
        const std::string path = (scratch.root() / "stamp.png").string();
        EXPECT_TRUE(picture.saveToFile(path));
        trail = std::make_unique<TrailComponent>(screen.window(), player, path);
        EXPECT_TRUE(trail->init());
        return *trail;
    }
    TrailComponent& greenTrail() {
        sf::Image green;
        green.create(2, 2, sf::Color::Green);
        return trailOf(green);
    }

    TestWindow screen{64, 64};
    ScratchGameDir scratch;
    std::shared_ptr<GameObject> player = std::make_shared<GameObject>("Player1");
    std::shared_ptr<PlayerMoveComponent> move;
    std::unique_ptr<TrailComponent> trail;
};

// Fifteen times a second at most, once per frame: a long frame records once and spends the
// surplus one frame at a time. Only the latest 301 records are kept, oldest first.
TEST_F(TrailTest, RecordsFifteenTimesASecondAtMostOncePerFrameAndKeepsTheLatest301) {
    TrailComponent& trail = greenTrail();
    const struct {
        float frame;
        std::size_t records;
    } steps[] = {{0.05f, 0}, {0.05f, 1}, {0.05f, 2}, {1.0f, 3}, {0.f, 4}, {0.f, 5}, {0.f, 6}};
    for (const auto& step : steps) {
        trail.update(step.frame);
        EXPECT_EQ(trail.getRecordCount(), step.records) << step.frame;
        if (step.records == 1) {
            EXPECT_NEAR(trail.getSampleTime(), 0.1f - 1.0f / 15.0f, 1e-6f);
        }
    }
    for (int record = 0; record < 400; ++record) {
        player->setPosition(0.0f, static_cast<float>(record));
        trail.update(0.1f);
    }
    ASSERT_EQ(trail.getRecordCount(), 301u);
    for (std::size_t i = 0; i <= 300; i += 50) {
        EXPECT_EQ(trail.getRecord(i).transformPoint(0.0f, 0.0f),
                  sf::Vector2f(0.0f, 99.0f + static_cast<float>(i)));
    }
}

// A stamp sits below its record, in the record's own frame, by the collider offset the player
// has now, not the one it had when recorded.
TEST_F(TrailTest, EachStampSitsBelowItsRecordAndAMissingPictureIsReported) {
    TrailComponent& trail = greenTrail();
    player->setPosition(10.0f, 5.0f);
    player->setRotation(90.0f);
    trail.update(0.1f);
    move->setPoints(100.0f);  // 20 below
    const sf::Vector2f turned = trail.stampTransform(trail.getRecord(0)).transformPoint(0.f, 0.f);
    EXPECT_NEAR(turned.x, 10.0f - 20.0f, 1e-3f);
    EXPECT_NEAR(turned.y, 5.0f, 1e-3f);

    ErrCapture err;
    TrailComponent broken(screen.window(), player, "../assets/none.png");
    EXPECT_FALSE(broken.init());
    EXPECT_TRUE(err.hasLineWith({"Could not load texture from ../assets/none.png"})) << err.text();
}

// Turned, scaled, overlapping, half see-through stamps with a texture of many colours: one draw
// of all of them must give the picture of one sprite per stamp, oldest first.
TEST_F(TrailTest, OneDrawGivesThePictureOfOneSpritePerStamp) {
    const sf::Image picture = patternImage(7, 5, 1);
    TrailComponent& trail = trailOf(picture);
    move->setPoints(37.3f);
    for (int record = 0; record < 40; ++record) {
        const auto step = static_cast<float>(record);
        player->setPosition(3.7f + 1.3f * step, 2.1f + 0.9f * step);
        player->setRotation(11.f * step);
        player->setScale(0.6f + 0.05f * static_cast<float>(record % 9), 1.4f);
        trail.update(0.1f);
    }
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(picture));
    const sf::Sprite stamp(texture);
    screen.window().clear(sf::Color::Black);
    for (std::size_t i = 0; i < trail.getRecordCount(); ++i) {
        screen.window().draw(stamp, trail.stampTransform(trail.getRecord(i)));
    }
    const sf::Image expected = screen.capture();
    screen.window().clear(sf::Color::Black);
    trail.draw();
    const PictureDiff diff = comparePictures(expected, screen.capture(), sf::Color::Black);
    EXPECT_EQ(diff.differing, 0);
    EXPECT_GT(diff.drawn, 200);
}

}  // namespace
