#include "FuzzSupport.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cstdlib>
#include <streambuf>

namespace {

class DiscardingBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

}  // namespace

void discardGameErrors() {
    static DiscardingBuffer discarded;
    sf::err().rdbuf(&discarded);
}

std::string textOf(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

void check(bool promise) {
    if (!promise) {
        std::abort();
    }
}

bool liesInside(const std::string& text, TmxPosition position) {
    if (position.line == 0 && position.column == 0) {
        return true;
    }
    std::size_t start = 0;
    for (int line = 1; line < position.line; ++line) {
        start = text.find('\n', start);
        if (start == std::string::npos) {
            return false;
        }
        ++start;
    }
    const std::size_t end = std::min(text.find('\n', start), text.size());
    return position.line >= 1 && position.column >= 1 &&
           static_cast<std::size_t>(position.column) <= end - start + 1;
}
