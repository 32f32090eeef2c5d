#pragma once

// Mesa's software OpenGL driver keeps a few bytes to the end of the process and is unloaded
// before LeakSanitizer looks; the bytes are then blamed on an unknown module, where the Mesa
// suppressions cannot match them. Keeping the driver loaded lets them match. Call it before a
// test draws into a window.
void keepGlDriverLoaded();
