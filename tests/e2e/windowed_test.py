#!/usr/bin/env python3
"""A --windowed game opens a 1280x720 window, and when the window is resized the title follows:
the whole layout fills the new size, with black bars above and below in a tall window and left
and right in a wide one. Closing the window ends the game cleanly."""
import os
import sys

from gamedriver import DESIGN, Game, fail, letterbox_problem, wait_for

# Tall: bars above and below; wide: bars left and right.
NEW_SIZES = [(1600, 1400), (2400, 1000), (1000, 900), (1600, 600)]


def main():
    binary, source = sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"]
    shots = os.path.join(os.getcwd(), "e2e-shots", "windowed")
    # A screen with room for a window of the layout's own size and larger.
    game = Game(binary, source, shots, args=["--windowed"], screen_size=(2560, 1440))
    try:
        game.move_mouse_away()
        if game.window_size() != (1280, 720):
            fail(f"the window is {game.window_size()}, not 1280x720")
        # With no window manager to place it, the window opens partly off the screen; moved
        # into view, all of it can be captured.
        game.xdotool("windowmove", game.window.id, 0, 0)
        wait_for(lambda: game.window_placement()[2:4] == (0, 0), 60, "the window at (0, 0)")
        first = game.settled_shot("window-1280x720", window_only=True)

        # The reference: the layout at its own size, of which the first picture is a copy
        # scaled down.
        game.xdotool("windowsize", game.window.id, *DESIGN)

        def layout_at_own_size():
            shot = game.screenshot("window-1920x1080", window_only=True)
            fits = shot.size == DESIGN and letterbox_problem(first, shot) is None
            return shot if fits else None

        design = wait_for(layout_at_own_size, 120, "the layout filling a 1920x1080 window")
        for width, height in NEW_SIZES:
            game.xdotool("windowsize", game.window.id, width, height)
            game.wait_for_letterboxed(design, f"window-{width}x{height}", (width, height))
        game.request_close()
        game.wait_for_exit()
    finally:
        game.cleanup()
    print("PASS: the title follows the window's size")


if __name__ == "__main__":
    main()
