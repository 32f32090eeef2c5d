"""Drives the real game the way a player would, each game on an X server of its own (so that
tests run side by side): it starts the game in a scratch copy of the game folder (so races never
write into the checkout), finds its window, clicks buttons read from the maps, holds keys, takes
screenshots and closes the game. Every game keeps its settings and saved data in folders of the
test's own (XDG_CONFIG_HOME and XDG_DATA_HOME), never in the real home. Also: where the game draws its 1920x1080 layout in a window of
another size, and small race maps with pictures of their own for --level."""
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

from PIL import Image, ImageChops, ImageStat
from Xlib import X, display, protocol

TITLE = "Tumbleleaf"
DESIGN = (1920, 1080)  # every screen is laid out for this size and scaled to the window
HOVER_TINT = 180  # a button under the mouse is drawn at this share of 255 of its colours
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


class PrivateScreen:
    """An Xvfb of its own. -displayfd hands back the display number once the server accepts
    connections; -noreset keeps it from resetting when a short-lived client leaves."""

    def __init__(self, size=DESIGN):
        self.size = tuple(size)
        self.log = tempfile.TemporaryFile(mode="w+")
        ready, told = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(told), "-screen", "0", f"{size[0]}x{size[1]}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(told,), stdout=subprocess.DEVNULL, stderr=self.log)
        os.close(told)
        number = b""
        deadline = time.monotonic() + 60
        while not number.endswith(b"\n"):
            if not select.select([ready], [], [], max(0.0, deadline - time.monotonic()))[0]:
                break
            chunk = os.read(ready, 16)
            if not chunk:
                break
            number += chunk
        os.close(ready)
        if not number.strip().isdigit():
            self.close()
            self.log.seek(0)
            fail(f"Xvfb did not start: {self.log.read()[-2000:]}")
        self.name = ":" + number.strip().decode()
        self.env = dict(os.environ, DISPLAY=self.name)

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait()

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()


def letterbox(size):
    """Where a window of `size` shows the design: (left, top, scale) in the window's pixels."""
    scale = min(size[0] / DESIGN[0], size[1] / DESIGN[1])
    return (size[0] - DESIGN[0] * scale) / 2, (size[1] - DESIGN[1] * scale) / 2, scale


def design_to_window(point, size):
    left, top, scale = letterbox(size)
    return round(left + point[0] * scale), round(top + point[1] * scale)


REGIONS = (8, 6)  # columns and rows of the layout compared on their own
# The title's text scaled into a 1000x900 window differs from the layout by about 10 levels in
# its worst region; the title without one of its buttons by over 30.
LETTERBOX_LIMIT = 16


