#!/usr/bin/env python3
"""The courses screen with a levels folder of the player's own ($XDG_DATA_HOME/tumbleleaf/
levels) holding a map that races and one that does not load: the broken one is listed greyed
(and named on stderr with its reason), the good one races from its entry on the second page, its
scores land on a board of its own and on the results, "Race again" races it again, and the first
course's board is left alone."""
import glob
import os
import sys
import tempfile

from gamedriver import Game, colour_near, fail, find_button, map_buttons, wait_for, \
    write_race_map

# Where the game lays out the entries: five plates to a page, from (320, 196) down, 136 apart,
# each 1280 x 112; their right end holds no text.
PLATE_LEFT, PLATE_TOP, PLATE_STEP, PLATE_WIDTH = 320, 196, 136, 1280
PLATE_COLOUR, GREY_PLATE_COLOUR = (238, 224, 188), (196, 194, 190)
SHIPPED_COURSES = 4
RACER_COLOURS = [(250, 60, 160), (250, 240, 90)]
ROWS, COLS = 16, 60
SHIPPED_BOARD = "somebody.png,777\n"


class Entry:
    """An entry of the courses screen, clicked like a map's button."""

    def __init__(self, slot, colour=PLATE_COLOUR):
        self.name = f"entry {slot + 1}"
        self.point = (PLATE_LEFT + PLATE_WIDTH - 60, PLATE_TOP + slot * PLATE_STEP + 50)
        self.colour = colour

    def centre(self):
        return self.point

    def expected_centre_colour(self):
        return self.colour

    def expected_colour(self, at):
        return self.colour


def write_levels(levels):
    """race.tmx: a short drop onto the finish, named in its properties; broken.tmx: no map."""
    race = write_race_map(levels, [[1] * COLS for _ in range(ROWS)], [(90, 200, 210)],
                          RACER_COLOURS)
    with open(race, encoding="utf-8") as tmx:
        text = tmx.read()
    text = text.replace('name="mass" value="0"', 'name="mass" value="1"')
    head, rest = text.split("\n", 2)[:2], text.split("\n", 2)[2]
    text = "\n".join(head + [' <properties>', '  <property name="name" value="Pebble Run"/>',
                             '  <property name="description" value="Down in a blink."/>',
                             ' </properties>', rest])
    with open(race, "w", encoding="utf-8") as tmx:
        tmx.write(text)
    with open(os.path.join(levels, "broken.tmx"), "w", encoding="utf-8") as broken:
        broken.write("<map")


def plate_at(game, slot, colour):
    shot = game.screenshot()
    return colour_near(shot.getpixel(game.on_screen(Entry(slot).point)), colour, 3)


def board_lines(path):
    with open(path, encoding="utf-8") as board:
        return board.read().splitlines()


def main():
    binary, source = sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"]
    shots = os.path.join(os.getcwd(), "e2e-shots", "courses")
    with tempfile.TemporaryDirectory(prefix="tumbleleaf-courses-") as data:
        levels = os.path.join(data, "tumbleleaf", "levels")
        write_levels(levels)
        os.environ["TUMBLELEAF_E2E_DATA_HOME"] = data
        game = Game(binary, source, shots)
        try:
            saves = os.path.join(game.assets, "SaveFiles")
            shipped = os.path.join(saves, "Leaderboard.txt")
            with open(shipped, "w", encoding="utf-8") as board:
                board.write(SHIPPED_BOARD)
            game.move_mouse_away()
            courses = find_button(game.assets, "TitleScreenMap.tmx", "CoursesState")
            wait_for(lambda: game.shows_button(courses), 120, "the title's COURSES button")
            game.click(courses)

            # The game's four courses, then the broken map (sorted before race.tmx), greyed.
            wait_for(lambda: plate_at(game, SHIPPED_COURSES, GREY_PLATE_COLOUR), 60,
                     "the broken map greyed as the fifth entry")
            if not all(plate_at(game, slot, PLATE_COLOUR) for slot in range(SHIPPED_COURSES)):
                fail("the game's own courses are not the first four entries")
            game.screenshot("first-page")
            errors = game.stderr()
            if "broken.tmx cannot be raced: does not load" not in errors:
                fail(f"no line about the broken map on stderr: {errors[-2000:]!r}")

            next_page = next(b for b in map_buttons(game.assets, "CoursesScreenMap.tmx")
                             if b.functionality == "NextCourses")
            game.click(next_page)
            wait_for(lambda: plate_at(game, 0, PLATE_COLOUR), 60, "the player's map on page 2")
            game.screenshot("second-page")
            if plate_at(game, 1, PLATE_COLOUR):
                fail("a sixth course appeared on the second page")

            again = find_button(game.assets, "HighscoreScreenMap.tmx", "GameState")
            game.click(Entry(0))
            wait_for(lambda: game.shows_button(again), 120, "the results after the race")
            shot = game.screenshot("results")
            boards = glob.glob(os.path.join(saves, "Leaderboard-Pebble_Run-*.txt"))
            if len(boards) != 1:
                fail(f"not one board for the player's map: {os.listdir(saves)}")
            lines = board_lines(boards[0])
            if len(lines) != 2 or not all("racer" in line for line in lines):
                fail(f"the map's board holds {lines!r}")
            newest = [shot.getpixel(game.on_screen((x + 24, 420))) for x in (750, 1200)]
            if not all(any(colour_near(p, c, 3) for c in RACER_COLOURS) for p in newest):
                fail(f"the results do not show the map's racers: {newest}")

            game.click(again)
            wait_for(lambda: len(board_lines(boards[0])) == 4, 120, "a second race on the map")
            wait_for(lambda: game.shows_button(again), 120, "the results after racing again")
            with open(shipped, encoding="utf-8") as board:
                if board.read() != SHIPPED_BOARD:
                    fail("the first course's board changed")

            game.click(find_button(game.assets, "HighscoreScreenMap.tmx", "MenuState"))
            wait_for(lambda: game.shows_button(courses), 60, "the title")
            game.click(find_button(game.assets, "TitleScreenMap.tmx", "QuitState"))
            game.wait_for_exit()
        finally:
            game.cleanup()
    print("PASS: a player's map races from the courses screen onto a board of its own")


if __name__ == "__main__":
    main()
