#!/usr/bin/env python3
"""The title on screens of other sizes: the whole 1920x1080 layout scaled to fit, black bars
where the shape differs (above and below on 1280x1024), and the Quit button answering a click
where it is drawn, not where it would be at 1920x1080."""
import os
import sys

from gamedriver import DESIGN, Game, find_button

SIZES = [(1366, 768), (2560, 1440), (1280, 1024)]


def main():
    binary, source = sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"]
    shots = os.path.join(os.getcwd(), "e2e-shots", "screens")

    # The reference: the title as laid out, on a screen of the layout's own size.
    game = Game(binary, source, shots, screen_size=DESIGN)
    try:
        game.move_mouse_away()
        reference = game.settled_shot("title-1920x1080")
    finally:
        game.cleanup()

    for size in SIZES:
        name = f"title-{size[0]}x{size[1]}"
        game = Game(binary, source, shots, screen_size=size)
        try:
            game.move_mouse_away()
            game.wait_for_letterboxed(reference, name)
            game.click(find_button(game.assets, "TitleScreenMap.tmx", "QuitState"))
            game.wait_for_exit()
        finally:
            game.cleanup()
        print(f"{name}: the title fits, and Quit quits")
    print("PASS: the title scales to every screen size")


if __name__ == "__main__":
    main()
