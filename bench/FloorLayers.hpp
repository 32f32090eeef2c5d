#pragma once

#include <memory>
#include <vector>

class BenchLevel;
class GameObject;

// Turns a running level into the floor of its frame: each layer's tiles, as one camera sees
// them, are rendered once into a texture of that camera's half of the window, and from then on
// each layer draws, per camera, the part of that texture its tiles cover as a single quad
// instead of its tiles, then its objects as before. What is left of the frame's cost is the
// game's own objects, the background, the divider and filling the screen with the tiles' pixels
// once. The level keeps no tiles afterwards.
class FloorLayers {
public:
    explicit FloorLayers(BenchLevel& level);
    ~FloorLayers();
    FloorLayers(const FloorLayers&) = delete;
    FloorLayers& operator=(const FloorLayers&) = delete;

private:
    std::vector<std::shared_ptr<GameObject>> m_quads;
};
