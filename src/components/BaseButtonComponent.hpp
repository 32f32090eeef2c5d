#pragma once

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/System/Vector2.hpp>
#include <memory>
#include <optional>

#include "objects/IComponent.hpp"

class SpriteRenderComponent;

// A clickable rectangle over a button's picture. The picture is tinted while the pointer is
// over it (darker while the left button is held), and a press fires the button once: all
// buttons share one latch, so a press fires at most one button, and the next click counts only
// after the left button has been seen up over a button.
class BaseButtonComponent : public IComponent {
public:
    static const sf::Color kHoverTint;
    static const sf::Color kPressTint;

    BaseButtonComponent(std::shared_ptr<GameObject> gameObject, sf::Vector2f position, int width,
                        int height, std::shared_ptr<SpriteRenderComponent> spriteComponent);

    // Reads the real mouse, relative to the game window, and handles it.
    void update(float frameSeconds) override;
    // One frame's mouse state: the pointer on the design screen (buttons are laid out there),
    // nothing when it is over a bar or off the window.
    void handleMouse(std::optional<sf::Vector2f> position, bool leftButtonDown);
    void handleMouse(sf::Vector2f position, bool leftButtonDown) {
        handleMouse(std::optional<sf::Vector2f>(position), leftButtonDown);
    }
    void updateHover(bool over, bool leftButtonDown);
    // The left and top edges are in, the right and bottom edges out, as in drawing: a pixel of the
    // window is over the button exactly when the button's rectangle fills it.
    bool contains(float x, float y) const;

protected:
    virtual void fire() = 0;

private:
    sf::Vector2f m_position;
    std::shared_ptr<sf::RectangleShape> m_shape;
    sf::Vector2f m_bottomRight;
    std::shared_ptr<SpriteRenderComponent> m_spriteComponent;
};
