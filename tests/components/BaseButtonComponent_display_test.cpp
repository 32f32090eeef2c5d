#include <gtest/gtest.h>

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include "components/SpriteRenderComponent.hpp"
#include "components/StateButtonComponent.hpp"
#include "objects/GameObject.hpp"
#include "platform/DesignView.hpp"
#include "support/TestWindow.hpp"

namespace {

// A window pixel is over a button exactly when drawing the button fills that pixel.
class ButtonPixelsTest : public ::testing::Test {
protected:
    std::shared_ptr<StateButtonComponent> makeButton(sf::FloatRect box) {
        auto owner = std::make_shared<GameObject>("button");
        m_sprite = std::make_shared<SpriteRenderComponent>(m_screen.window(), sf::Color::Black,
                                                           owner, "unused.png");
        return std::make_shared<StateButtonComponent>(
            owner, sf::Vector2f(box.left, box.top), static_cast<int>(box.width),
            static_cast<int>(box.height), m_sprite, "GameState");
    }

    // The pointer rests on `pixel` of a window the size of `target`, as the game reads it.
    bool hovers(BaseButtonComponent& button, const sf::RenderTarget& target, int x, int y) {
        button.handleMouse(DesignView::pointAt(target, {x, y}), false);
        return m_sprite->getColor() == BaseButtonComponent::kHoverTint;
    }

    TestWindow m_screen{32, 32};
    std::shared_ptr<SpriteRenderComponent> m_sprite;
};

// The tutorial's Back button starts at x = 400: at the design size, pixels and design units are
// one and the same.
TEST_F(ButtonPixelsTest, AtTheDesignSizeEveryEdgePixelIsExact) {
    const sf::IntRect box(400, 300, 200, 80);
    const auto button = makeButton(sf::FloatRect(box));
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(1920, 1080));
    for (const int x : {399, 400, 500, 599, 600}) {
        for (const int y : {299, 300, 340, 379, 380}) {
            EXPECT_EQ(hovers(*button, target, x, y), box.contains(x, y)) << x << "," << y;
        }
    }
}

// Scaled down, a button's edges fall inside pixels or, at 1366 x 768 where 1920 design units
// are 1365 pixels, on a pixel's centre: x = 448 and 576 fall on 318.5 and 409.5. The pixels the
// drawn button fills, and only those, are over it.
TEST_F(ButtonPixelsTest, ScaledTheButtonHoversWhereItIsDrawn) {
    const sf::FloatRect box(448.0f, 300.0f, 128.0f, 80.0f);
    const auto button = makeButton(box);
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(1366, 768));
    target.setView(DesignView::view(target.getSize()));
    target.clear(sf::Color::Black);
    sf::RectangleShape face({box.width, box.height});
    face.setPosition(box.left, box.top);
    target.draw(face);
    target.display();
    const sf::Image drawn = target.getTexture().copyToImage();
    int filled = 0;
    // The button and a band around it; its top and bottom edges fall at y = 213.3 and 270.2.
    for (int x = 314; x < 414; ++x) {
        for (int y = 209; y < 274; ++y) {
            const bool isFilled = drawn.getPixel(x, y) == sf::Color::White;
            filled += isFilled ? 1 : 0;
            ASSERT_EQ(hovers(*button, target, x, y), isFilled) << x << "," << y;
        }
    }
    EXPECT_GT(filled, 0);
}

// Over a bar the pointer is over no part of the design, not even a button that covers it all.
TEST_F(ButtonPixelsTest, TheLetterboxBarsHitNothing) {
    const auto button = makeButton({0.0f, 0.0f, DesignView::kWidth, DesignView::kHeight});
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(1280, 1024));  // 1280 x 720 shown, between bars 152 pixels high
    EXPECT_FALSE(hovers(*button, target, 640, 151));
    EXPECT_TRUE(hovers(*button, target, 640, 152));
    EXPECT_TRUE(hovers(*button, target, 640, 871));
    EXPECT_FALSE(hovers(*button, target, 640, 872));
}

}  // namespace
