#include "states/PauseMenu.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include "components/ActionButtonComponent.hpp"
#include "components/FontLoader.hpp"
#include "components/SpriteRenderComponent.hpp"
#include "core/GameState.hpp"
#include "objects/GameObject.hpp"
#include "platform/AssetFolder.hpp"
#include "platform/DesignView.hpp"

namespace {

const sf::Color kShade(0, 0, 0, 150);
const sf::Vector2f kButtonSize(480.0f, 96.0f);
constexpr float kFirstButtonTop = 420.0f;
constexpr float kButtonSpacing = 130.0f;
constexpr unsigned kTitleSize = 120;

}  // namespace

PauseMenu::PauseMenu() : m_shade({DesignView::kWidth, DesignView::kHeight}) {
    m_shade.setFillColor(kShade);
}

// The buttons and their objects hold each other; only this lets them go.
PauseMenu::~PauseMenu() {
    for (const auto& button : m_buttons) {
        button->clearComponents();
    }
}

void PauseMenu::open(sf::RenderWindow& window) {
    if (!m_built) {
        build(window);
    }
    m_open = true;
    m_choice = Choice::None;
    MenuNavigator::Buttons buttons;
    for (const auto& button : m_buttons) {
        buttons.push_back(button->getComponent<BaseButtonComponent>());
    }
    // Resume is the way back, and lit at once: the pause key or pad opened the overlay.
    m_menu.setButtons(buttons, buttons.front());
    m_menu.move(0);
}

void PauseMenu::build(sf::RenderWindow& window) {
    m_built = true;
    addButton(window, "ui/ButtonResume.png", kFirstButtonTop, Choice::Resume);
    addButton(window, "ui/ButtonRestart.png", kFirstButtonTop + kButtonSpacing, Choice::Restart);
    addButton(window, "ui/ButtonTitle.png", kFirstButtonTop + 2 * kButtonSpacing, Choice::Title);
    if (FontLoader::load(AssetFolder::path(GameState::kFontFile), m_font)) {
        m_title.setFont(m_font);
    }
    m_title.setString("PAUSED");
    m_title.setCharacterSize(kTitleSize);
    m_title.setFillColor(sf::Color::White);
    const sf::FloatRect bounds = m_title.getLocalBounds();
    m_title.setPosition((DesignView::kWidth - bounds.width) / 2.0f - bounds.left,
                        kFirstButtonTop - 80.0f - kTitleSize);
}

void PauseMenu::addButton(sf::RenderWindow& window, const char* picture, float top, Choice choice) {
    auto object = std::make_shared<GameObject>(picture);
    const sf::Vector2f position((DesignView::kWidth - kButtonSize.x) / 2.0f, top);
    object->setPosition(position);
    // Pure black is see-through on buttons, as on the maps' buttons.
    auto face = std::make_shared<SpriteRenderComponent>(window, sf::Color::Black, object,
                                                        AssetFolder::path(picture));
    auto button = std::make_shared<ActionButtonComponent>(
        object, position, static_cast<int>(kButtonSize.x), static_cast<int>(kButtonSize.y), face,
        [this, choice] { m_choice = choice; });
    object->addComponent(face);
    object->addComponent(button);
    object->init();
    m_buttons.push_back(object);
}

PauseMenu::Choice PauseMenu::update(float frameSeconds) {
    m_choice = Choice::None;
    m_menu.update();
    for (const auto& button : m_buttons) {
        for (const auto& component : button->getComponentList()) {
            component->update(frameSeconds);
        }
    }
    return m_choice;
}

void PauseMenu::draw(sf::RenderWindow& window) {
    window.setView(DesignView::view(window.getSize()));
    window.draw(m_shade);
    window.draw(m_title);
    for (const auto& button : m_buttons) {
        button->getComponent<SpriteRenderComponent>()->draw();
    }
    m_menu.draw(window);
}
