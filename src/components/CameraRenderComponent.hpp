#pragma once

#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>

#include "objects/IRenderComponent.hpp"

// One player's half of the split screen: a view that follows the camera object, shown in the
// left half for the second player and in the right half for everyone else.
class CameraRenderComponent : public IRenderComponent {
public:
    // The view's centre becomes the point, in the camera object's own coordinates, that the
    // view stays centred on.
    CameraRenderComponent(std::shared_ptr<GameObject> gameObject, sf::RenderWindow& renderWindow,
                          sf::View view);

    bool init() override { return true; }
    void update(float frameSeconds) override;
    void draw() override {}

    // Selects this camera's half of the window and makes its view current.
    void applyViewport();

    const sf::View& getView() const { return m_view; }

private:
    sf::View m_view;
    sf::Vector2f m_offset;
};
