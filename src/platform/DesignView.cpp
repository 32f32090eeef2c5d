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
    const sf::View design = view(target.getSize());
    if (!target.getViewport(design).contains(pixel)) {
        return std::nullopt;
    }
    return target.mapPixelToCoords(pixel, design);
}
