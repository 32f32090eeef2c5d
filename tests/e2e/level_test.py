#!/usr/bin/env python3
"""--level on a map in a folder of its own: the race starts on it with the tiles and racer
pictures from that folder, and the map checker's remarks come first on stderr. F5 reloads the
map from disk: an edited tile shows, a broken map leaves an empty screen that still answers F5
and Escape, and Escape leads to the title."""
import os
import sys
import tempfile

from gamedriver import (Game, colour_near, course_point, fail, find_button, wait_for,
                        write_race_map)

COLS, ROWS = 60, 40
LEFT_COLOUR, RIGHT_COLOUR, EDITED_COLOUR = (40, 160, 220), (230, 120, 30), (120, 220, 60)
RACER_COLOURS = [(250, 60, 160), (250, 240, 90)]  # Player1's racer1.png, Player2's racer2.png
# A spot of each half of the course, clear of the racers, and each racer's picture.
LEFT_GROUND = course_point((200, 900), "Player2")
RIGHT_GROUND = course_point((1700, 900), "Player1")
RACER1 = course_point((1316 + 24, 150 + 48), "Player1")
RACER2 = course_point((548 + 24, 150 + 48), "Player2")


def course(left_gid):
    """The left half of the map in tile `left_gid`, the right half in tile 2."""
    return [[left_gid if c < COLS // 2 else 2 for c in range(COLS)] for _ in range(ROWS)]


def shows(game, wanted):
    shot = game.screenshot()
    return all(colour_near(shot.getpixel(tuple(map(round, point))), colour)
               for point, colour in wanted.items())


def shows_no_tiles(game):
    shot = game.screenshot()
    return not any(colour_near(shot.getpixel(tuple(map(round, point))), colour)
                   for point in (LEFT_GROUND, RIGHT_GROUND)
                   for colour in (LEFT_COLOUR, RIGHT_COLOUR, EDITED_COLOUR))


def main():
    binary, source = sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"]
    shots = os.path.join(os.getcwd(), "e2e-shots", "level")
    colours = [LEFT_COLOUR, RIGHT_COLOUR, EDITED_COLOUR]
    with tempfile.TemporaryDirectory(prefix="tumbleleaf-level-") as folder:
        level = write_race_map(folder, course(1), colours, RACER_COLOURS)
        game = Game(binary, source, shots, args=["--level", level])
        try:
            game.move_mouse_away()
            wait_for(lambda: shows(game, {LEFT_GROUND: LEFT_COLOUR, RIGHT_GROUND: RIGHT_COLOUR,
                                          RACER1: RACER_COLOURS[0], RACER2: RACER_COLOURS[1]}),
                     120, "the race on the map's own tiles and racers")
            game.screenshot("race")
            # The racers have mass 0, which the checker reports before the race.
            if "has no mass above 0" not in game.stderr():
                fail(f"no remark of the map checker on stderr: {game.stderr()[-2000:]!r}")

            write_race_map(folder, course(3), colours, RACER_COLOURS)
            game.press_key("F5", lambda: shows(game, {LEFT_GROUND: EDITED_COLOUR,
                                                      RIGHT_GROUND: RIGHT_COLOUR}),
                           "the edited tiles after F5")
            game.screenshot("reloaded")

            with open(level, "w", encoding="utf-8") as broken:
                broken.write("<map")
            game.press_key("F5", lambda: shows_no_tiles(game), "an empty screen for a broken map")
            write_race_map(folder, course(1), colours, RACER_COLOURS)
            game.press_key("F5", lambda: shows(game, {LEFT_GROUND: LEFT_COLOUR}),
                           "the mended map after F5")

            play = find_button(game.assets, "TitleScreenMap.tmx", "GameState")
            game.press_key("Escape", lambda: game.shows_button(play), "the title after Escape")
            game.click(find_button(game.assets, "TitleScreenMap.tmx", "QuitState"))
            game.wait_for_exit()
        finally:
            game.cleanup()
    print("PASS: --level races on the map's own pictures, and F5 reloads it")


if __name__ == "__main__":
    main()
