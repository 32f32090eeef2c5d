#include "components/TrailComponent.hpp"

#include <gtest/gtest.h>

#include "components/PlayerMoveComponent.hpp"
#include "objects/GameObject.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

namespace {

class TrailTest : public ::testing::Test {
protected:
    void SetUp() override {
        move = std::make_shared<PlayerMoveComponent>(player, 0);
        player->addComponent(move);
        stampPath = writeSolidPng(scratch.root() / "stamp.png", 2, 2, sf::Color::Green);
    }
    void TearDown() override { player->clearComponents(); }

    TestWindow screen{64, 64};
    ScratchGameDir scratch;
    std::shared_ptr<GameObject> player = std::make_shared<GameObject>("Player1");
    std::shared_ptr<PlayerMoveComponent> move;
    std::string stampPath;
};

TEST_F(TrailTest, RecordsFifteenTimesASecondAtMostOncePerFrame) {
    TrailComponent trail(screen.window(), player, stampPath);
    ASSERT_TRUE(trail.init());
    trail.update(0.05f);
    EXPECT_EQ(trail.getRecordCount(), 0u) << "0.05 s is not yet a fifteenth";
    trail.update(0.05f);
    EXPECT_EQ(trail.getRecordCount(), 1u);
    EXPECT_NEAR(trail.getSampleTime(), 0.1f - 1.0f / 15.0f, 1e-6f);
    trail.update(0.05f);
    EXPECT_EQ(trail.getRecordCount(), 2u);
}

TEST_F(TrailTest, ALongFrameRecordsOnceAndSpendsTheSurplusOneFrameAtATime) {
    TrailComponent trail(screen.window(), player, stampPath);
    ASSERT_TRUE(trail.init());
    trail.update(1.0f);
    EXPECT_EQ(trail.getRecordCount(), 1u);
    for (int frame = 0; frame < 5; ++frame) {
        trail.update(0.0f);
    }
    EXPECT_EQ(trail.getRecordCount(), 6u);
}

TEST_F(TrailTest, KeepsTheLatest301RecordsOldestFirst) {
    TrailComponent trail(screen.window(), player, stampPath);
    ASSERT_TRUE(trail.init());
    for (int record = 0; record < 400; ++record) {
        player->setPosition(0.0f, static_cast<float>(record));
        trail.update(0.1f);
    }
    ASSERT_EQ(trail.getRecordCount(), 301u);
    for (std::size_t i = 0; i < 301; i += 50) {
        EXPECT_EQ(trail.getRecord(i).transformPoint(0.0f, 0.0f),
                  sf::Vector2f(0.0f, 99.0f + static_cast<float>(i)));
    }
    EXPECT_EQ(trail.getRecord(300).transformPoint(0.0f, 0.0f), sf::Vector2f(0.0f, 399.0f));
}

TEST_F(TrailTest, StampsSitBelowEachRecordByTheCurrentColliderOffset) {
    TrailComponent trail(screen.window(), player, stampPath);
    ASSERT_TRUE(trail.init());
    player->setPosition(10.0f, 5.0f);
    player->setRotation(90.0f);
    trail.update(0.1f);
    move->setPoints(500.0f);
    const sf::Transform stamp = trail.stampTransform(trail.getRecord(0));
    const sf::Vector2f origin = stamp.transformPoint(0.0f, 0.0f);
    EXPECT_NEAR(origin.x, 10.0f - 100.0f, 1e-3f) << "100 down in the record's own frame";
    EXPECT_NEAR(origin.y, 5.0f, 1e-3f);
}

TEST_F(TrailTest, DrawsEveryStampAndAMissingPictureIsReported) {
    TrailComponent trail(screen.window(), player, stampPath);
    ASSERT_TRUE(trail.init());
    move->setPoints(100.0f);  // stamps 20 below the records
    player->setPosition(4.0f, 0.0f);
    trail.update(0.1f);
    player->setPosition(30.0f, 10.0f);
    trail.update(0.1f);
    screen.window().clear(sf::Color::Black);
    trail.draw();
    const sf::Image shot = screen.capture();
    EXPECT_EQ(shot.getPixel(4, 20), sf::Color::Green);
    EXPECT_EQ(shot.getPixel(30, 30), sf::Color::Green);
    EXPECT_EQ(shot.getPixel(4, 0), sf::Color::Black);

    ErrCapture err;
    TrailComponent broken(screen.window(), player, "../assets/none.png");
    EXPECT_FALSE(broken.init());
    EXPECT_NE(err.text().find("Could not load texture from ../assets/none.png\n"),
              std::string::npos);
}

// Turned, scaled, overlapping, half see-through stamps with a texture of many colours: one draw
// of all of them must give the picture of one sprite per stamp, oldest first.
TEST_F(TrailTest, OneDrawGivesThePictureOfOneSpritePerStamp) {
    sf::Image picture;
    picture.create(7, 5);
    for (unsigned y = 0; y < 5; ++y) {
        for (unsigned x = 0; x < 7; ++x) {
            picture.setPixel(
                x, y,
                sf::Color(static_cast<sf::Uint8>(x * 36), static_cast<sf::Uint8>(y * 60), 90,
                          static_cast<sf::Uint8>(120 + x * 19)));
        }
    }
    const std::string path = (scratch.root() / "striped.png").string();
    ASSERT_TRUE(picture.saveToFile(path));
    TrailComponent trail(screen.window(), player, path);
    ASSERT_TRUE(trail.init());
    move->setPoints(37.3f);
    for (int record = 0; record < 40; ++record) {
        player->setPosition(3.7f + 1.3f * static_cast<float>(record),
                            2.1f + 0.9f * static_cast<float>(record));
        player->setRotation(11.f * static_cast<float>(record));
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
    const sf::Image actual = screen.capture();
    int differing = 0, stamped = 0;
    for (unsigned y = 0; y < 64; ++y) {
        for (unsigned x = 0; x < 64; ++x) {
            differing += expected.getPixel(x, y) != actual.getPixel(x, y) ? 1 : 0;
            stamped += expected.getPixel(x, y) != sf::Color::Black ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(stamped, 200);
}

}  // namespace
