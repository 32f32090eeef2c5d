#include "FuzzSupport.hpp"

#include <SFML/System/Err.hpp>
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
