#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>
#include <string>

#include "objects/IRenderComponent.hpp"

// One line of text placed relative to its object when the scene starts: menu labels, scores.
// The text stays where it was placed even if its object moves later.
class TextRenderComponent : public IRenderComponent {
public:
    // The font is loaded here; a missing font is reported and the text draws nothing visible.
    // A size beyond what the text renderer can take is reported and drawn at the largest one.
    TextRenderComponent(sf::RenderWindow& renderWindow, const std::string& fontPath,
                        unsigned characterSize, sf::Color color,
                        std::shared_ptr<GameObject> gameObject, sf::Vector2f offset,
                        std::string text);

    bool init() override;
    void update(float frameSeconds) override;
    void draw() override;

    const sf::Text& getRenderText() const { return m_renderText; }
    const std::string& getText() const { return m_text; }

private:
    sf::Vector2f m_offset;
    std::string m_text;
    sf::Font m_font;
    sf::Color m_color;
    sf::Text m_renderText;
    unsigned m_characterSize;
};
