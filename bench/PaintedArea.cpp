#include "PaintedArea.hpp"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

bool g_counting = false;
double g_pixels = 0.0;

struct Point {
    double x;
    double y;
};

struct Box {
    double left;
    double bottom;
    double right;
    double top;
};

// The part of a convex polygon on the inner side of one edge of the box (Sutherland-Hodgman).
template <typename Inside, typename Cross>
std::vector<Point> clipEdge(const std::vector<Point>& polygon, Inside inside, Cross cross) {
    std::vector<Point> kept;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point& from = polygon[i];
        const Point& to = polygon[(i + 1) % polygon.size()];
        if (inside(from)) {
            kept.push_back(from);
        }
        if (inside(from) != inside(to)) {
            kept.push_back(cross(from, to));
        }
    }
    return kept;
}

Point atX(const Point& a, const Point& b, double x) {
    return {x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
}

Point atY(const Point& a, const Point& b, double y) {
    return {a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
}

double areaInside(const std::array<Point, 3>& triangle, const Box& box) {
    std::vector<Point> polygon(triangle.begin(), triangle.end());
    polygon = clipEdge(
        polygon, [&](const Point& p) { return p.x >= box.left; },
        [&](const Point& a, const Point& b) { return atX(a, b, box.left); });
    polygon = clipEdge(
        polygon, [&](const Point& p) { return p.x <= box.right; },
        [&](const Point& a, const Point& b) { return atX(a, b, box.right); });
    polygon = clipEdge(
        polygon, [&](const Point& p) { return p.y >= box.bottom; },
        [&](const Point& a, const Point& b) { return atY(a, b, box.bottom); });
    polygon = clipEdge(
        polygon, [&](const Point& p) { return p.y <= box.top; },
        [&](const Point& a, const Point& b) { return atY(a, b, box.top); });
    double twice = 0.0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point& a = polygon[i];
        const Point& b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::abs(twice) / 2.0;
}

// Where the draw may paint: the viewport, cut to the scissor box when there is one.
Box paintableBox() {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    Box box{double(viewport[0]), double(viewport[1]), double(viewport[0] + viewport[2]),
            double(viewport[1] + viewport[3])};
    if (glIsEnabled(GL_SCISSOR_TEST)) {
        GLint scissor[4];
        glGetIntegerv(GL_SCISSOR_BOX, scissor);
        box.left = std::max(box.left, double(scissor[0]));
        box.bottom = std::max(box.bottom, double(scissor[1]));
        box.right = std::min(box.right, double(scissor[0] + scissor[2]));
        box.top = std::min(box.top, double(scissor[1] + scissor[3]));
    }
    return box;
}

// The draw's vertex positions (two floats each, as SFML gives them), from the bound vertex buffer
// or from the client's array.
std::vector<float> positions(int first, int count) {
    GLint size = 0;
    GLint stride = 0;
    GLint buffer = 0;
    GLvoid* pointer = nullptr;
    glGetIntegerv(GL_VERTEX_ARRAY_SIZE, &size);
    glGetIntegerv(GL_VERTEX_ARRAY_STRIDE, &stride);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &buffer);
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
    const std::size_t step = stride != 0 ? std::size_t(stride) : sizeof(float) * std::size_t(size);
    std::vector<unsigned char> bytes(step * std::size_t(count));
    const std::intptr_t start =
        reinterpret_cast<std::intptr_t>(pointer) + first * std::intptr_t(step);
    if (buffer != 0) {
        glGetBufferSubData(GL_ARRAY_BUFFER, start, GLsizeiptr(bytes.size()), bytes.data());
    } else {
        std::memcpy(bytes.data(), reinterpret_cast<const void*>(start), bytes.size());
    }
    std::vector<float> xy(2 * std::size_t(count));
    for (std::size_t i = 0; i < std::size_t(count); ++i) {
        std::memcpy(&xy[2 * i], &bytes[i * step], 2 * sizeof(float));
    }
    return xy;
}

// Window coordinates of the positions, through the modelview and projection matrices and the
// viewport (SFML's matrices are affine in x and y, so w stays 1).
std::vector<Point> toWindow(const std::vector<float>& xy) {
    GLfloat modelview[16];
    GLfloat projection[16];
    GLint viewport[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::vector<Point> points;
    points.reserve(xy.size() / 2);
    for (std::size_t i = 0; i < xy.size(); i += 2) {
        double eye[4];
        for (int row = 0; row < 4; ++row) {
            eye[row] =
                modelview[row] * xy[i] + modelview[4 + row] * xy[i + 1] + modelview[12 + row];
        }
        double clip[4];
        for (int row = 0; row < 4; ++row) {
            clip[row] = projection[row] * eye[0] + projection[4 + row] * eye[1] +
                        projection[8 + row] * eye[2] + projection[12 + row] * eye[3];
        }
        points.push_back({viewport[0] + (clip[0] / clip[3] + 1.0) / 2.0 * viewport[2],
                          viewport[1] + (clip[1] / clip[3] + 1.0) / 2.0 * viewport[3]});
    }
    return points;
}

// The triangles a primitive mode makes of its vertices; lines and points paint no area.
std::vector<std::array<std::size_t, 3>> triangles(unsigned int mode, std::size_t count) {
    std::vector<std::array<std::size_t, 3>> found;
    if (mode == GL_TRIANGLES) {
        for (std::size_t i = 0; i + 2 < count; i += 3) {
            found.push_back({i, i + 1, i + 2});
        }
    } else if (mode == GL_TRIANGLE_STRIP) {
        for (std::size_t i = 0; i + 2 < count; ++i) {
            found.push_back({i, i + 1, i + 2});
        }
    } else if (mode == GL_TRIANGLE_FAN) {
        for (std::size_t i = 1; i + 1 < count; ++i) {
            found.push_back({0, i, i + 1});
        }
    } else if (mode == GL_QUADS) {
        for (std::size_t i = 0; i + 3 < count; i += 4) {
            found.push_back({i, i + 1, i + 2});
            found.push_back({i, i + 2, i + 3});
        }
    }
    return found;
}

}  // namespace

void paintedArea::startCounting() {
    g_pixels = 0.0;
    g_counting = true;
}

double paintedArea::stopCounting() {
    g_counting = false;
    return g_pixels;
}

void paintedArea::addDraw(unsigned int mode, int first, int count) {
    if (!g_counting || count <= 0) {
        return;
    }
    const Box box = paintableBox();
    const std::vector<Point> points = toWindow(positions(first, count));
    for (const auto& corners : triangles(mode, points.size())) {
        g_pixels += areaInside({points[corners[0]], points[corners[1]], points[corners[2]]}, box);
    }
}
