#pragma once

#include <SFML/Graphics/Transformable.hpp>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "objects/IComponent.hpp"

// Everything in a level or on a menu: a named transform with an ordered list of components.
// All behaviour lives in the components; they find each other by class.
class GameObject : public sf::Transformable {
public:
    explicit GameObject(std::string id);

    void addComponent(std::shared_ptr<IComponent> component);

    // Initialises the components in order and stops at the first that fails, with one error line.
    bool init();

    // The first component that is a T (or derives from T), in the order they were added.
    template <typename T>
    std::shared_ptr<T> getComponent() const {
        for (const auto& component : m_components) {
            if (auto found = std::dynamic_pointer_cast<T>(component)) {
                return found;
            }
        }
        return nullptr;
    }

    // Every component that is a T, in the order they were added.
    template <typename T>
    std::vector<std::shared_ptr<T>> getComponents() const {
        std::vector<std::shared_ptr<T>> found;
        for (const auto& component : m_components) {
            if (auto match = std::dynamic_pointer_cast<T>(component)) {
                found.push_back(std::move(match));
            }
        }
        return found;
    }

    const std::list<std::shared_ptr<IComponent>>& getComponentList() const { return m_components; }
    // Drops the components and with them their references back to this object.
    void clearComponents() { m_components.clear(); }

    const std::string& getId() const { return m_id; }
    const std::string& getType() const { return m_type; }
    void setType(std::string type) { m_type = std::move(type); }
    bool isMarkedForRemoval() const { return m_markedForRemoval; }
    void setMarkedForRemoval(bool marked) { m_markedForRemoval = marked; }
    bool isScoreRecorded() const { return m_scoreRecorded; }
    void setScoreRecorded(bool recorded) { m_scoreRecorded = recorded; }

private:
    std::string m_id;
    bool m_markedForRemoval = false;
    std::list<std::shared_ptr<IComponent>> m_components;
    std::string m_type;
    bool m_scoreRecorded = false;
};
