#pragma once

// The screen area that draw calls cover: each triangle given to glDrawArrays, transformed as
// OpenGL transforms it (modelview, projection, viewport) and cut to the viewport and scissor
// box, adds its area in pixels, whether its texels are seen or not. Reading the vertices back
// costs far more than drawing them, so it is only done while counting, in frames that are not
// timed. Clearing the screen is not a draw call and is not counted.
namespace paintedArea {

void startCounting();
// Pixels covered since startCounting().
double stopCounting();
// Called by the draw call counter in front of every glDrawArrays.
void addDraw(unsigned int mode, int first, int count);

}  // namespace paintedArea
