"""Drives the real game under the X server in $DISPLAY the way a player would: it starts the
game in a scratch copy of the game folder (so races never write into the checkout), finds its
window, clicks buttons read from the maps, holds keys, takes screenshots and closes the game."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

from PIL import Image
from Xlib import X, display, protocol

TITLE = "Tumbleleaf"
SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:")


def fail(message):
    sys.exit(f"FAIL: {message}")


def wait_for(condition, timeout, what, poll=0.2):
    """Polls `condition` until it gives something true; fails the test after `timeout` s."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(poll)
    fail(f"timed out after {timeout} s waiting for {what}")


class MapButton:
    """A "GamestateButton" or "SettingsButton" of a map, and the picture it shows."""

    def __init__(self, element, assets):
        self.name = element.get("name")
        self.x, self.y = float(element.get("x")), float(element.get("y"))
        self.width, self.height = float(element.get("width")), float(element.get("height"))
        properties = {p.get("name"): p.get("value") for p in element.iter("property")}
        self.next_state = properties.get("nextState")
        self.functionality = properties.get("functionality")
        self.picture = os.path.join(assets, properties["texturepath"])

    def centre(self):
        return int(self.x + self.width / 2), int(self.y + self.height / 2)

    def expected_centre_colour(self):
        with Image.open(self.picture) as picture:
            picture = picture.convert("RGBA")
            return picture.getpixel((picture.width // 2, picture.height // 2))[:3]


def map_buttons(assets, map_file):
    root = ElementTree.parse(os.path.join(assets, map_file)).getroot()
    return [MapButton(o, assets) for o in root.iter("object")
            if o.get("type") in ("GamestateButton", "SettingsButton")]


def find_button(assets, map_file, next_state):
    for button in map_buttons(assets, map_file):
        if button.next_state == next_state:
            return button
    fail(f"{map_file} has no button to {next_state}")


class Game:
    def __init__(self, binary, source_dir, shots_dir):
        self.root = tempfile.mkdtemp(prefix="tumbleleaf-e2e-")
        self.assets = os.path.join(self.root, "assets")
        shutil.copytree(os.path.join(source_dir, "assets"), self.assets)
        leaderboard = os.path.join(self.assets, "SaveFiles", "Leaderboard.txt")
        if os.path.exists(leaderboard):
            os.remove(leaderboard)
        os.makedirs(os.path.join(self.root, "bin"))
        self.shots_dir = shots_dir
        os.makedirs(shots_dir, exist_ok=True)
        self.errors = tempfile.TemporaryFile(mode="w+")
        self.process = subprocess.Popen([binary], cwd=os.path.join(self.root, "bin"),
                                        stderr=self.errors)
        self.dpy = display.Display()
        self.window = wait_for(self._find_window, 60, "the game window")
        self.screen_size = (self.dpy.screen().width_in_pixels,
                            self.dpy.screen().height_in_pixels)

    # --- looking -------------------------------------------------------------------------

    def _find_window(self):
        def walk(window):
            try:
                if window.get_wm_name() == TITLE:
                    return window
                children = window.query_tree().children
            except Exception:  # the window went away while we looked
                return None
            for child in children:
                found = walk(child)
                if found is not None:
                    return found
            return None
        return walk(self.dpy.screen().root)

    def window_placement(self):
        geometry = self.window.get_geometry()
        origin = self.window.translate_coords(self.dpy.screen().root, 0, 0)
        return geometry.width, geometry.height, -origin.x, -origin.y, geometry.border_width

    def screenshot(self, name=None):
        path = os.path.join(self.shots_dir, (name or "latest") + ".png")
        subprocess.run(["import", "-window", "root", path], check=True,
                       env=dict(os.environ))
        with Image.open(path) as shot:
            return shot.convert("RGB")

    def shows_button(self, button, shot=None):
        shot = shot or self.screenshot()
        return shot.getpixel(button.centre()) == button.expected_centre_colour()

    def shows_divider(self, shot=None):
        """The race draws a white bar down the middle of the window."""
        shot = shot or self.screenshot()
        x = self.screen_size[0] // 2 + 10
        return all(shot.getpixel((x, y)) == (255, 255, 255)
                   for y in range(50, self.screen_size[1], 200))

    def leaderboard_lines(self):
        path = os.path.join(self.assets, "SaveFiles", "Leaderboard.txt")
        if not os.path.exists(path):
            return []
        with open(path, newline="") as board:
            return board.read().splitlines(keepends=True)

    # --- acting --------------------------------------------------------------------------

    def xdotool(self, *arguments):
        subprocess.run(["xdotool", *map(str, arguments)], check=True)

    def move_mouse_away(self):
        self.xdotool("mousemove", 2, 2)
        time.sleep(0.2)

    def click(self, button):
        """Presses long enough for several frames to see it, as a person would."""
        x, y = button.centre()
        self.xdotool("mousemove", x, y)
        time.sleep(0.3)
        self.xdotool("mousedown", 1)
        time.sleep(0.4)
        self.xdotool("mouseup", 1)
        time.sleep(0.2)
        self.move_mouse_away()

    def hold_key(self, key, seconds):
        self.xdotool("keydown", key)
        time.sleep(seconds)
        self.xdotool("keyup", key)

    def request_close(self):
        """What a window manager sends when the user closes a window."""
        wm_protocols = self.dpy.intern_atom("WM_PROTOCOLS")
        wm_delete = self.dpy.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=self.window, client_type=wm_protocols,
                                             data=(32, [wm_delete, X.CurrentTime, 0, 0, 0]))
        self.window.send_event(event, event_mask=X.NoEventMask)
        self.dpy.flush()

    # --- ending --------------------------------------------------------------------------

    def wait_for_exit(self, timeout=60):
        """Waits for the game to end by itself and checks that it ended cleanly."""
        try:
            status = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            fail("the game did not end")
        self.errors.seek(0)
        stderr = self.errors.read()
        sys.stderr.write(stderr[-4000:])
        if status != 0:
            fail(f"the game exited with status {status}")
        for mark in SANITIZER_MARKS:
            if mark in stderr:
                fail(f"sanitizer report: {mark}")
        return stderr

    def cleanup(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.root, ignore_errors=True)


LEADERBOARD_LINE = re.compile(r"^\.\./assets/[^,\r\n]+\.png,-?\d+\n$")


def parse_scores(lines):
    for line in lines:
        if not LEADERBOARD_LINE.match(line):
            fail(f"malformed leaderboard line {line!r}")
    return [(line.split(",")[0], int(line.rstrip("\n").split(",")[1])) for line in lines]
