#!/usr/bin/env python3
"""Plays the real game through its menus with the mouse and the keyboard: two races from the
title to the results, one without a touch and one with a player steering, then back to the
title and out through the quit button. Screenshots are kept in e2e-shots/race/."""
import os
import sys
import time

from gamedriver import Game, fail, find_button, parse_scores, wait_for

RACE_TIMEOUT = 300  # a race without input ends in about a minute of game time


def run_race(game, shot_name, steer=None):
    """From the moment the race is requested until both players have left it."""
    wait_for(lambda: game.shows_divider(), 60, "the race")
    before = len(game.leaderboard_lines())
    if steer:
        steer()
    time.sleep(3)
    game.screenshot(shot_name)
    wait_for(lambda: len(game.leaderboard_lines()) >= before + 2, RACE_TIMEOUT,
             "both players to leave the race", poll=1.0)
    lines = game.leaderboard_lines()
    if len(lines) != before + 2:
        fail(f"the race wrote {len(lines) - before} lines, not 2")
    return dict(parse_scores(lines[before:]))


def main():
    shots = os.path.join(os.getcwd(), "e2e-shots", "race")
    game = Game(sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"], shots)
    try:
        play = find_button(game.assets, "TitleScreenMap.tmx", "GameState")
        quit_button = find_button(game.assets, "TitleScreenMap.tmx", "QuitState")
        race_again = find_button(game.assets, "HighscoreScreenMap.tmx", "GameState")
        back = find_button(game.assets, "HighscoreScreenMap.tmx", "MenuState")

        game.move_mouse_away()
        wait_for(lambda: game.shows_button(play), 60, "the title screen")
        game.screenshot("title")
        game.click(play)
        untouched = run_race(game, "race")
        wait_for(lambda: game.shows_button(back), 60, "the results screen")
        game.screenshot("results")

        game.click(race_again)
        # Player 1 (J and L) rides the right-hand wall down instead of the middle of the course:
        # the way across to it is distance too, paid for in points (26 in a run of ours).
        steered = run_race(game, "race-steered", steer=lambda: game.hold_key("l", 1.5))
        wait_for(lambda: game.shows_button(back), 60, "the results screen again")
        crayon = "../assets/characters/Crayon.png"
        if crayon not in untouched or crayon not in steered:
            fail(f"no line for player 1 in {untouched} / {steered}")
        if steered[crayon] > untouched[crayon] - 5:
            fail(f"steering across did not cost points: {untouched[crayon]} untouched, "
                 f"{steered[crayon]} steered")

        game.click(back)
        wait_for(lambda: game.shows_button(play), 60, "the title screen again")
        game.click(quit_button)
        game.wait_for_exit()
    finally:
        game.cleanup()
    print(f"PASS: untouched race {untouched}, steered race {steered}")


if __name__ == "__main__":
    main()
