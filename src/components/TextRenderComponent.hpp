#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>
#include <string>

#include "objects/IRenderComponent.hpp"

// One line of text placed relative to its object when the scene starts: menu labels, scores.
// The text stays where it was placed even if its object moves later. Key placeholders in it
// ("{player1.left}", see KeyPlaceholders) show the keys bound now, and follow a rebinding.
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
    // Shows another text from now on (placeholders and all).
    void setText(std::string text);
    // Centres the text on a strip this wide that starts where the text would (for texts whose
    // words change: key names, messages); until then the text starts there.
    void centreIn(float width) { m_centreWidth = width; }

private:
    void place();

    sf::Vector2f m_offset;
    std::string m_text;
    sf::Font m_font;
    sf::Color m_color;
    sf::Text m_renderText;
    unsigned m_characterSize;
    float m_centreWidth = 0.0f;
    bool m_namesKeys = false;
    unsigned m_bindingsSeen = 0;
};
