#!/usr/bin/env python3
"""Starting the game from elsewhere and with options: an installed copy started from a folder
without assets finds the assets beside itself; a copy with no assets anywhere says where it
looked and exits 1 before it opens any window; --help and an unknown option answer on the
terminal alone, and so does a --level naming no file."""
import os
import shutil
import subprocess
import sys
import tempfile

from Xlib import X, display

from gamedriver import Game, PrivateScreen, fail, find_button, wait_for


def started_elsewhere(binary, source, shots):
    # root/elsewhere/deeper: its ../assets is root/elsewhere/assets, which does not exist.
    game = Game(binary, source, shots, cwd="elsewhere/deeper", own_copy=True)
    try:
        game.move_mouse_away()
        play = find_button(game.assets, "TitleScreenMap.tmx", "GameState")
        wait_for(lambda: game.shows_button(play), 120, "the title")
        game.request_close()
        game.wait_for_exit()
    finally:
        game.cleanup()


def without_assets(binary, scratch):
    scratch = os.path.realpath(scratch)
    installed = os.path.join(scratch, "lonely", "bin")
    elsewhere = os.path.join(scratch, "nowhere", "deeper")
    os.makedirs(installed)
    os.makedirs(elsewhere)
    copy = shutil.copy2(binary, installed)
    with PrivateScreen() as screen:
        # Every window made on this server, however briefly, is reported to this connection.
        watcher = display.Display(screen.name)
        watcher.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        watcher.sync()
        try:
            run = subprocess.run([copy], cwd=elsewhere, env=screen.env, capture_output=True,
                                 text=True, timeout=120)
        except subprocess.TimeoutExpired:
            fail("the game without assets did not end")
        watcher.sync()
        while watcher.pending_events():
            event = watcher.next_event()
            if event.type == X.CreateNotify:
                fail(f"the game without assets opened a window ({run.stderr!r})")
        watcher.close()
    if run.returncode != 1:
        fail(f"without assets the game exited with {run.returncode}, not 1: {run.stderr!r}")
    for looked in (os.path.join(scratch, "nowhere", "assets"),
                   os.path.join(scratch, "lonely", "assets")):
        if looked not in run.stderr:
            fail(f"the message does not name {looked}: {run.stderr!r}")


def options(binary):
    no_display = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    run = subprocess.run([binary, "--help"], env=no_display, capture_output=True, text=True,
                         timeout=120)
    if run.returncode != 0 or not run.stdout.startswith("usage: tumbleleaf") or \
            "--level" not in run.stdout:
        fail(f"--help gave {run.returncode}, {run.stdout!r}, {run.stderr!r}")
    run = subprocess.run([binary, "--full-screen"], env=no_display, capture_output=True,
                         text=True, timeout=120)
    lines = run.stderr.splitlines()
    if run.returncode != 2 or len(lines) != 1 or "--full-screen" not in lines[0] or run.stdout:
        fail(f"an unknown option gave {run.returncode}, {run.stdout!r}, {run.stderr!r}")
    missing = "/nonexistent/Race.tmx"
    run = subprocess.run([binary, "--level", missing], env=no_display, capture_output=True,
                         text=True, timeout=120)
    if run.returncode != 1 or run.stderr != f"tumbleleaf: no map file at {missing}\n":
        fail(f"--level naming no file gave {run.returncode}, {run.stderr!r}")


def main():
    binary, source = sys.argv[1], os.environ["TUMBLELEAF_SOURCE_DIR"]
    shots = os.path.join(os.getcwd(), "e2e-shots", "launch")
    options(binary)
    started_elsewhere(binary, source, shots)
    with tempfile.TemporaryDirectory(prefix="tumbleleaf-no-assets-") as scratch:
        without_assets(binary, scratch)
    print("PASS: found its assets from elsewhere, said where it looked without them, "
          "and answered --help and a wrong option")


if __name__ == "__main__":
    main()
