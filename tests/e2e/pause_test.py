#!/usr/bin/env python3
"""The pause: P stops a running race under an overlay, and for seconds on end nothing on the
screen changes (the racers stay where they were, and their pictures, cut to their points, keep
their size: no points drain); Enter on the lit Resume lets the race run on. Losing the window's
focus pauses it too, and the overlay's Title button, clicked, leaves for the title. Screenshots
are kept in e2e-shots/pause/."""
import os
import sys
import time

from PIL import Image, ImageChops
from Xlib import X

from gamedriver import Game, colour_near, fail, find_button, wait_for

SHADE = (105, 105, 105)  # the white divider under the overlay's shade
PAUSED_SECONDS = 4


class OverlayButton:
    """A button of the pause overlay, where the game lays it out."""

    def __init__(self, assets, picture, top):
        self.name = picture
        self.x, self.y, self.width, self.height = 720, top, 480, 96
        self.picture = os.path.join(assets, "ui", picture)

    def centre(self):
        return int(self.x + self.width / 2), int(self.y + self.height / 2)

    def expected_colour(self, at):
        """The picture's colour at the layout point `at` on the button."""
        with Image.open(self.picture) as picture:
            picture = picture.convert("RGBA")
            x = min(picture.width - 1, int((at[0] - self.x) * picture.width / self.width))
            y = min(picture.height - 1, int((at[1] - self.y) * picture.height / self.height))
            return picture.getpixel((x, y))[:3]

    def expected_centre_colour(self):
        with Image.open(self.picture) as picture:
            picture = picture.convert("RGBA")
            return picture.getpixel((picture.width // 2, picture.height // 2))[:3]


def main():
    shots = os.path.join(os.getcwd(), "e2e-shots", "pause")
    game = Game(sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"], shots)
    try:
        play = find_button(game.assets, "TitleScreenMap.tmx", "GameState")
        title_button = OverlayButton(game.assets, "ButtonTitle.png", 420 + 2 * 130)

        def paused():
            shot = game.screenshot()
            return all(colour_near(shot.getpixel(game.on_screen((970, y))), SHADE, 2)
                       for y in (50, 1050))

        game.move_mouse_away()
        wait_for(lambda: game.shows_button(play), 60, "the title screen")
        game.click(play)
        wait_for(lambda: game.shows_divider(), 60, "the race")
        time.sleep(1.5)  # under way

        game.press_key("p", paused, "the pause overlay")
        still = game.settled_shot("paused")
        time.sleep(PAUSED_SECONDS)  # the pause itself: the race must stand through it
        later = game.screenshot("paused-later")
        moved = ImageChops.difference(still, later).getbbox()
        if moved is not None:
            fail(f"the paused race changed within {moved} over {PAUSED_SECONDS} s")

        game.press_key("Return", lambda: game.shows_divider(), "the race after Resume")
        first = game.screenshot("resumed")
        wait_for(lambda: ImageChops.difference(first, game.screenshot()).getbbox(), 30,
                 "the race to run on")

        # Another window takes the keyboard, as when the player switches away.
        dpy = game.dpy
        other = dpy.screen().root.create_window(0, 0, 10, 10, 0, dpy.screen().root_depth)
        other.map()
        dpy.sync()
        other.set_input_focus(X.RevertToParent, X.CurrentTime)
        dpy.sync()
        wait_for(paused, 60, "the pause when the window lost the focus")
        game.window.set_input_focus(X.RevertToParent, X.CurrentTime)
        dpy.sync()
        game.click(title_button)
        wait_for(lambda: game.shows_button(play), 60, "the title after the overlay's Title")
        game.request_close()
        game.wait_for_exit()
    finally:
        game.cleanup()
    print(f"PASS: the race stood still for {PAUSED_SECONDS} s paused, resumed, paused on focus "
          "loss and left for the title")


if __name__ == "__main__":
    main()
