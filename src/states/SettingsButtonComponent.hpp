#pragma once

#include <string>

#include "states/BaseButtonComponent.hpp"

// A button on the settings screen that runs one of the game's settings functions:
// "ToggleSound" mutes or unmutes the music, "DeleteSave" empties the leaderboard.
// Any other name does nothing.
class SettingsButtonComponent : public BaseButtonComponent {
public:
    SettingsButtonComponent(std::shared_ptr<GameObject> gameObject, sf::Vector2f position,
                            int width, int height,
                            std::shared_ptr<SpriteRenderComponent> spriteComponent,
                            std::string functionality);

    bool init() override { return true; }
    void execute();

    const std::string& getFunctionality() const { return m_functionality; }

protected:
    void fire() override { execute(); }

private:
    static void toggleSound();
    static void deleteSave();

    std::string m_functionality;
};
