#include "objects/GameObject.hpp"

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
    EXPECT_NE(err.text().find("object Player1\n"), std::string::npos) << err.text();

    // The components' back references keep their owner alive until they are cleared.
    const std::weak_ptr<GameObject> watched = object;
    const std::weak_ptr<IComponent> component = object->getComponent<IComponent>();
    object.reset();
    ASSERT_FALSE(watched.expired());
    watched.lock()->clearComponents();
    EXPECT_TRUE(watched.expired());
    EXPECT_TRUE(component.expired());
}

}  // namespace
