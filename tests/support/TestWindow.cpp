#include "support/TestWindow.hpp"

#include <SFML/Graphics/Texture.hpp>

TestWindow::TestWindow(unsigned width, unsigned height)
    : m_window(sf::VideoMode(width, height), "test", sf::Style::None) {
    m_window.setPosition({0, 0});
}

sf::Image TestWindow::capture() const {
    sf::Texture texture;
    texture.create(m_window.getSize().x, m_window.getSize().y);
    texture.update(m_window);
    return texture.copyToImage();
}

std::string writeSolidPng(const std::filesystem::path& path, unsigned width, unsigned height,
                          sf::Color fill) {
    sf::Image image;
    image.create(width, height, fill);
    image.saveToFile(path.string());
    return path.string();
}

sf::Image patternImage(unsigned width, unsigned height, unsigned seed) {
    sf::Image image;
    image.create(width, height);
    for (unsigned y = 0; y < height; ++y) {
        for (unsigned x = 0; x < width; ++x) {
            const unsigned cell = y / 3 * 7 + x / 5;
            image.setPixel(x, y,
                           sf::Color(static_cast<sf::Uint8>(x * 37 + seed * 11),
                                     static_cast<sf::Uint8>(x * 13 + y * 7),
                                     static_cast<sf::Uint8>(x * 5 + y * 17 + seed * 3),
                                     static_cast<sf::Uint8>(cell % 3 == 0 ? 255 : 90 + cell * 5)));
        }
    }
    return image;
}

PictureDiff comparePictures(const sf::Image& expected, const sf::Image& actual,
                            sf::Color background) {
    PictureDiff diff;
    for (unsigned y = 0; y < expected.getSize().y; ++y) {
        for (unsigned x = 0; x < expected.getSize().x; ++x) {
            diff.differing += expected.getPixel(x, y) != actual.getPixel(x, y) ? 1 : 0;
            diff.drawn += expected.getPixel(x, y) != background ? 1 : 0;
        }
    }
    return diff;
}
