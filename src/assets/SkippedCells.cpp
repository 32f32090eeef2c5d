#include "assets/SkippedCells.hpp"

#include <SFML/System/Err.hpp>
#include <ostream>
#include <utility>

SkippedCells::SkippedCells(std::string reason) : m_reason(std::move(reason)) {}

void SkippedCells::add(int gid, const std::string& layer) {
    if (m_count++ == 0) {
        m_firstGid = gid;
        m_firstLayer = layer;
    }
}

void SkippedCells::report() const {
    if (m_count > 0) {
        sf::err() << "Left " << m_count << " tile(s) empty: " << m_reason << " (the first is gid "
                  << m_firstGid << " in layer \"" << m_firstLayer << "\")" << std::endl;
    }
}
