#pragma once

#include "objects/IComponent.hpp"

namespace sf {
class RenderWindow;
}

// A component that also puts pixels on the screen. It is drawn only through the layer its
// object belongs to.
class IRenderComponent : public IComponent {
public:
    IRenderComponent(sf::RenderWindow& renderWindow, std::shared_ptr<GameObject> gameObject);

    virtual void draw() = 0;
    IRenderComponent* asRenderComponent() override { return this; }

protected:
    sf::RenderWindow& m_renderWindow;
};
