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

// A picture whose every texel differs from its neighbours, some of them see-through: anything
// drawn from the wrong place of it, a pixel off, twice or not at all shows.
sf::Image patternImage(unsigned width, unsigned height, unsigned seed);

// Pixels where two pictures of the same size differ, and where the first is not `background`
// (a comparison of two empty pictures proves nothing).
struct PictureDiff {
    long differing = 0;
    long drawn = 0;
};
PictureDiff comparePictures(const sf::Image& expected, const sf::Image& actual,
                            sf::Color background);
