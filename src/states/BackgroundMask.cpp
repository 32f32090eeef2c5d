#include "states/BackgroundMask.hpp"

#include <algorithm>
#include <cmath>

void BackgroundMask::hide(const sf::FloatRect& area, const sf::IntRect& clip) {
    // Pixel i's centre is i + 0.5.
    const int left =
        std::max(clip.left, static_cast<int>(std::floor(area.left - 0.5f + kEdgeMargin)) + 1);
    const int top =
        std::max(clip.top, static_cast<int>(std::floor(area.top - 0.5f + kEdgeMargin)) + 1);
    const int right =
        std::min(clip.left + clip.width,
                 static_cast<int>(std::ceil(area.left + area.width - 0.5f - kEdgeMargin)));
    const int bottom =
        std::min(clip.top + clip.height,
                 static_cast<int>(std::ceil(area.top + area.height - 0.5f - kEdgeMargin)));
    if (left >= right || top >= bottom) {
        return;
    }
    // Tiles come row by row, left to right: a tile next to the last one widens it.
    if (!m_hidden.empty()) {
        sf::IntRect& last = m_hidden.back();
        if (last.top == top && last.height == bottom - top && left <= last.left + last.width &&
            right >= last.left) {
            const int lastRight = std::max(right, last.left + last.width);
            last.left = std::min(left, last.left);
            last.width = lastRight - last.left;
            return;
        }
    }
    m_hidden.emplace_back(left, top, right - left, bottom - top);
}

void BackgroundMask::visibleSpans(int top, int bottom, int width) {
    m_hiddenSpans.clear();
    for (const sf::IntRect& hidden : m_hidden) {
        if (hidden.top <= top && hidden.top + hidden.height >= bottom) {
            m_hiddenSpans.push_back({hidden.left, hidden.left + hidden.width});
        }
    }
    std::sort(m_hiddenSpans.begin(), m_hiddenSpans.end(),
              [](const Span& a, const Span& b) { return a.left < b.left; });
    m_spans.clear();
    int shownFrom = 0;
    for (const Span& hidden : m_hiddenSpans) {
        if (hidden.left > shownFrom) {
            m_spans.push_back({shownFrom, std::min(hidden.left, width)});
        }
        shownFrom = std::max(shownFrom, hidden.right);
    }
    if (shownFrom < width) {
        m_spans.push_back({shownFrom, width});
    }
}

// Cuts the window into bands at every hidden rectangle's top and bottom; a band whose visible
// spans are those of the band above lengthens its rectangles.
const std::vector<sf::IntRect>& BackgroundMask::visibleRects(sf::Vector2u windowSize) {
    const int width = static_cast<int>(windowSize.x);
    const int height = static_cast<int>(windowSize.y);
    m_edges.clear();
    m_edges.push_back(0);
    m_edges.push_back(height);
    for (const sf::IntRect& hidden : m_hidden) {
        m_edges.push_back(std::clamp(hidden.top, 0, height));
        m_edges.push_back(std::clamp(hidden.top + hidden.height, 0, height));
    }
    std::sort(m_edges.begin(), m_edges.end());
    m_edges.erase(std::unique(m_edges.begin(), m_edges.end()), m_edges.end());
    m_visible.clear();
    m_previousSpans.clear();
    std::size_t previousFirst = 0;
    for (std::size_t band = 0; band + 1 < m_edges.size(); ++band) {
        const int top = m_edges[band];
        const int bottom = m_edges[band + 1];
        visibleSpans(top, bottom, width);
        if (!m_spans.empty() && m_spans == m_previousSpans) {
            for (std::size_t i = previousFirst; i < m_visible.size(); ++i) {
                m_visible[i].height = bottom - m_visible[i].top;
            }
            continue;
        }
        previousFirst = m_visible.size();
        for (const Span& span : m_spans) {
            m_visible.emplace_back(span.left, top, span.right - span.left, bottom - top);
        }
        m_previousSpans.swap(m_spans);
    }
    return m_visible;
}
