#include "states/SettingsButtonComponent.hpp"

#include "components/SpriteRenderComponent.hpp"
#include "core/Game.hpp"
#include "objects/Leaderboard.hpp"

SettingsButtonComponent::SettingsButtonComponent(
    std::shared_ptr<GameObject> gameObject, sf::Vector2f position, int width, int height,
    std::shared_ptr<SpriteRenderComponent> spriteComponent, std::string functionality)
    : BaseButtonComponent(std::move(gameObject), position, width, height,
                          std::move(spriteComponent)),
      m_functionality(std::move(functionality)) {}

void SettingsButtonComponent::execute() {
    if (m_functionality == "ToggleSound") {
        toggleSound();
    } else if (m_functionality == "DeleteSave") {
        deleteSave();
    }
}

// Follows the music's real volume rather than the flag, so the two can never disagree for long.
void SettingsButtonComponent::toggleSound() {
    Game& game = Game::instance();
    sf::Music& music = game.getMusic();
    const bool audible = music.getVolume() != 0.0f;
    music.setVolume(audible ? 0.0f : Game::kMenuVolume);
    game.setMuted(audible);
}

void SettingsButtonComponent::deleteSave() {
    Leaderboard().clear();
}
