#include "core/GameObjectManager.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/IComponent.hpp"
#include "support/ErrCapture.hpp"

namespace {

using Log = std::vector<std::string>;

// Notes its name in a shared log when initialised and succeeds as it is told.
class NamedComponent : public IComponent {
public:
    NamedComponent(std::shared_ptr<GameObject> owner, std::string name, Log& log,
                   bool succeeds = true)
        : IComponent(std::move(owner)), m_name(std::move(name)), m_log(log), m_succeeds(succeeds) {}

    bool init() override {
        m_log.push_back(m_name);
        return m_succeeds;
    }
    void update(float) override {}
    const std::string& name() const { return m_name; }

private:
    std::string m_name;
    Log& m_log;
    bool m_succeeds;
};

class SpecialComponent : public NamedComponent {
public:
    using NamedComponent::NamedComponent;
};

// Components are initialised and found in the order they were added; a component is found by
// any class it derives from.
TEST(GameObjectTest, ComponentsInitInOrderAndAreFoundByAnyClassTheyDeriveFrom) {
    Log log;
    ErrCapture err;
    auto object = std::make_shared<GameObject>("Player1");
    EXPECT_TRUE(object->init()) << "nothing to initialise";
    object->addComponent(std::make_shared<NamedComponent>(object, "plain", log));
    EXPECT_EQ(object->getComponent<SpecialComponent>(), nullptr);
    EXPECT_TRUE(object->getComponents<SpecialComponent>().empty());
    object->addComponent(std::make_shared<SpecialComponent>(object, "first special", log, false));
    object->addComponent(std::make_shared<SpecialComponent>(object, "second special", log));
    EXPECT_EQ(object->getComponent<NamedComponent>()->name(), "plain");
    EXPECT_EQ(object->getComponent<SpecialComponent>()->name(), "first special");
    ASSERT_EQ(object->getComponents<SpecialComponent>().size(), 2u);
    EXPECT_EQ(object->getComponents<SpecialComponent>()[1]->name(), "second special");
    EXPECT_EQ(object->getComponents<IComponent>().size(), 3u);

    EXPECT_EQ(err.text(), "");
    EXPECT_FALSE(object->init()) << "the first special fails";
    EXPECT_EQ(log, (Log{"plain", "first special"})) << "init stops at the first failure";
    EXPECT_EQ(err.lineCount(), 1);
    EXPECT_TRUE(err.hasLineWith({"Player1"})) << err.text();

    // The components' back references keep their owner alive until they are cleared.
    const std::weak_ptr<GameObject> watched = object;
    const std::weak_ptr<IComponent> component = object->getComponent<IComponent>();
    object.reset();
    ASSERT_FALSE(watched.expired());
    watched.lock()->clearComponents();
    EXPECT_TRUE(watched.expired());
    EXPECT_TRUE(component.expired());
}

// Cameras are named after the player they follow; only the players themselves race. Tiled names
// no object by default, so a map's unnamed walls all share the id "": the last one registered is
// found by it, and every one of them counts and is released. An unknown id gives nothing.
TEST(GameObjectManagerTest, ObjectsAreKeptByIdAndOnlyPlayersJoinTheRace) {
    GameObjectManager manager;
    Log log;
    const auto addNew = [&](const std::string& id) {
        auto object = std::make_shared<GameObject>(id);
        object->addComponent(std::make_shared<NamedComponent>(object, id, log));
        manager.addGameObject(object);
        return object;
    };
    const auto player = addNew("Player1");
    manager.addGameObject(player);  // registered twice, it still races once
    const auto camera = addNew("CameraOnPlayer1");
    const auto first = addNew("");
    const auto second = addNew("");
    manager.addGameObject(second);
    const auto third = addNew("");
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
    ErrCapture err;
    EXPECT_EQ(manager.getGameObject("Player1"), nullptr);
    EXPECT_EQ(err.lineCount(), 1) << "an unknown id is reported once";
    EXPECT_TRUE(err.hasLineWith({"Player1"})) << err.text();
}

}  // namespace
