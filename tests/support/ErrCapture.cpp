#include "support/ErrCapture.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>

ErrCapture::ErrCapture() : m_previous(sf::err().rdbuf(m_captured.rdbuf())) {}

ErrCapture::~ErrCapture() {
    sf::err().rdbuf(m_previous);
}

int ErrCapture::lineCount() const {
    const std::string captured = text();
    return static_cast<int>(std::count(captured.begin(), captured.end(), '\n'));
}

bool ErrCapture::hasLineWith(const std::vector<std::string>& parts) const {
    std::istringstream lines(text());
    for (std::string line; std::getline(lines, line);) {
        if (std::all_of(parts.begin(), parts.end(), [&](const std::string& part) {
                return line.find(part) != std::string::npos;
            })) {
            return true;
        }
    }
    return false;
}
