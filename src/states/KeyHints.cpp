#include "states/KeyHints.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <cmath>

#include "components/FontLoader.hpp"
#include "core/GameState.hpp"
#include "objects/GameNames.hpp"
#include "platform/AssetFolder.hpp"
#include "platform/DesignView.hpp"
#include "platform/InputManager.hpp"
#include "platform/KeyPlaceholders.hpp"

namespace {

constexpr unsigned kSize = 32;
constexpr float kPadding = 12.0f;
constexpr float kFromBottom = 80.0f;
const sf::Color kInk(244, 234, 210);
const sf::Color kBacking(42, 36, 48, 160);

}  // namespace

void KeyHints::start() {
    if (!m_hasFont) {
        m_hasFont = FontLoader::load(AssetFolder::path(GameState::kFontFile), m_font);
    }
    const InputManager& input = InputManager::instance();
    for (std::size_t index = 0; index < m_hints.size(); ++index) {
        const int number = static_cast<int>(index) + 1;
        const std::string player = "{player" + std::to_string(number);
        Hint& hint = m_hints[index];
        hint.text = sf::Text(
            KeyPlaceholders::fill("< " + player + ".left}   " + player + ".right} >", input),
            m_font, kSize);
        // Each racer's half, as its camera shows it.
        const bool leftHalf =
            GameNames::isLeftHalfCamera(GameNames::cameraIdFor(GameNames::racerId(number)));
        const float middle = DesignView::kWidth * (leftHalf ? 0.25f : 0.75f);
        const sf::FloatRect ink = hint.text.getLocalBounds();
        const float left = std::round(middle - ink.width / 2.0f);
        const float top = DesignView::kHeight - kFromBottom;
        hint.text.setPosition(left - ink.left, top - ink.top);
        hint.backing.setSize({ink.width + 2 * kPadding, ink.height + 2 * kPadding});
        hint.backing.setPosition(left - kPadding, top - kPadding);
        hint.text.setFillColor(kInk);
        hint.backing.setFillColor(kBacking);
    }
}

void KeyHints::draw(sf::RenderTarget& target) {
    if (!m_hasFont) {
        return;
    }
    for (const Hint& hint : m_hints) {
        target.draw(hint.backing);
        target.draw(hint.text);
    }
}
