#include "DrawCallCounter.hpp"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "PaintedArea.hpp"

namespace {

std::uint64_t g_drawCalls = 0;
std::uint64_t g_vertices = 0;

}  // namespace

std::uint64_t drawCalls::count() {
    return g_drawCalls;
}

std::uint64_t drawCalls::vertices() {
    return g_vertices;
}

// The GL types spelt out (GLenum, GLint, GLsizei), so that no GL header declares it first.
extern "C" void glDrawArrays(unsigned int mode, int first, int count) {
    using DrawArrays = void (*)(unsigned int, int, int);
    static const auto real = reinterpret_cast<DrawArrays>(dlsym(RTLD_NEXT, "glDrawArrays"));
    if (real == nullptr) {
        std::fputs("glDrawArrays is missing from the GL library\n", stderr);
        std::abort();
    }
    ++g_drawCalls;
    g_vertices += static_cast<std::uint64_t>(count > 0 ? count : 0);
    paintedArea::addDraw(mode, first, count);
    real(mode, first, count);
}