def mean_difference(shot, reference):
    """The largest mean absolute difference per channel, 0 to 255, in any of the REGIONS of two
    pictures of one thing at any two sizes, both averaged down to a quarter of the layout's size
    (or the shot's, if smaller): scaling filters differ in every fine detail, while a picture
    out of place, out of scale or missing differs in every coarse one of its region (over the
    whole layout, one missing button would hardly move the mean)."""
    size = (min(shot.width, DESIGN[0] // 4), min(shot.height, DESIGN[1] // 4))
    shot = shot.convert("RGB").resize(size, Image.BOX)
    reference = reference.convert("RGB").resize(size, Image.BOX)
    difference = ImageChops.difference(shot, reference)
    columns, rows = REGIONS
    return max(sum(ImageStat.Stat(difference.crop((
        size[0] * column // columns, size[1] * row // rows,
        size[0] * (column + 1) // columns, size[1] * (row + 1) // rows))).mean) / 3
               for column in range(columns) for row in range(rows))


def is_black(picture, box):
    """True when every pixel of the box (left, top, right, bottom) is black."""
    return picture.crop(box).convert("L").getextrema()[1] == 0


def letterbox_problem(shot, reference, limit=LETTERBOX_LIMIT):
    """What is wrong with `shot` as the 1920x1080 `reference` shown in a window of the shot's
    size: bars that are not black, content that starts or ends in the wrong place, or content
    that differs from the reference scaled down by more than `limit` levels on average in some
    region. None when nothing is."""
    width, height = shot.size
    left, top, scale = letterbox(shot.size)
    # The content's edges may blend with a bar over one pixel; two pixels in are all content.
    inner = (round(left) + 2, round(top) + 2,
             round(left + DESIGN[0] * scale) - 2, round(top + DESIGN[1] * scale) - 2)
    bars = [box for box in ((0, 0, inner[0] - 3, height), (inner[2] + 3, 0, width, height),
                            (0, 0, width, inner[1] - 3), (0, inner[3] + 3, width, height))
            if box[2] > box[0] and box[3] > box[1]]
    for box in bars:
        if not is_black(shot, box):
            return f"the bar {box} is not black"
    edges = {"left": (inner[0], inner[1], inner[0] + 4, inner[3]),
             "right": (inner[2] - 4, inner[1], inner[2], inner[3]),
             "top": (inner[0], inner[1], inner[2], inner[1] + 4),
             "bottom": (inner[0], inner[3] - 4, inner[2], inner[3])}
    for edge, box in edges.items():
        if is_black(shot, box):
            return f"the content's {edge} edge {box} is black"
    content = shot.crop(inner)
    # The same part of the reference, by the design coordinates of the inner box.
    seen = reference.crop(tuple(round((value - offset) / scale * reference.width / DESIGN[0])
                                for value, offset in zip(inner, (left, top, left, top))))
    difference = mean_difference(content, seen)
    if difference > limit:
        return f"a region of the content differs from the reference by {difference:.1f} levels"
    return None


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
        return self.expected_colour(self.centre())

    def expected_colour(self, point):
        """The picture's colour at a point of the layout inside the button."""
        with Image.open(self.picture) as picture:
            picture = picture.convert("RGBA")
            return picture.getpixel((int(point[0] - self.x), int(point[1] - self.y)))[:3]


def map_buttons(assets, map_file):
    root = ElementTree.parse(os.path.join(assets, map_file)).getroot()
    return [MapButton(o, assets) for o in root.iter("object")
            if o.get("type") in ("GamestateButton", "SettingsButton")]


def find_button(assets, map_file, next_state):
    for button in map_buttons(assets, map_file):
        if button.next_state == next_state:
            return button
    fail(f"{map_file} has no button to {next_state}")


def find_setting(assets, functionality):
    for button in map_buttons(assets, "SettingsScreenMap.tmx"):
        if button.functionality == functionality:
            return button
    fail(f"the settings screen has no button that does {functionality}")


class Game:
    """The game started in a scratch folder `root` with a copy of the game's assets/ and an
    empty bin/, on an X server of its own whose screen is `screen_size`. It runs in `cwd`
    (relative to root; bin/ by default) with `args`; with `own_copy` the binary is copied to
    root/bin/ and started from there, as an installed game would be. Its settings are kept in
    `config_home` (a folder the caller owns, for a game started again), else in one under root."""

    def __init__(self, binary, source_dir, shots_dir, args=(), screen_size=DESIGN, cwd="bin",
                 own_copy=False, config_home=None):
        self.config_home = config_home
        self.screen = PrivateScreen(screen_size)
        self.screen_size = self.screen.size
        self.process = None
        self.root = tempfile.mkdtemp(prefix="tumbleleaf-e2e-")
        try:
            self._start(binary, source_dir, shots_dir, args, cwd, own_copy)
        except BaseException:
            self.cleanup()
            raise

    def _start(self, binary, source_dir, shots_dir, args, cwd, own_copy):
        binary = os.path.abspath(binary)
        self.assets = os.path.join(self.root, "assets")
        shutil.copytree(os.path.join(source_dir, "assets"), self.assets)
        leaderboard = os.path.join(self.assets, "SaveFiles", "Leaderboard.txt")
        if os.path.exists(leaderboard):
            os.remove(leaderboard)
        os.makedirs(os.path.join(self.root, "bin"))
        if own_copy:
            binary = shutil.copy2(binary, os.path.join(self.root, "bin", "tumbleleaf"))
        self.cwd = os.path.join(self.root, cwd)
        os.makedirs(self.cwd, exist_ok=True)
        self.shots_dir = shots_dir
        os.makedirs(shots_dir, exist_ok=True)
        self.errors = tempfile.TemporaryFile(mode="w+")
        self.config_home = self.config_home or os.path.join(self.root, "config")
        # A test that lays out a data folder of its own names it in TUMBLELEAF_E2E_DATA_HOME.
        data_home = os.environ.get("TUMBLELEAF_E2E_DATA_HOME") or os.path.join(self.root, "data")
        env = dict(self.screen.env, XDG_CONFIG_HOME=self.config_home, XDG_DATA_HOME=data_home)
        self.process = subprocess.Popen([binary, *args], cwd=self.cwd, env=env,
                                        stderr=self.errors)
        self.dpy = display.Display(self.screen.name)
        self.window = wait_for(self._find_window, 120, "the game window")

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

    def window_size(self):
        return self.window_placement()[:2]

    def screenshot(self, name=None, window_only=False):
        """The whole screen, or just the game's window."""
        path = os.path.join(self.shots_dir, (name or "latest") + ".png")
        window = hex(self.window.id) if window_only else "root"
        subprocess.run(["import", "-window", window, path], check=True, env=self.screen.env)
        with Image.open(path) as shot:
            return shot.convert("RGB")

    def settled_shot(self, name, window_only=False, timeout=120):
        """The first picture that is not all black and is the same in two screenshots in a
        row: a screen that has been drawn and holds still."""
        previous = None
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            shot = self.screenshot(name, window_only)
            if shot.getbbox() is not None and previous is not None and \
                    ImageChops.difference(shot, previous).getbbox() is None:
                return shot
            previous = shot
            time.sleep(0.2)
        fail(f"timed out waiting for a still picture ({name})")

    def wait_for_letterboxed(self, reference, name, size=None, limit=LETTERBOX_LIMIT,
                             timeout=120):
        """Waits until the screen, or with a `size` the window at that size, shows `reference`
        fitted as the game fits its layout; fails with the last thing found wrong."""
        window_only = size is not None
        size = size or self.screen_size
        deadline = time.monotonic() + timeout
        while True:
            shot = self.screenshot(name, window_only)
            problem = (f"the picture is {shot.size}, not {size}" if shot.size != size
                       else letterbox_problem(shot, reference, limit))
            if problem is None:
                return shot
            if time.monotonic() > deadline:
                fail(f"{name}: {problem}")
            time.sleep(0.3)

    def on_screen(self, design_point):
        """Where the game draws a point of its 1920x1080 layout, on the screen."""
        width, height, x, y, _ = self.window_placement()
        inside = design_to_window(design_point, (width, height))
        return x + inside[0], y + inside[1]

    def shows_button(self, button, shot=None):
        shot = shot or self.screenshot()
        return shot.getpixel(self.on_screen(button.centre())) == button.expected_centre_colour()

    def shows_divider(self, shot=None):
        """The race draws a white bar down the middle of the window."""
        shot = shot or self.screenshot()
        x = self.screen_size[0] // 2 + 10
        return all(shot.getpixel((x, y)) == (255, 255, 255)
                   for y in range(50, self.screen_size[1], 200))

    def settings_text(self):
        """The settings file as the game last wrote it; None before it first does."""
        path = os.path.join(self.config_home, "tumbleleaf", "settings.ini")
        if not os.path.exists(path):
            return None
        with open(path, encoding="utf-8") as settings:
            return settings.read()

    def leaderboard_lines(self):
        path = os.path.join(self.assets, "SaveFiles", "Leaderboard.txt")
        if not os.path.exists(path):
            return []
        with open(path, newline="") as board:
            return board.read().splitlines(keepends=True)

    # --- acting --------------------------------------------------------------------------

    def xdotool(self, *arguments):
        subprocess.run(["xdotool", *map(str, arguments)], check=True, env=self.screen.env)

    def move_mouse_away(self):
        self.xdotool("mousemove", 2, 2)
        time.sleep(0.2)

    def click(self, button, at=None):
        """Points at the button (its centre, or the layout point `at` on it where no label
        covers it) until the game draws it lit, then holds it down until the game draws the
        press (the button darker, or the next screen): a frame slowed down by the sanitizers
        cannot miss the click."""
        at = at or button.centre()
        point = self.on_screen(at)
        self.xdotool("mousemove", *point)
        lit = tuple(c * HOVER_TINT // 255 for c in button.expected_colour(at))
        wait_for(lambda: colour_near(self.screenshot().getpixel(point), lit, 3), 60,
                 f"{button.name} lit under the mouse")
        self.xdotool("mousedown", 1)
        wait_for(lambda: not colour_near(self.screenshot().getpixel(point), lit, 3), 60,
                 f"the game to take the click on {button.name}")
        self.xdotool("mouseup", 1)
        self.move_mouse_away()

    def hold_key(self, key, seconds):
        self.xdotool("keydown", key)
        time.sleep(seconds)
        self.xdotool("keyup", key)

    def press_key(self, key, seen, what, timeout=120):
        """Holds the key until `seen()` tells that the game took it, then lets go; the game
        acts on the press alone, so holding longer changes nothing."""
        self.xdotool("keydown", key)
        try:
            wait_for(seen, timeout, what)
        finally:
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
        stderr = self.stderr()
        sys.stderr.write(stderr[-4000:])
        if status != 0:
            fail(f"the game exited with status {status}")
        for mark in SANITIZER_MARKS:
            if mark in stderr:
                fail(f"sanitizer report: {mark}")
        return stderr

    def stderr(self):
        self.errors.seek(0)
        return self.errors.read()

    def cleanup(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.screen.close()
        shutil.rmtree(self.root, ignore_errors=True)


# --- race maps of the tests' own ----------------------------------------------------------

TILE = 32
PLAYER_STARTS = {"Player1": (1316, 150), "Player2": (548, 150)}  # as in the game's own race
RACER_PICTURE = (48, 96)


def write_race_map(folder, cells, colours, racer_colours):
    """Writes race.tmx into `folder` with its pictures beside it: tiles.png, whose tile k (gid
    k + 1) is a square of colours[k], and racer1.png / racer2.png, plain pictures of the two
    racer_colours. `cells` are the ground's gids, row by row. Both racers have mass 0, so they
    never move and every frame of the race is the same. Returns the map's path."""
    os.makedirs(folder, exist_ok=True)
    tiles = Image.new("RGB", (TILE * len(colours), TILE))
    for k, colour in enumerate(colours):
        tiles.paste(colour, (k * TILE, 0, (k + 1) * TILE, TILE))
    tiles.save(os.path.join(folder, "tiles.png"))
    for number, colour in enumerate(racer_colours, start=1):
        Image.new("RGB", RACER_PICTURE, colour).save(os.path.join(folder, f"racer{number}.png"))
    rows, cols = len(cells), len(cells[0])

    def layer(layer_id, name, grid):
        data = ",\n".join(",".join(map(str, row)) for row in grid)
        return (f' <layer id="{layer_id}" name="{name}" width="{cols}" height="{rows}">\n'
                f'  <data encoding="csv">\n{data}\n</data>\n </layer>')

    def thing(object_id, name, kind, x, y, width, height, **properties):
        listed = "".join(f'    <property name="{key}" value="{value}"/>\n'
                         for key, value in properties.items())
        return (f'  <object id="{object_id}" name="{name}" type="{kind}" x="{x}" y="{y}" '
                f'width="{width}" height="{height}">\n   <properties>\n{listed}'
                f'   </properties>\n  </object>')

    racers = [thing(number, name, "Player", x, y, 56, 56, texturepath=f"racer{number}.png",
                    mass=0, correspondingLayer="Racers")
              for number, (name, (x, y)) in enumerate(PLAYER_STARTS.items(), start=1)]
    finish = thing(3, "WinZone", "WinZone", 0, (rows - 2) * TILE, cols * TILE, 2 * TILE,
                   mass=1000, correspondingLayer="Ground")
    text = "\n".join([
        '<?xml version="1.0" encoding="UTF-8"?>',
        f'<map version="1.10" orientation="orthogonal" renderorder="right-down" width="{cols}" '
        f'height="{rows}" tilewidth="{TILE}" tileheight="{TILE}" infinite="0" '
        f'nextlayerid="4" nextobjectid="4">',
        f' <tileset firstgid="1" name="Colours" tilewidth="{TILE}" tileheight="{TILE}" '
        f'tilecount="{len(colours)}" columns="{len(colours)}">',
        f'  <image source="tiles.png" width="{TILE * len(colours)}" height="{TILE}"/>',
        ' </tileset>',
        layer(1, "Ground", cells),
        layer(2, "Racers", [[0] * cols for _ in range(rows)]),
        ' <objectgroup id="3" name="Racers">', *racers, finish, ' </objectgroup>',
        '</map>', ''])
    path = os.path.join(folder, "race.tmx")
    with open(path, "w", encoding="utf-8") as tmx:
        tmx.write(text)
    return path


def course_point(world, player):
    """Where the game draws a point of the course, in its 1920x1080 layout, while the camera
    follows `player` (standing still at its start): the camera shows 1.5 times the course that
    fits its half of the screen, with the racer a sixth of the way down."""
    x, y = PLAYER_STARTS[player]
    half_left = 960 if player == "Player1" else 0
    return half_left + 480 + (world[0] - x) / 1.5, 540 + (world[1] - y - 540) / 1.5


def colour_near(actual, wanted, tolerance=2):
    return all(abs(a - w) <= tolerance for a, w in zip(actual, wanted))


LEADERBOARD_LINE = re.compile(r"^\.\./assets/[^,\r\n]+\.png,-?\d+\n$")


def parse_scores(lines):
    for line in lines:
        if not LEADERBOARD_LINE.match(line):
            fail(f"malformed leaderboard line {line!r}")
    return [(line.split(",")[0], int(line.rstrip("\n").split(",")[1])) for line in lines]
