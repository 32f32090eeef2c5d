#include "objects/GameObject.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/IComponent.hpp"
#include "support/ErrCapture.hpp"

namespace {

// Notes its name in a shared log when initialised and succeeds as it is told.
class NamedComponent : public IComponent {
public:
    NamedComponent(std::shared_ptr<GameObject> owner, std::string name, bool succeeds,
                   std::vector<std::string>& log)
        : IComponent(std::move(owner)), m_name(std::move(name)), m_succeeds(succeeds), m_log(log) {}

    bool init() override {
        m_log.push_back(m_name);
        return m_succeeds;
    }
    void update(float) override {}
    const std::string& name() const { return m_name; }

private:
    std::string m_name;
    bool m_succeeds;
    std::vector<std::string>& m_log;
};

class SpecialComponent : public NamedComponent {
public:
    using NamedComponent::NamedComponent;
};

class GameObjectTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (object) {
            object->clearComponents();
        }
    }

    template <typename Component = NamedComponent>
    void add(const std::string& name, bool succeeds = true) {
        object->addComponent(std::make_shared<Component>(object, name, succeeds, log));
    }

    std::vector<std::string> log;
    std::shared_ptr<GameObject> object = std::make_shared<GameObject>("Player1");
};

TEST_F(GameObjectTest, InitStopsAtTheFirstFailingComponentWithOneLineNamingTheObject) {
    ErrCapture err;
    EXPECT_TRUE(object->init()) << "nothing to initialise";
    EXPECT_EQ(err.text(), "");
    add("A");
    add("B", false);
    add("C");
    EXPECT_FALSE(object->init());
    EXPECT_EQ(log, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(err.lineCount(), 1);
    EXPECT_NE(err.text().find("object Player1\n"), std::string::npos) << err.text();
}

TEST_F(GameObjectTest, LookupByClassFindsDerivedComponentsInTheOrderTheyWereAdded) {
    add("plain");
    EXPECT_EQ(object->getComponent<SpecialComponent>(), nullptr);
    EXPECT_TRUE(object->getComponents<SpecialComponent>().empty());
    add<SpecialComponent>("first special");
    add<SpecialComponent>("second special");
    EXPECT_EQ(object->getComponent<NamedComponent>()->name(), "plain");
    EXPECT_EQ(object->getComponent<SpecialComponent>()->name(), "first special");
    const auto specials = object->getComponents<SpecialComponent>();
    ASSERT_EQ(specials.size(), 2u);
    EXPECT_EQ(specials[1]->name(), "second special");
    EXPECT_EQ(object->getComponents<IComponent>().size(), 3u);
}

TEST_F(GameObjectTest, ComponentsKeepTheirOwnerAliveUntilTheyAreCleared) {
    add("A");
    const std::weak_ptr<GameObject> watched = object;
    const std::weak_ptr<IComponent> component = object->getComponent<IComponent>();
    object.reset();
    ASSERT_FALSE(watched.expired()) << "the component's back reference keeps the object";
    watched.lock()->clearComponents();
    EXPECT_TRUE(watched.expired());
    EXPECT_TRUE(component.expired());
}

}  // namespace
