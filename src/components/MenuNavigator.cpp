#include "components/MenuNavigator.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <algorithm>

#include "platform/ActionNames.hpp"
#include "platform/InputManager.hpp"

namespace {

const sf::Color kOutlineColour(255, 214, 64, 255);
constexpr float kOutlineThickness = 6.0f;

}  // namespace

void MenuNavigator::setButtons(Buttons buttons, const std::shared_ptr<BaseButtonComponent>& back) {
    sortIntoReadingOrder(buttons);
    select(-1);
    m_buttons.assign(buttons.begin(), buttons.end());
    m_back = back;
    m_selected = -1;
}

void MenuNavigator::sortIntoReadingOrder(Buttons& buttons) {
    const auto top = [](const auto& button) { return button->getBounds().top; };
    const auto left = [](const auto& button) { return button->getBounds().left; };
    std::stable_sort(buttons.begin(), buttons.end(),
                     [&](const auto& a, const auto& b) { return top(a) < top(b); });
    auto rowStart = buttons.begin();
    while (rowStart != buttons.end()) {
        const sf::FloatRect first = (*rowStart)->getBounds();
        const float middle = first.top + first.height / 2.0f;
        const auto rowEnd = std::find_if(rowStart, buttons.end(),
                                         [&](const auto& button) { return top(button) >= middle; });
        std::stable_sort(rowStart, rowEnd,
                         [&](const auto& a, const auto& b) { return left(a) < left(b); });
        rowStart = rowEnd;
    }
}

void MenuNavigator::update() {
    followPointer();
    const InputManager& input = InputManager::instance();
    if (input.isCommandPressed(ActionNames::kMenuUp) ||
        input.isCommandPressed(ActionNames::kMenuLeft)) {
        move(-1);
    }
    if (input.isCommandPressed(ActionNames::kMenuDown) ||
        input.isCommandPressed(ActionNames::kMenuRight)) {
        move(1);
    }
    if (input.isCommandPressed(ActionNames::kMenuPress)) {
        if (const auto button = highlighted()) {
            button->press();
        } else {
            move(0);
        }
    }
    if (input.isCommandPressed(ActionNames::kMenuBack)) {
        if (const auto back = m_back.lock()) {
            back->press();
        }
    }
}

// Only a shown highlight follows the pointer; the mouse alone lights buttons as it always did.
void MenuNavigator::followPointer() {
    if (m_selected < 0) {
        return;
    }
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        const auto button = m_buttons[index].lock();
        if (button && button->isHovered()) {
            select(static_cast<int>(index));
            return;
        }
    }
}

void MenuNavigator::move(int steps) {
    if (m_buttons.empty()) {
        return;
    }
    const int count = static_cast<int>(m_buttons.size());
    select(m_selected < 0 ? 0 : ((m_selected + steps) % count + count) % count);
}

void MenuNavigator::select(int index) {
    if (const auto previous = highlighted()) {
        previous->setHighlighted(false);
    }
    m_selected = index;
    if (const auto button = highlighted()) {
        button->setHighlighted(true);
    }
}

std::shared_ptr<BaseButtonComponent> MenuNavigator::highlighted() const {
    if (m_selected < 0 || m_selected >= static_cast<int>(m_buttons.size())) {
        return nullptr;
    }
    return m_buttons[m_selected].lock();
}

void MenuNavigator::draw(sf::RenderTarget& target) const {
    const auto button = highlighted();
    if (!button) {
        return;
    }
    const sf::FloatRect bounds = button->getBounds();
    sf::RectangleShape outline({bounds.width, bounds.height});
    outline.setPosition(bounds.left, bounds.top);
    outline.setFillColor(sf::Color::Transparent);
    outline.setOutlineColor(kOutlineColour);
    outline.setOutlineThickness(kOutlineThickness);
    target.draw(outline);
}
