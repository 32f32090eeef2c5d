#pragma once

#include <functional>
#include <string>

#include "components/BaseButtonComponent.hpp"

// A button on the settings screen that runs one of the game's settings functions by name, such
// as "ToggleSound" or "DeleteSave" (GameNames::Setting). The functions belong to the parts of the
// game that own what they change, which hand them in with setAction; a name without one does
// nothing.
class SettingsButtonComponent : public BaseButtonComponent {
public:
    using Action = std::function<void()>;

    SettingsButtonComponent(std::shared_ptr<GameObject> gameObject, sf::Vector2f position,
                            int width, int height,
                            std::shared_ptr<SpriteRenderComponent> spriteComponent,
                            std::string functionality);

    // What every button of this functionality does from now on.
    static void setAction(const std::string& functionality, Action action);

    bool init() override { return true; }
    void execute();

    const std::string& getFunctionality() const { return m_functionality; }

protected:
    void fire() override { execute(); }

private:
    std::string m_functionality;
};
