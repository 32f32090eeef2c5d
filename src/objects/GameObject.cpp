#include "objects/GameObject.hpp"

#include <SFML/System/Err.hpp>
#include <ostream>

GameObject::GameObject(std::string id) : m_id(std::move(id)) {}

void GameObject::addComponent(std::shared_ptr<IComponent> component) {
    m_components.push_back(std::move(component));
}

bool GameObject::init() {
    for (const auto& component : m_components) {
        if (!component->init()) {
            sf::err() << "Could not initialize component of object " << m_id << std::endl;
            return false;
        }
    }
    return true;
}
