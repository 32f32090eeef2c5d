#include "components/TransformCopyComponent.hpp"

#include <gtest/gtest.h>

#include "objects/GameObject.hpp"

namespace {

// A camera follows its player's position only; pointed at itself it stays where it is, which is
// how a finished player's camera stops.
TEST(TransformCopyComponentTest, FollowsTheTargetsPositionOnlyAndFreezesOnItself) {
    auto target = std::make_shared<GameObject>("Player1");
    auto camera = std::make_shared<GameObject>("CameraOnPlayer1");
    camera->setRotation(30.0f);
    camera->setScale(2.0f, 2.0f);
    target->setRotation(90.0f);
    auto follow = std::make_shared<TransformCopyComponent>(camera, target);

    target->setPosition(-10.5f, 7.0f);
    follow->update(0.016f);
    EXPECT_EQ(camera->getPosition(), sf::Vector2f(-10.5f, 7.0f));
    EXPECT_FLOAT_EQ(camera->getRotation(), 30.0f);
    EXPECT_EQ(camera->getScale(), sf::Vector2f(2.0f, 2.0f));

    follow->setTarget(camera);
    target->setPosition(500.0f, 900.0f);
    follow->update(0.016f);
    EXPECT_EQ(camera->getPosition(), sf::Vector2f(-10.5f, 7.0f));
}

}  // namespace
