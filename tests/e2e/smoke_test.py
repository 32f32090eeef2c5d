#!/usr/bin/env python3
"""Starts the real game, checks that its window covers the screen without a border, closes it
as a user would, and checks that the game ends cleanly."""
import os
import sys
import time

from gamedriver import Game, wait_for


def main():
    shots = os.path.join(os.getcwd(), "e2e-shots", "smoke")
    game = Game(sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"], shots)
    try:
        wanted = (*game.screen_size, 0, 0, 0)
        wait_for(lambda: game.window_placement() == wanted, 30, f"the window at {wanted}")
        time.sleep(1.0)  # let a few frames run before closing
        game.request_close()
        game.wait_for_exit()
    finally:
        game.cleanup()
    print("PASS: window covered the screen, closed cleanly")


if __name__ == "__main__":
    main()
