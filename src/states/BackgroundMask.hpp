#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <vector>

// Where the race's background can be seen: the window's pixels that no fully opaque tile hides.
// A software renderer pays for every pixel painted, and most of the background lies under tiles.
// A pixel counts as hidden only when its centre lies inside an opaque tile by a margin, so that
// the pixels a tile's edge may or may not cover are painted as before and the picture stays
// exactly the same. Window pixels, y downward. Its lists keep their memory from frame to frame.
class BackgroundMask {
public:
    // Of a pixel centre, how far inside a tile's edge it must lie to count as hidden.
    static constexpr float kEdgeMargin = 0.01f;

    void clear() { m_hidden.clear(); }
    // Hides the pixels whose centres lie inside `area`, within `clip` (the camera's viewport).
    void hide(const sf::FloatRect& area, const sf::IntRect& clip);
    // The window's pixels left showing, as few rectangles as rows of equal spans allow, top to
    // bottom; empty when nothing shows.
    const std::vector<sf::IntRect>& visibleRects(sf::Vector2u windowSize);

private:
    struct Span {
        int left;
        int right;  // past the end
        bool operator==(const Span& other) const {
            return left == other.left && right == other.right;
        }
    };

    // The spans of the band from `top` to `bottom` that no hidden rectangle covers.
    void visibleSpans(int top, int bottom, int width);

    std::vector<sf::IntRect> m_hidden;
    // The last rectangle of m_hidden before it was cut to whole pixels, and its clip.
    sf::FloatRect m_run;
    sf::IntRect m_runClip;
    std::vector<int> m_edges;
    std::vector<Span> m_hiddenSpans;
    std::vector<Span> m_spans;
    std::vector<Span> m_previousSpans;
    std::vector<sf::IntRect> m_visible;
};
