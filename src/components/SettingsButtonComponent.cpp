#include "components/SettingsButtonComponent.hpp"

#include <unordered_map>

#include "components/SpriteRenderComponent.hpp"

namespace {
std::unordered_map<std::string, SettingsButtonComponent::Action>& actions() {
    static std::unordered_map<std::string, SettingsButtonComponent::Action> byFunctionality;
    return byFunctionality;
}
}  // namespace

SettingsButtonComponent::SettingsButtonComponent(
    std::shared_ptr<GameObject> gameObject, sf::Vector2f position, int width, int height,
    std::shared_ptr<SpriteRenderComponent> spriteComponent, std::string functionality)
    : BaseButtonComponent(std::move(gameObject), position, width, height,
                          std::move(spriteComponent)),
      m_functionality(std::move(functionality)) {}

void SettingsButtonComponent::setAction(const std::string& functionality, Action action) {
    actions()[functionality] = std::move(action);
}

void SettingsButtonComponent::execute() {
    const auto found = actions().find(m_functionality);
    if (found != actions().end() && found->second) {
        found->second();
    }
}
