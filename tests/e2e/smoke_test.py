#!/usr/bin/env python3
"""Starts the real game, checks that its window covers the screen without a border and shows
the title's buttons, closes it as a user would, and checks that the game ends cleanly."""
import os
import sys

from gamedriver import Game, map_buttons, wait_for


def main():
    shots = os.path.join(os.getcwd(), "e2e-shots", "smoke")
    game = Game(sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"], shots)
    try:
        wanted = (*game.screen_size, 0, 0, 0)
        wait_for(lambda: game.window_placement() == wanted, 30, f"the window at {wanted}")
        game.move_mouse_away()
        buttons = map_buttons(game.assets, "TitleScreenMap.tmx")

        def shows_title():
            shot = game.screenshot("title")
            return all(game.shows_button(button, shot) for button in buttons)
        wait_for(shows_title, 60, "the title's buttons")
        game.request_close()
        game.wait_for_exit()
    finally:
        game.cleanup()
    print("PASS: the title covered the screen, closed cleanly")


if __name__ == "__main__":
    main()
