#pragma once

#include <string>

#include "components/BaseButtonComponent.hpp"

// A button that leads to another screen. A click only raises a flag; the screen that owns the
// button asks for the switch and lowers the flag.
class StateButtonComponent : public BaseButtonComponent {
public:
    StateButtonComponent(std::shared_ptr<GameObject> gameObject, sf::Vector2f position, int width,
                         int height, std::shared_ptr<SpriteRenderComponent> spriteComponent,
                         std::string nextState);

    bool init() override { return true; }

    const std::string& getNextState() const { return m_nextState; }
    bool isClicked() const { return m_clicked; }
    void setClicked(bool clicked) { m_clicked = clicked; }

protected:
    void fire() override { m_clicked = true; }

private:
    std::string m_nextState;
    bool m_clicked = false;
};
