#!/usr/bin/env python3
"""A --windowed game opens a 1280x720 window, and when the window is resized the title follows:
the whole layout fills the new size, with black bars above and below in a tall window and left
and right in a wide one. Closing the window ends the game cleanly."""
import os
import sys

from gamedriver import Game, fail, wait_for

NEW_SIZES = [(1280, 1000), (1800, 720)]  # tall: bars above and below; wide: left and right


def main():
    binary, source = sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"]
    shots = os.path.join(os.getcwd(), "e2e-shots", "windowed")
    game = Game(binary, source, shots, args=["--windowed"])
    try:
        game.move_mouse_away()
        if game.window_size() != (1280, 720):
            fail(f"the window is {game.window_size()}, not 1280x720")
        # With no window manager to place it, the window opens partly off the screen; moved
        # into view, all of it can be captured.
        game.xdotool("windowmove", game.window.id, 0, 0)
        wait_for(lambda: game.window_placement()[2:4] == (0, 0), 60, "the window at (0, 0)")
        # At 16:9 the layout fills the window: this picture is the reference for the others.
        reference = game.settled_shot("window-1280x720", window_only=True)
        for width, height in NEW_SIZES:
            game.xdotool("windowsize", game.window.id, width, height)
            game.wait_for_letterboxed(reference, f"window-{width}x{height}", (width, height))
        game.request_close()
        game.wait_for_exit()
    finally:
        game.cleanup()
    print("PASS: the title follows the window's size")


if __name__ == "__main__":
    main()
