#include "objects/GameObject.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/IComponent.hpp"
#include "support/ErrCapture.hpp"

namespace {

class NamedComponent : public IComponent {
public:
    NamedComponent(std::shared_ptr<GameObject> owner, std::string name, bool succeeds,
                   std::vector<std::string>* initLog = nullptr)
        : IComponent(std::move(owner)),
          m_name(std::move(name)),
          m_succeeds(succeeds),
          m_initLog(initLog) {}

    bool init() override {
        if (m_initLog != nullptr) {
            m_initLog->push_back(m_name);
        }
        return m_succeeds;
    }
    void update(float) override {}
    const std::string& name() const { return m_name; }

private:
    std::string m_name;
    bool m_succeeds;
    std::vector<std::string>* m_initLog;
};

class SpecialComponent : public NamedComponent {
public:
    using NamedComponent::NamedComponent;
};

TEST(GameObjectTest, AnObjectWithoutComponentsInitialisesSilently) {
    ErrCapture err;
    auto object = std::make_shared<GameObject>("empty");
    EXPECT_TRUE(object->init());
    EXPECT_EQ(err.text(), "");
}

TEST(GameObjectTest, InitStopsAtTheFirstFailingComponentWithOneLineNamingTheObject) {
    ErrCapture err;
    std::vector<std::string> initialised;
    auto object = std::make_shared<GameObject>("Player1");
    object->addComponent(std::make_shared<NamedComponent>(object, "A", true, &initialised));
    object->addComponent(std::make_shared<NamedComponent>(object, "B", false, &initialised));
    object->addComponent(std::make_shared<NamedComponent>(object, "C", true, &initialised));

    EXPECT_FALSE(object->init());
    EXPECT_EQ(initialised, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(err.text(), "Could not initialize component of object Player1\n");
    object->clearComponents();
}

TEST(GameObjectTest, LookupByBaseClassFindsDerivedComponentsInInsertionOrder) {
    auto object = std::make_shared<GameObject>("thing");
    object->addComponent(std::make_shared<NamedComponent>(object, "plain", true));
    object->addComponent(std::make_shared<SpecialComponent>(object, "first special", true));
    object->addComponent(std::make_shared<SpecialComponent>(object, "second special", true));

    EXPECT_EQ(object->getComponent<NamedComponent>()->name(), "plain");
    EXPECT_EQ(object->getComponent<SpecialComponent>()->name(), "first special");
    EXPECT_NE(object->getComponent<IComponent>(), nullptr);

    const auto specials = object->getComponents<SpecialComponent>();
    ASSERT_EQ(specials.size(), 2u);
    EXPECT_EQ(specials[0]->name(), "first special");
    EXPECT_EQ(specials[1]->name(), "second special");
    EXPECT_EQ(object->getComponents<NamedComponent>().size(), 3u);
    object->clearComponents();
}

TEST(GameObjectTest, LookupOfAMissingClassGivesNothing) {
    auto object = std::make_shared<GameObject>("thing");
    object->addComponent(std::make_shared<NamedComponent>(object, "plain", true));
    EXPECT_EQ(object->getComponent<SpecialComponent>(), nullptr);
    EXPECT_TRUE(object->getComponents<SpecialComponent>().empty());
    object->clearComponents();
}

TEST(GameObjectTest, ComponentsKeepTheirOwnerAliveUntilTheyAreCleared) {
    std::weak_ptr<GameObject> watched;
    std::weak_ptr<IComponent> component;
    {
        auto object = std::make_shared<GameObject>("kept");
        auto named = std::make_shared<NamedComponent>(object, "A", true);
        object->addComponent(named);
        watched = object;
        component = named;
    }
    ASSERT_FALSE(watched.expired()) << "the component's back reference keeps the object";
    watched.lock()->clearComponents();
    EXPECT_TRUE(watched.expired());
    EXPECT_TRUE(component.expired());
}

}  // namespace
