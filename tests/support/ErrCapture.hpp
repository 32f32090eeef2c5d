#pragma once

#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

// Collects what the game writes to sf::err() while it is alive.
class ErrCapture {
public:
    ErrCapture();
    ~ErrCapture();
    ErrCapture(const ErrCapture&) = delete;
    ErrCapture& operator=(const ErrCapture&) = delete;

    std::string text() const { return m_captured.str(); }
    int lineCount() const;
    // Whether one captured line holds every part: a report is checked by its facts (what,
    // where), not by its whole sentence.
    bool hasLineWith(const std::vector<std::string>& parts) const;

private:
    std::ostringstream m_captured;
    std::streambuf* m_previous;
};
