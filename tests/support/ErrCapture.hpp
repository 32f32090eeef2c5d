#pragma once

#include <sstream>
#include <streambuf>
#include <string>

// Collects what the game writes to sf::err() while it is alive.
class ErrCapture {
public:
    ErrCapture();
    ~ErrCapture();
    ErrCapture(const ErrCapture&) = delete;
    ErrCapture& operator=(const ErrCapture&) = delete;

    std::string text() const { return m_captured.str(); }
    int lineCount() const;

private:
    std::ostringstream m_captured;
    std::streambuf* m_previous;
};
