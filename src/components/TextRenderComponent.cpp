#include "components/TextRenderComponent.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Err.hpp>
#include <locale>

#include "objects/GameObject.hpp"

namespace {
constexpr unsigned kInitialCharacterSize = 30;
}

TextRenderComponent::TextRenderComponent(sf::RenderWindow& renderWindow,
                                         const std::string& fontPath, unsigned characterSize,
                                         sf::Color color, std::shared_ptr<GameObject> gameObject,
                                         sf::Vector2f offset, std::string text)
    : IRenderComponent(renderWindow, std::move(gameObject)),
      m_offset(offset),
      m_text(std::move(text)),
      m_color(color),
      m_characterSize(characterSize) {
    if (!m_font.loadFromFile(fontPath)) {
        sf::err() << "Could not load font\n";
    }
}

bool TextRenderComponent::init() {
    m_renderText = sf::Text(sf::String(m_text, std::locale()), m_font, kInitialCharacterSize);
    // The owner's position marks the text's vertical middle, roughly.
    const auto halfHeight = static_cast<float>(m_characterSize / 2);
    const sf::Vector2f owner = m_gameObject->getPosition();
    m_renderText.setPosition(owner.x + m_offset.x, owner.y - halfHeight + m_offset.y);
    m_renderText.setFillColor(m_color);
    m_renderText.setOutlineColor(m_color);
    m_renderText.setCharacterSize(m_characterSize);
    return true;
}

void TextRenderComponent::update(float /*frameSeconds*/) {}

void TextRenderComponent::draw() {
    m_renderWindow.draw(m_renderText);
}
