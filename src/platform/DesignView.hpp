#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>
#include <optional>

namespace sf {
class RenderTarget;
}

// Every screen and map of the game is laid out on a 1920x1080 screen. A window of any other size
// shows that design scaled to fit, keeping its shape, centred between black bars; so the menus
// are whole on a laptop, fill a 4K monitor, and each racer sees the same part of the course
// everywhere. Views and viewports here are what SFML takes: viewports are fractions of the window.
class DesignView {
public:
    static constexpr float kWidth = 1920.0f;
    static constexpr float kHeight = 1080.0f;

    // The part of a window of windowSize that shows the design: all of it at 16:9, less the bars.
    static sf::FloatRect letterbox(sf::Vector2u windowSize);
    // Where `part` of the design screen (in fractions of it, e.g. its left half) is shown.
    static sf::FloatRect viewport(const sf::FloatRect& part, sf::Vector2u windowSize);
    // The whole design, shown in the letterbox. On a 1920x1080 window it is the default view.
    static sf::View view(sf::Vector2u windowSize);
    // The design point under the centre of a pixel of the target, or nothing when the pixel is in
    // a bar. A pixel's point lies in a rectangle exactly when drawing the rectangle fills that
    // pixel (with the left and top edges in and the right and bottom edges out).
    static std::optional<sf::Vector2f> pointAt(const sf::RenderTarget& target, sf::Vector2i pixel);
};
