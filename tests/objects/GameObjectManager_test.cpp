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

// Cameras are named after the player they follow; only the players themselves race. Tiled names
// no object by default, so a map's unnamed walls all share the id "": the last one registered is
// found by it, and every one of them counts and is released.
TEST(GameObjectManagerTest, ObjectsAreKeptByIdAndOnlyPlayersJoinTheRace) {
    GameObjectManager manager;
    const auto player = addNew(manager, "Player1");
    const auto camera = addNew(manager, "CameraOnPlayer1");
    const auto first = addNew(manager, "");
    const auto second = addNew(manager, "");
    manager.addGameObject(second);
    const auto third = addNew(manager, "");
    EXPECT_EQ(manager.getPlayers(), std::vector{player});
    EXPECT_EQ(manager.getGameObject(""), third);
    EXPECT_EQ(manager.getObjects(),
              (GameObjectManager::Objects{player, camera, first, second, third}));

    // A removed object lets go of its components; removing a shadowed one leaves the id's.
    manager.removeGameObject(first);
    EXPECT_TRUE(first->getComponentList().empty());
    EXPECT_EQ(manager.getGameObject(""), third);
    manager.removeGameObject(third);
    EXPECT_EQ(manager.getGameObjects().count(""), 0u);
    EXPECT_EQ(manager.getObjects(), (GameObjectManager::Objects{player, camera, second}));
    EXPECT_EQ(manager.getPlayers().size(), 1u);

    manager.clear();
    for (const auto& object : {player, camera, second}) {
        EXPECT_TRUE(object->getComponentList().empty()) << "clearing breaks the owner cycles";
    }
    EXPECT_TRUE(manager.getObjects().empty() && manager.getGameObjects().empty());
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
