#!/usr/bin/env python3
"""The menus without a mouse: from the title to the settings and back, into a race and back,
and out through Quit, with the arrow keys, Enter and Escape alone. The highlight shows only once
a key is used, walks the buttons in reading order round from the last to the first, and is the
hover tint with an outline. Screenshots are kept in e2e-shots/menukeys/."""
import os
import sys

from gamedriver import HOVER_TINT, Game, colour_near, fail, find_button, wait_for

OUTLINE = (255, 214, 64)


def main():
    shots = os.path.join(os.getcwd(), "e2e-shots", "menukeys")
    game = Game(sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"], shots)
    try:
        title = "TitleScreenMap.tmx"
        play, courses, tutorial, settings, quit_button = (
            find_button(game.assets, title, state)
            for state in ("GameState", "CoursesState", "TutorialState", "SettingsState",
                          "QuitState"))
        back = find_button(game.assets, "SettingsScreenMap.tmx", "MenuState")

        def lit(button, shot=None):
            shot = shot or game.screenshot()
            wanted = tuple(c * HOVER_TINT // 255 for c in button.expected_centre_colour())
            return colour_near(shot.getpixel(game.on_screen(button.centre())), wanted, 3)

        def only_lit(button, others):
            shot = game.screenshot()
            return lit(button, shot) and not any(lit(other, shot) for other in others)

        # In reading order: the highlight walks them from the top.
        title_buttons = sorted([play, courses, tutorial, settings, quit_button],
                               key=lambda b: (b.y, b.x))
        first, second, last = title_buttons[0], title_buttons[1], title_buttons[-1]
        game.move_mouse_away()
        wait_for(lambda: all(game.shows_button(b) for b in title_buttons), 60,
                 "the title, nothing lit")
        game.press_key("Down", lambda: only_lit(first, title_buttons[1:]), "the first button lit")
        edge = game.on_screen((first.x - 3, first.centre()[1]))
        shot = game.screenshot("highlight")
        if not colour_near(shot.getpixel(edge), OUTLINE, 3):
            fail(f"no outline around the lit button: {shot.getpixel(edge)} at {edge}")
        game.press_key("Down", lambda: only_lit(second, [first, title_buttons[2]]),
                       "the second button lit")
        game.press_key("Up", lambda: only_lit(first, [second]), "back up to the first")
        game.press_key("Up", lambda: only_lit(last, [first]), "round to the last button")
        game.press_key("Down", lambda: only_lit(first, [last]), "round to the first again")
        for button in title_buttons[1:title_buttons.index(settings) + 1]:
            game.press_key("Down", lambda: lit(button), f"{button.name} lit")
        game.press_key("Return", lambda: game.shows_button(back), "the settings screen")
        game.press_key("Escape", lambda: game.shows_button(play), "the title after Escape")

        for button in title_buttons[:title_buttons.index(play) + 1]:
            game.press_key("Down", lambda: lit(button), f"{button.name} lit")
        game.press_key("Return", lambda: game.shows_divider(), "the race")
        game.press_key("Escape", lambda: game.shows_button(play), "the title after the race")
        game.press_key("Up", lambda: lit(first), "the first button lit on the title again")
        game.press_key("Up", lambda: lit(last), "the last button lit")
        game.xdotool("keydown", "Return")
        try:
            game.wait_for_exit()
        finally:
            game.xdotool("keyup", "Return")
    finally:
        game.cleanup()
    print("PASS: title, settings, race and quit reached with the keys alone")


if __name__ == "__main__":
    main()
