#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <memory>
#include <vector>

#include "components/MenuNavigator.hpp"

class GameObject;
namespace sf {
class RenderWindow;
}

// The overlay of a paused race: the whole screen dimmed, "PAUSED", and three buttons (Resume,
// Restart, Title) that answer to the mouse, the menu keys and the pads like any menu. A pad's
// back button resumes. It only reports the choice; the race acts on it.
class PauseMenu {
public:
    enum class Choice { None, Resume, Restart, Title };

    PauseMenu();
    ~PauseMenu();
    PauseMenu(const PauseMenu&) = delete;
    PauseMenu& operator=(const PauseMenu&) = delete;

    // Shows the overlay with Resume highlighted, building it the first time.
    void open(sf::RenderWindow& window);
    void close() { m_open = false; }
    bool isOpen() const { return m_open; }
    // One frame of the overlay's input: what the player chose, if anything.
    Choice update(float frameSeconds);
    // Over whatever the race drew, with the design view over the whole window.
    void draw(sf::RenderWindow& window);

private:
    void build(sf::RenderWindow& window);
    void addButton(sf::RenderWindow& window, const char* picture, float top, Choice choice);

    bool m_open = false;
    bool m_built = false;
    Choice m_choice = Choice::None;
    std::vector<std::shared_ptr<GameObject>> m_buttons;
    MenuNavigator m_menu;
    sf::RectangleShape m_shade;
    sf::Font m_font;
    sf::Text m_title;
};
