#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <array>

namespace sf {
class RenderTarget;
}

// Through a race each half of the screen names, at its foot, the keys its racer steers with
// ("< J   L >"): the keys in force, whatever the players chose.
class KeyHints {
public:
    // Reads the keys bound now; a missing font leaves the race without hints.
    void start();
    // In the design view.
    void draw(sf::RenderTarget& target);

private:
    struct Hint {
        sf::RectangleShape backing;
        sf::Text text;
    };

    sf::Font m_font;
    bool m_hasFont = false;
    std::array<Hint, 2> m_hints;
};
