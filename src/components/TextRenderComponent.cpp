#include "components/TextRenderComponent.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Err.hpp>
#include <cmath>
#include <locale>
#include <ostream>

#include "components/FontLoader.hpp"
#include "objects/GameObject.hpp"
#include "platform/InputManager.hpp"
#include "platform/KeyPlaceholders.hpp"

namespace {

constexpr unsigned kInitialCharacterSize = 30;
// Each character size gets its own glyph page, a texture that must hold the largest glyph. At
// 512 a wide glyph is about 420 pixels and the page 1024 square, which every graphics card
// takes; at 8192 one text takes a 16384-square page, over a gigabyte and seconds to build, and
// larger sizes fail altogether. No label on a 1080-pixel screen needs more.
constexpr unsigned kLargestCharacterSize = 512;

unsigned boundedCharacterSize(unsigned requested, const GameObject& owner) {
    if (requested <= kLargestCharacterSize) {
        return requested;
    }
    sf::err() << "Font size " << requested << " of object " << owner.getId()
              << " is too large; drawn at " << kLargestCharacterSize << std::endl;
    return kLargestCharacterSize;
}

}  // namespace

TextRenderComponent::TextRenderComponent(sf::RenderWindow& renderWindow,
                                         const std::string& fontPath, unsigned characterSize,
                                         sf::Color color, std::shared_ptr<GameObject> gameObject,
                                         sf::Vector2f offset, std::string text)
    : IRenderComponent(renderWindow, std::move(gameObject)),
      m_offset(offset),
      m_text(std::move(text)),
      m_color(color),
      m_characterSize(boundedCharacterSize(characterSize, *m_gameObject)) {
    FontLoader::load(fontPath, m_font);
}

bool TextRenderComponent::init() {
    m_renderText = sf::Text(sf::String(m_text, std::locale()), m_font, kInitialCharacterSize);
    m_renderText.setFillColor(m_color);
    m_renderText.setOutlineColor(m_color);
    m_renderText.setCharacterSize(m_characterSize);
    setText(m_text);
    return true;
}

void TextRenderComponent::setText(std::string text) {
    m_text = std::move(text);
    m_namesKeys = KeyPlaceholders::hasAny(m_text);
    const InputManager& input = InputManager::instance();
    m_bindingsSeen = input.bindingsVersion();
    const std::string shown = m_namesKeys ? KeyPlaceholders::fill(m_text, input) : m_text;
    m_renderText.setString(sf::String(shown, std::locale()));
    place();
}

void TextRenderComponent::place() {
    // The owner's position marks the text's vertical middle, roughly.
    const auto halfHeight = static_cast<float>(m_characterSize / 2);
    const sf::Vector2f owner = m_gameObject->getPosition();
    float x = owner.x + m_offset.x;
    if (m_centreWidth > 0.0f) {
        const sf::FloatRect ink = m_renderText.getLocalBounds();
        x += (m_centreWidth - ink.width) / 2.0f - ink.left;
    }
    m_renderText.setPosition(std::round(x), owner.y - halfHeight + m_offset.y);
}

void TextRenderComponent::update(float /*frameSeconds*/) {
    if (m_namesKeys && InputManager::instance().bindingsVersion() != m_bindingsSeen) {
        setText(m_text);
    }
}

void TextRenderComponent::draw() {
    m_renderWindow.draw(m_renderText);
}
