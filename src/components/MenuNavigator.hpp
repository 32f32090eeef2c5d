#pragma once

#include <SFML/Graphics/RectangleShape.hpp>
#include <memory>
#include <vector>

#include "components/BaseButtonComponent.hpp"

namespace sf {
class RenderTarget;
}

// Works a screen's buttons without the mouse. The arrow keys and the pads' sticks and D-pads
// move a highlight through the buttons in reading order (top to bottom, then left to right,
// round from the last to the first), Enter or a pad's first button presses the highlighted one,
// and Escape or a pad's second button presses the screen's way back, if it has one. The
// highlight shows only once the keys or a pad are used, so that a player with the mouse sees the
// screen as before; from then on the pointer moving over a button takes the highlight along.
class MenuNavigator {
public:
    using Buttons = std::vector<std::shared_ptr<BaseButtonComponent>>;

    // The screen's buttons in any order, and the one that leads back (none: nothing does).
    // Nothing is highlighted until the next menu key.
    void setButtons(Buttons buttons, const std::shared_ptr<BaseButtonComponent>& back = nullptr);
    // One frame's menu keys, pad controls and pointer.
    void update();
    // The outline around the highlighted button, in the target's current view.
    void draw(sf::RenderTarget& target) const;

    // Moves the highlight this many buttons on in reading order (backward when negative); with
    // nothing highlighted yet, highlights the first button.
    void move(int steps);
    // The highlighted button, or null.
    std::shared_ptr<BaseButtonComponent> highlighted() const;

    // Sorts buttons into reading order: rows from the top, each read from the left. A button
    // whose top is above the middle of a row's first button is in that row.
    static void sortIntoReadingOrder(Buttons& buttons);

private:
    void select(int index);
    void followPointer();

    // Weak: the buttons belong to the screen's objects, which leaving the screen lets go of.
    std::vector<std::weak_ptr<BaseButtonComponent>> m_buttons;
    std::weak_ptr<BaseButtonComponent> m_back;
    int m_selected = -1;
};
