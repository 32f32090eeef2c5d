#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <filesystem>
#include <string>

// A small real window for tests that draw, and a way to read back what was drawn.
class TestWindow {
public:
    TestWindow(unsigned width, unsigned height);

    sf::RenderWindow& window() { return m_window; }
    // The pixels currently in the back buffer (call before display()).
    sf::Image capture() const;

private:
    sf::RenderWindow m_window;
};

// Writes a width x height picture filled with `fill` to `path` and returns the path as text.
std::string writeSolidPng(const std::filesystem::path& path, unsigned width, unsigned height,
                          sf::Color fill);
