#include "states/BackgroundMask.hpp"

#include <algorithm>
#include <cmath>

// Tiles come row by row, left to right. One that continues the last one's run (same rows, no gap)
// widens it before the run is cut to whole pixels: the pixels on the seam between two tiles are
// covered by one of them, whichever the rasteriser picks.
void BackgroundMask::hide(const sf::FloatRect& area, const sf::IntRect& clip) {
    if (!m_hidden.empty() && clip == m_runClip && area.top == m_run.top &&
        area.height == m_run.height && area.left >= m_run.left &&
        area.left <= m_run.left + m_run.width) {
        const float right = std::max(m_run.left + m_run.width, area.left + area.width);
        m_run.width = right - m_run.left;
        m_hidden.pop_back();
    } else {
        m_run = area;
        m_runClip = clip;
    }
    // Pixel i's centre is i + 0.5.
    const int left =
        std::max(clip.left, static_cast<int>(std::floor(m_run.left - 0.5f + kEdgeMargin)) + 1);
    const int top =
        std::max(clip.top, static_cast<int>(std::floor(m_run.top - 0.5f + kEdgeMargin)) + 1);
    const int right =
        std::min(clip.left + clip.width,
                 static_cast<int>(std::ceil(m_run.left + m_run.width - 0.5f - kEdgeMargin)));
    const int bottom =
        std::min(clip.top + clip.height,
                 static_cast<int>(std::ceil(m_run.top + m_run.height - 0.5f - kEdgeMargin)));
    // An empty rectangle keeps the run going; it hides nothing.
    m_hidden.emplace_back(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
}

void BackgroundMask::visibleSpans(int top, int bottom, int width) {
    m_hiddenSpans.clear();
    for (const sf::IntRect& hidden : m_hidden) {
        if (hidden.width > 0 && hidden.top <= top && hidden.top + hidden.height >= bottom) {
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
        if (hidden.width <= 0 || hidden.height <= 0) {
            continue;
        }
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
