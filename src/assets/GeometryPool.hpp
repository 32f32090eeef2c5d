#pragma once

#include <SFML/Graphics/VertexBuffer.hpp>
#include <cstddef>
#include <memory>
#include <vector>

// Graphics memory for the tile geometry of large layers, kept from one map to the next. A long
// map's geometry takes a hundred megabytes or more; handing it back to the driver when the map
// goes and asking for it again when it loads anew (a reload, another race) costs more than
// building it, as every page comes back cleared. So large layers take their memory in buffers
// of one size, and a buffer whose layer goes waits here for the next. The pool holds at most
// what the largest map loaded so far needed, until the game lets go of it.
class GeometryPool : public std::enable_shared_from_this<GeometryPool> {
public:
    // Vertices a pooled buffer holds. SFML reallocates a buffer given as many vertices as it
    // holds or more, so a pooled buffer is only ever filled with fewer.
    static constexpr std::size_t kBufferVertices = std::size_t{1} << 18;

    // Hands a buffer back to its pool when its owner lets go of it; deletes it when the pool is
    // gone or it belongs to none.
    struct GiveBack {
        std::weak_ptr<GeometryPool> pool;
        void operator()(sf::VertexBuffer* buffer) const;
    };
    using Buffer = std::unique_ptr<sf::VertexBuffer, GiveBack>;

    // A buffer of kBufferVertices, a spare one when there is one; null when the driver has no
    // room for a new one.
    Buffer take();
    // A buffer of exactly `vertices` that belongs to no pool; null when the driver refuses it.
    static Buffer makeOwn(std::size_t vertices);

    std::size_t spareCount() const { return m_spares.size(); }
    // Lets go of the spare buffers; buffers in use come back to the pool as before.
    void dropSpares() { m_spares.clear(); }

private:
    std::vector<std::unique_ptr<sf::VertexBuffer>> m_spares;
};
