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
