#!/usr/bin/env python3
"""A --windowed game opens a 1280x720 window centred on the screen, wholly on it even without a
window manager, and when the window is resized the title follows: the whole layout fills the
new size, with black bars above and below in a tall window and left and right in a wide one. F11
makes it cover the screen and Alt+Enter brings the window back, and the settings file keeps the
choice. Closing the window ends the game cleanly."""
import os
import sys

from gamedriver import DESIGN, Game, fail, letterbox_problem, wait_for

SCREEN = (2560, 1440)
CENTRED = (1280, 720, (2560 - 1280) // 2, (1440 - 720) // 2)

# Tall: bars above and below; wide: bars left and right.
NEW_SIZES = [(1600, 1400), (2400, 1000), (1000, 900), (1600, 600)]


def switch_mode(game, keys, placement, mode):
    """Presses `keys`; the game opens a new window, placed as `placement` says, and keeps the
    window mode in its settings file."""
    game.xdotool("key", keys)

    def placed():
        window = game._find_window()
        if window is None:
            return False
        game.window = window
        try:
            return game.window_placement()[:4] == placement
        except Exception:  # the window went away while we looked
            return False
    wait_for(placed, 60, f"{keys} to give a window at {placement}")
    wait_for(lambda: f"mode = {mode}" in (game.settings_text() or ""), 60,
             f"the settings file to keep mode = {mode}")


def main():
    binary, source = sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"]
    shots = os.path.join(os.getcwd(), "e2e-shots", "windowed")
    # A screen with room for a window of the layout's own size and larger.
    game = Game(binary, source, shots, args=["--windowed"], screen_size=SCREEN)
    try:
        game.move_mouse_away()
        wait_for(lambda: game.window_placement()[:4] == CENTRED, 60,
                 f"the window centred on the screen {CENTRED}, not {game.window_placement()}")
        first = game.settled_shot("window-1280x720", window_only=True)
        # The larger sizes below fit on the screen only from its corner.
        game.xdotool("windowmove", game.window.id, 0, 0)
        wait_for(lambda: game.window_placement()[2:4] == (0, 0), 60, "the window at (0, 0)")

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
        if game.settings_text() is not None:
            fail("the settings file was written though no setting changed")

        switch_mode(game, "F11", (*SCREEN, 0, 0), "fullscreen")
        game.wait_for_letterboxed(design, "fullscreen")
        switch_mode(game, "alt+Return", CENTRED, "windowed")
        game.request_close()
        game.wait_for_exit()
    finally:
        game.cleanup()
    print("PASS: the title follows the window's size")


if __name__ == "__main__":
    main()
