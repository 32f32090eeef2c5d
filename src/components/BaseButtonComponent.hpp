#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/System/Vector2.hpp>
#include <memory>
#include <optional>

#include "objects/IComponent.hpp"

class SpriteRenderComponent;

// A clickable rectangle over a button's picture. The picture is tinted while the pointer is
// over it (darker while the left button is held), and a press fires the button once: all
// buttons share one latch, so a press fires at most one button, and the next click counts only
// after the left button has been seen up over a button. A button chosen with the keys or a pad
// (highlighted) is tinted as if the pointer were over it, and can be pressed without the mouse.
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

    // Fires the button as a click would, with the click's sound.
    void press();
    // Chosen from the keyboard or a pad: drawn lit even without the pointer over it.
    void setHighlighted(bool highlighted) { m_highlighted = highlighted; }
    bool isHighlighted() const { return m_highlighted; }
    // The pointer was over the button in the last mouse update.
    bool isHovered() const { return m_hovered; }
    // Where the button is on the design screen.
    sf::FloatRect getBounds() const { return {m_position, m_bottomRight - m_position}; }

protected:
    virtual void fire() = 0;

private:
    sf::Vector2f m_position;
    std::shared_ptr<sf::RectangleShape> m_shape;
    sf::Vector2f m_bottomRight;
    std::shared_ptr<SpriteRenderComponent> m_spriteComponent;
    bool m_highlighted = false;
    bool m_hovered = false;
};
