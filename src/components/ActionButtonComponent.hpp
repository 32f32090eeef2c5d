#pragma once

#include <functional>

#include "components/BaseButtonComponent.hpp"

// A button made by the game rather than a map, that does what its maker hands it.
class ActionButtonComponent : public BaseButtonComponent {
public:
    using Action = std::function<void()>;

    ActionButtonComponent(std::shared_ptr<GameObject> gameObject, sf::Vector2f position, int width,
                          int height, std::shared_ptr<SpriteRenderComponent> spriteComponent,
                          Action action);

    bool init() override { return true; }

protected:
    void fire() override;

private:
    Action m_action;
};
