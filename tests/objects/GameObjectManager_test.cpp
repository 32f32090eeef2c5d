#include "objects/GameObjectManager.hpp"

#include <gtest/gtest.h>

#include "objects/IComponent.hpp"
#include "support/ErrCapture.hpp"

namespace {

class IdleComponent : public IComponent {
public:
    using IComponent::IComponent;
    bool init() override { return true; }
    void update(float) override {}
};

std::shared_ptr<GameObject> addNew(GameObjectManager& manager, const std::string& id) {
    auto object = std::make_shared<GameObject>(id);
    object->addComponent(std::make_shared<IdleComponent>(object));
    manager.addGameObject(object);
    return object;
}

// Cameras are named after the player they follow; only the players themselves race.
TEST(GameObjectManagerTest, ObjectsAreKeptByIdAndOnlyPlayersJoinTheRace) {
    GameObjectManager manager;
    const auto player = addNew(manager, "Player1");
    const auto camera = addNew(manager, "CameraOnPlayer1");
    const auto firstWall = addNew(manager, "Wall");
    const auto wall = addNew(manager, "Wall");
    EXPECT_EQ(manager.getPlayers(), std::vector{player});
    EXPECT_EQ(manager.getGameObjects().size(), 3u);
    EXPECT_EQ(manager.getGameObject("Wall"), wall) << "the later of two with one id wins";

    manager.removeGameObject(wall);
    EXPECT_EQ(manager.getGameObjects().count("Wall"), 0u);
    EXPECT_EQ(manager.getPlayers().size(), 1u);
    wall->clearComponents();
    firstWall->clearComponents();

    manager.clear();
    EXPECT_TRUE(player->getComponentList().empty()) << "clearing breaks the owner cycles";
    EXPECT_TRUE(camera->getComponentList().empty());
    EXPECT_TRUE(manager.getGameObjects().empty());
    EXPECT_TRUE(manager.getPlayers().empty());
}

TEST(GameObjectManagerTest, AnUnknownIdGivesNothingAndOneLineNamingIt) {
    GameObjectManager manager;
    ErrCapture err;
    EXPECT_EQ(manager.getGameObject("Ghost"), nullptr);
    EXPECT_EQ(err.lineCount(), 1);
    EXPECT_NE(err.text().find(" Line: "), std::string::npos) << err.text();
    EXPECT_NE(err.text().find("m_id Ghost\n"), std::string::npos) << err.text();
}

}  // namespace
