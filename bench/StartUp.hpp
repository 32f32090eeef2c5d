#pragma once

#include <ostream>

// The way from main() to the title's first frame on screen, through the game's own start-up
// (the game object, Game::initialize, the main loop's first frame), each step timed. Prints one
// "step milliseconds" line per step. Run it in a fresh process: what matters is what the first time
// costs (connecting to the display, the first graphics context, the first font, the first open of
// the music). Returns 0, or 1 when a step failed.
int measureStartUp(std::ostream& out);

// The same for a bare window of the desktop's size with one picture over it: the floor the
// game's start-up is measured against. Prints "bare_..." steps.
int measureBareWindow(std::ostream& out);
