#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <array>

namespace sf {
class RenderTarget;
}

// At the start of a race each half of the screen names, at its foot, the keys its racer steers
// with now ("< J   L >"), for a few seconds, then fades out.
class KeyHints {
public:
    static constexpr float kShownSeconds = 5.0f;
    static constexpr float kFadeSeconds = 1.0f;

    // Reads the keys bound now; a missing font leaves the race without hints.
    void start();
    void update(float frameSeconds);
    // In the design view.
    void draw(sf::RenderTarget& target);

private:
    struct Hint {
        sf::RectangleShape backing;
        sf::Text text;
    };
    void setAlpha(float opacity);

    sf::Font m_font;
    bool m_hasFont = false;
    float m_age = kShownSeconds;
    std::array<Hint, 2> m_hints;
};
