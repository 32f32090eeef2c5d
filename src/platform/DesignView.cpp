#include "platform/DesignView.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <algorithm>

sf::FloatRect DesignView::letterbox(sf::Vector2u windowSize) {
    if (windowSize.x == 0 || windowSize.y == 0) {
        return {0.0f, 0.0f, 1.0f, 1.0f};
    }
    const sf::Vector2f window(static_cast<float>(windowSize.x), static_cast<float>(windowSize.y));
    const float scale = std::min(window.x / kWidth, window.y / kHeight);
    const float width = kWidth * scale / window.x;
    const float height = kHeight * scale / window.y;
    return {(1.0f - width) / 2.0f, (1.0f - height) / 2.0f, width, height};
}

sf::FloatRect DesignView::viewport(const sf::FloatRect& part, sf::Vector2u windowSize) {
    const sf::FloatRect box = letterbox(windowSize);
    return {box.left + part.left * box.width, box.top + part.top * box.height,
            part.width * box.width, part.height * box.height};
}

sf::View DesignView::view(sf::Vector2u windowSize) {
    sf::View design(sf::FloatRect(0.0f, 0.0f, kWidth, kHeight));
    design.setViewport(letterbox(windowSize));
    return design;
}

std::optional<sf::Vector2f> DesignView::pointAt(const sf::RenderTarget& target,
                                                sf::Vector2i pixel) {
    // The letterbox in whole pixels, rounded as the drawing is.
    const sf::IntRect shown = target.getViewport(view(target.getSize()));
    if (!shown.contains(pixel)) {
        return std::nullopt;
    }
    // The rasteriser fills a pixel when its centre lies in a shape, so the pixel's centre lies in
    // whatever is drawn over it. Multiplying before dividing keeps 1:1 exact.
    const auto across = [](int offset, float designSize, int shownSize) {
        return static_cast<float>((offset + 0.5) * designSize / shownSize);
    };
    return sf::Vector2f(across(pixel.x - shown.left, kWidth, shown.width),
                        across(pixel.y - shown.top, kHeight, shown.height));
}
