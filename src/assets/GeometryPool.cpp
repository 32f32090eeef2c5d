#include "assets/GeometryPool.hpp"

#include <utility>

namespace {

std::unique_ptr<sf::VertexBuffer> createBuffer(std::size_t vertices) {
    auto buffer = std::make_unique<sf::VertexBuffer>(sf::Triangles, sf::VertexBuffer::Static);
    return buffer->create(vertices) ? std::move(buffer) : nullptr;
}

}  // namespace

void GeometryPool::GiveBack::operator()(sf::VertexBuffer* buffer) const {
    std::unique_ptr<sf::VertexBuffer> owned(buffer);
    if (const auto alive = pool.lock()) {
        alive->m_spares.push_back(std::move(owned));
    }
}

GeometryPool::Buffer GeometryPool::take() {
    std::unique_ptr<sf::VertexBuffer> buffer;
    if (m_spares.empty()) {
        buffer = createBuffer(kBufferVertices);
    } else {
        buffer = std::move(m_spares.back());
        m_spares.pop_back();
    }
    return Buffer(buffer.release(), GiveBack{weak_from_this()});
}

GeometryPool::Buffer GeometryPool::makeOwn(std::size_t vertices) {
    return Buffer(createBuffer(vertices).release(), GiveBack{});
}
