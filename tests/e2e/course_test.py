#!/usr/bin/env python3
"""A race on a 1366x768 screen shows each racer the same part of the course as on 1920x1080,
only smaller. The course is a patchwork of coloured squares, so a camera that sees more, less or
another part of it gives a different picture. The racers cannot move, so every frame is alike."""
import os
import random
import sys
import tempfile

from gamedriver import DESIGN, Game, fail, letterbox_problem, write_race_map

COLOURS = [(200, 60, 50), (60, 170, 80), (50, 90, 200), (230, 200, 40), (150, 70, 190),
           (240, 240, 230), (40, 40, 60), (90, 200, 210)]
PATCH = 4  # tiles per side of one patch of colour


def patchwork(cols, rows):
    pick = random.Random(5)
    patches = [[pick.randrange(len(COLOURS)) + 1 for _ in range(cols // PATCH + 1)]
               for _ in range(rows // PATCH + 1)]
    return [[patches[r // PATCH][c // PATCH] for c in range(cols)] for r in range(rows)]


def race_shot(binary, source, shots, level, size):
    game = Game(binary, source, shots, args=["--level", level], screen_size=size)
    try:
        game.move_mouse_away()
        return game.settled_shot(f"race-{size[0]}x{size[1]}")
    finally:
        game.cleanup()


def main():
    binary, source = sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"]
    shots = os.path.join(os.getcwd(), "e2e-shots", "course")
    with tempfile.TemporaryDirectory(prefix="tumbleleaf-course-") as folder:
        level = write_race_map(folder, patchwork(60, 48), COLOURS,
                               [(255, 128, 0), (0, 255, 128)])
        game_size = race_shot(binary, source, shots, level, DESIGN)
        laptop = race_shot(binary, source, shots, level, (1366, 768))
    problem = letterbox_problem(laptop, game_size, limit=6)
    if problem:
        fail(f"1366x768: {problem}")
    print("PASS: 1366x768 shows the course as 1920x1080 does")


if __name__ == "__main__":
    main()
