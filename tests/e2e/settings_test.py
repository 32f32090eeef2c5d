#!/usr/bin/env python3
"""Rebinding the keys through the settings screen, as a player would: player 1 takes the arrow
keys with the mouse and the keyboard, a key player 2 has is refused and Escape cancels, and the
settings file keeps the choice. Started again with the same settings, the game shows the arrow
keys and player 1 steers with them, not with L any more. Screenshots are kept in
e2e-shots/settings/."""
import os
import shutil
import sys
import tempfile

from PIL import ImageChops

from gamedriver import (Game, fail, find_button, find_setting, mean_difference, parse_scores,
                        wait_for)

RACE_TIMEOUT = 300
MESSAGE = (260, 584, 1660, 644)  # the settings screen's message line, in the layout
PLAYER1_KEYS = (980, 226, 1620, 434)  # player 1's two key buttons
CRAYON = "../assets/characters/Crayon.png"


def region(game, shot, box):
    left, top = game.on_screen(box[:2])
    right, bottom = game.on_screen(box[2:])
    return shot.crop((left, top, right, bottom))


def open_settings(game):
    game.move_mouse_away()
    settings = find_button(game.assets, "TitleScreenMap.tmx", "SettingsState")
    wait_for(lambda: game.shows_button(settings), 120, "the title screen")
    game.click(settings)
    back = find_button(game.assets, "SettingsScreenMap.tmx", "MenuState")
    wait_for(lambda: game.shows_button(back), 60, "the settings screen")
    return game.settled_shot("settings")


def plain_spot(button):
    """A point of a key button away from its centred label."""
    return button.x + 30, button.y + 50


def answer(game, functionality, key, what):
    """Clicks a key button, then presses `key`; returns once the message line has changed
    from the prompt the click put there."""
    button = find_setting(game.assets, functionality)
    message = region(game, game.screenshot(), MESSAGE)
    game.click(button, at=plain_spot(button))
    prompt = wait_for(lambda: changed(game, message), 60, f"the prompt of {functionality}")
    game.xdotool("key", key)
    wait_for(lambda: changed(game, prompt), 60, what)


def changed(game, before):
    now = region(game, game.screenshot(), MESSAGE)
    return now if ImageChops.difference(now, before).getbbox() is not None else None


def settings_line(game, line):
    return line in (game.settings_text() or "")


def rebind(binary, source, shots, config):
    game = Game(binary, source, shots, config_home=config)
    try:
        defaults = open_settings(game)
        answer(game, "RebindPlayer1Left", "Left", "player 1's left taking the Left arrow")
        wait_for(lambda: settings_line(game, "player1.left = Left"), 60, "the file to keep Left")
        answer(game, "RebindPlayer1Right", "a", "the A key refused: player 2 has it")
        if not settings_line(game, "player1.right = L"):
            fail(f"a refused key changed the file:\n{game.settings_text()}")
        game.xdotool("key", "Right")
        wait_for(lambda: settings_line(game, "player1.right = Right"), 60,
                 "the file to keep Right after the refusal")
        kept = game.settings_text()
        answer(game, "RebindPlayer2Left", "Escape", "Escape cancelling the wait")
        if game.settings_text() != kept or not settings_line(game, "player2.left = A"):
            fail(f"Escape changed the settings:\n{game.settings_text()}")
        game.move_mouse_away()
        arrows = game.settled_shot("settings-arrows")
        if mean_difference(region(game, arrows, PLAYER1_KEYS),
                           region(game, defaults, PLAYER1_KEYS)) < 1:
            fail("player 1's key buttons look as they did with J and L")
        game.click(find_button(game.assets, "SettingsScreenMap.tmx", "MenuState"))
        game.move_mouse_away()
        game.click(find_button(game.assets, "TitleScreenMap.tmx", "QuitState"))
        game.wait_for_exit()
        return arrows
    finally:
        game.cleanup()


def race(game, key):
    """A race from its start, with player 1's racer holding `key` for a moment; player 1's
    score."""
    wait_for(lambda: game.shows_divider(), 60, "the race")
    before = len(game.leaderboard_lines())
    game.hold_key(key, 1.5)
    wait_for(lambda: len(game.leaderboard_lines()) >= before + 2, RACE_TIMEOUT,
             "both players to leave the race", poll=1.0)
    scores = dict(parse_scores(game.leaderboard_lines()[before:]))
    if CRAYON not in scores:
        fail(f"no line for player 1 in {scores}")
    return scores[CRAYON]


def play_with_kept_keys(binary, source, shots, config, arrows):
    game = Game(binary, source, shots, config_home=config)
    try:
        shown = open_settings(game)
        difference = mean_difference(region(game, shown, PLAYER1_KEYS),
                                     region(game, arrows, PLAYER1_KEYS))
        if difference > 1:
            fail(f"started again, player 1's keys look different ({difference:.1f} levels)")
        game.click(find_button(game.assets, "SettingsScreenMap.tmx", "MenuState"))
        game.move_mouse_away()
        game.click(find_button(game.assets, "TitleScreenMap.tmx", "GameState"))
        with_l = race(game, "l")
        back = find_button(game.assets, "HighscoreScreenMap.tmx", "MenuState")
        wait_for(lambda: game.shows_button(back), 60, "the results screen")
        game.click(find_button(game.assets, "HighscoreScreenMap.tmx", "GameState"))
        # Riding over to the right-hand wall costs points (as with L in the race test).
        with_arrow = race(game, "Right")
        if with_arrow > with_l - 5:
            fail(f"the Right arrow did not steer player 1 ({with_arrow} points) or L still did "
                 f"({with_l} points)")
        wait_for(lambda: game.shows_button(back), 60, "the results screen again")
        game.click(back)
        game.move_mouse_away()
        game.click(find_button(game.assets, "TitleScreenMap.tmx", "QuitState"))
        game.wait_for_exit()
        print(f"player 1: {with_l} points holding L, {with_arrow} holding the Right arrow")
    finally:
        game.cleanup()


def main():
    binary, source = sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"]
    shots = os.path.join(os.getcwd(), "e2e-shots", "settings")
    config = tempfile.mkdtemp(prefix="tumbleleaf-e2e-config-")
    try:
        arrows = rebind(binary, source, shots, config)
        play_with_kept_keys(binary, source, shots, config, arrows)
    finally:
        shutil.rmtree(config, ignore_errors=True)
    print("PASS: player 1 rebinds to the arrow keys, keeps them and steers with them")


if __name__ == "__main__":
    main()
