#!/usr/bin/env python3
"""`cmake --install` puts the game where a Linux player expects it: the game and the checker in
PREFIX/bin, the assets in PREFIX/share/tumbleleaf, a menu entry, icons and the manual. The
installed game started from a folder of its own finds its assets from where it is, and with no
writable save folder among its assets (as under /usr) the leaderboard it empties is the one
under $XDG_DATA_HOME/tumbleleaf.
Usage: install_test.py GAME BUILD_DIR (from the build's tests folder)"""
import os
import shutil
import subprocess
import sys
import tempfile

from gamedriver import Game, fail, find_button, map_buttons, wait_for

INSTALLED = ["bin/tumbleleaf", "bin/tumbleleaf-mapcheck", "share/tumbleleaf/TileMap.tmx",
             "share/tumbleleaf/courses/Sprint.tmx", "share/tumbleleaf/tumbleleaf.tiled-project",
             "share/applications/tumbleleaf.desktop",
             "share/icons/hicolor/48x48/apps/tumbleleaf.png",
             "share/icons/hicolor/256x256/apps/tumbleleaf.png",
             "share/doc/tumbleleaf/README.md", "share/doc/tumbleleaf/docs/title.png"]


def main():
    build = os.path.abspath(sys.argv[2])
    source = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
    scratch = tempfile.mkdtemp(prefix="tumbleleaf-install-")
    try:
        prefix = os.path.join(scratch, "prefix")
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True,
                       stdout=subprocess.DEVNULL)
        for path in INSTALLED:
            if not os.path.isfile(os.path.join(prefix, path)):
                fail(f"cmake --install did not install {path}")
        share = os.path.join(prefix, "share", "tumbleleaf")
        remarks = subprocess.run([os.path.join(prefix, "bin", "tumbleleaf-mapcheck"),
                                  os.path.join(share, "TileMap.tmx")],
                                 capture_output=True, text=True)
        if remarks.returncode != 0 or remarks.stdout:
            fail(f"the installed checker speaks up on the installed race: {remarks.stdout!r}")
        # Root may write anywhere; a save folder that is not there stands for one not writable.
        shutil.rmtree(os.path.join(share, "SaveFiles"))
        data = os.path.join(scratch, "data")
        os.environ["TUMBLELEAF_E2E_DATA_HOME"] = data
        played(os.path.join(prefix, "bin", "tumbleleaf"), source, build)
        saved = os.path.join(data, "tumbleleaf", "SaveFiles", "Leaderboard.txt")
        wait_for(lambda: os.path.isfile(saved), 60, f"the emptied leaderboard at {saved}")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


def played(binary, source, build):
    game = Game(binary, source, os.path.join(build, "tests", "e2e-shots", "install"),
                cwd="elsewhere/deeper")
    try:
        game.move_mouse_away()
        settings = find_button(game.assets, "TitleScreenMap.tmx", "SettingsState")
        wait_for(lambda: game.shows_button(settings), 120, "the title")
        game.click(settings)
        delete = next(b for b in map_buttons(game.assets, "SettingsScreenMap.tmx")
                      if b.functionality == "DeleteSave")
        wait_for(lambda: game.shows_button(delete), 120, "the settings")
        game.click(delete)
        game.request_close()
        game.wait_for_exit()
    finally:
        game.cleanup()


if __name__ == "__main__":
    main()
