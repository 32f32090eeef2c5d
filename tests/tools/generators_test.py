#!/usr/bin/python3
"""Rebuilds the game's content into a scratch folder with the generators in tools/ and checks
that it is exactly what is committed under assets/: no map, picture or music edited by hand or
left behind when a generator changed, and no generator that depends on chance. Then checks the
committed content against the rules of the game it is made for: every screen reachable, racers
that suit how they are cut, races that name themselves and end without steering, grounds that
look like what they are."""
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import wave
import xml.etree.ElementTree as ET

from PIL import Image

ROOT = os.environ.get("TUMBLELEAF_SOURCE_DIR",
                      os.path.normpath(os.path.join(os.path.dirname(__file__), "..", "..")))
ASSETS = os.path.join(ROOT, "assets")
FONT = os.path.join("fonts", "mini-pixel-7", "mini_pixel-7.ttf")
# Files that no generator here writes: the menu music, what copy-font.sh and the game put in
# place, and the Tiled project.
NOT_GENERATED = {os.path.join("Music", "TestLoop.wav"), FONT,
                 os.path.join("fonts", "mini-pixel-7", "LICENSE"),
                 os.path.join("fonts", "mini-pixel-7", "README"),
                 os.path.join("SaveFiles", ".gitkeep"),
                 os.path.join("SaveFiles", "Leaderboard.txt"),
                 # made from the factory's table by tumbleleaf-tiledproject, checked by the
                 # test tools.tiled_project
                 "tumbleleaf.tiled-project", "tumbleleaf-objecttypes.xml"}


def files_under(folder):
    found = set()
    for base, _, names in os.walk(folder):
        found |= {os.path.relpath(os.path.join(base, n), folder) for n in names}
    return found


class GeneratorsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="tumbleleaf-content-")
        os.makedirs(os.path.dirname(os.path.join(cls.scratch, FONT)))
        shutil.copy(os.path.join(ASSETS, FONT), os.path.join(cls.scratch, FONT))
        env = dict(os.environ, TUMBLELEAF_CONTENT_DIR=cls.scratch)
        tools = os.path.join(ROOT, "tools")
        for command in ([sys.executable, os.path.join(tools, "make-pictures.py")],
                        [sys.executable, os.path.join(tools, "make-maps.py")],
                        [os.path.join(tools, "make-level-music.sh")],
                        [os.path.join(tools, "make-sounds.sh")]):
            subprocess.run(command, env=env, check=True, stdout=subprocess.DEVNULL)
        cls.made = files_under(cls.scratch) - {FONT}

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch)

    def test_every_committed_file_comes_from_a_generator_and_back(self):
        self.assertEqual(files_under(ASSETS) - NOT_GENERATED, self.made)

    def test_maps_and_music_are_what_the_generators_write(self):
        for name in sorted(self.made):
            if name.endswith((".tmx", ".wav")):
                with self.subTest(name):
                    self.assertTrue(filecmp.cmp(os.path.join(ASSETS, name),
                                                os.path.join(self.scratch, name), shallow=False))

    def test_pictures_are_what_the_generator_draws(self):
        # Compared by pixels: the PNG bytes may differ with the compression library.
        for name in sorted(n for n in self.made if n.endswith(".png")):
            with self.subTest(name):
                with Image.open(os.path.join(ASSETS, name)) as committed, \
                        Image.open(os.path.join(self.scratch, name)) as fresh:
                    self.assertEqual(committed.size, fresh.size)
                    self.assertEqual(committed.convert("RGBA").tobytes(),
                                     fresh.convert("RGBA").tobytes())


class Box:
    """An axis-aligned rectangle; like the game's, boxes that only touch do not overlap."""

    def __init__(self, x, y, w, h):
        self.x, self.y, self.w, self.h = x, y, w, h

    def overlaps(self, other):
        return (self.x < other.x + other.w and other.x < self.x + self.w and
                self.y < other.y + other.h and other.y < self.y + self.h)


class Map:
    """A committed map as the game reads it: objects in file order, a later property of the
    same name winning, and the cells of every tile layer. Paths in it are read from its own
    folder."""

    def __init__(self, name):
        self.name = name
        root = ET.parse(os.path.join(ASSETS, name)).getroot()
        self.properties = {p.get("name"): p.get("value")
                           for p in root.findall("properties/property")}
        self.layers = [(int(layer.get("width")), [int(c) for c in layer.find("data").text.split(",")])
                       for layer in root.iter("layer")]
        self.objects = []
        for element in root.iter("object"):
            props = {p.get("name"): p.get("value") for p in element.iter("property")}
            box = Box(*(int(element.get(k, 0)) for k in ("x", "y", "width", "height")))
            self.objects.append((element.get("name"), element.get("type"), box, props))

    def find(self, name):
        return next(o for o in self.objects if o[0] == name)

    def of_type(self, *types):
        return [o for o in self.objects if o[1] in types]

    def targets(self):
        return {props.get("nextState") for _, _, _, props in self.of_type("GamestateButton")}

    def file(self, path):
        return os.path.join(ASSETS, os.path.dirname(self.name), path)


SURFACES = {"Paper", "WaxPaper", "BakingTray", "Magazine"}
# A character is drawn from its object's position down; its collider is the picture's bottom
# strip, this far below the position.
FOOT = 200


# The first race, and the courses beside it.
RACES = ["TileMap.tmx"] + sorted(os.path.join("courses", name)
                                 for name in os.listdir(os.path.join(ASSETS, "courses")))


class ShippedContentTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.races = [Map(name) for name in RACES]

    def test_every_race_names_itself_in_one_line(self):
        self.assertGreaterEqual(len(self.races), 4)
        names = [race.properties.get("name") for race in self.races]
        self.assertEqual(len(set(names)), len(names), "two races share a name")
        for race in self.races:
            self.assertTrue(race.properties.get("name"), f"{race.name} has no name")
            description = race.properties.get("description", "")
            self.assertTrue(description and "\n" not in description, race.name)

    def test_the_menus_lead_everywhere_and_every_screen_has_a_way_back(self):
        self.assertEqual(Map("TitleScreenMap.tmx").targets(),
                         {"GameState", "CoursesState", "TutorialState", "CreditsState",
                          "SettingsState", "QuitState"})
        for name in ("TutorialScreenMap.tmx", "CreditsScreenMap.tmx", "SettingsScreenMap.tmx",
                     "HighscoreScreenMap.tmx", "CoursesScreenMap.tmx"):
            self.assertIn("MenuState", Map(name).targets(), name)
        buttons = Map("SettingsScreenMap.tmx").of_type("SettingsButton")
        self.assertEqual({props["functionality"] for _, _, _, props in buttons},
                         {"ToggleSound", "DeleteSave", "RebindPlayer1Left", "RebindPlayer1Right",
                          "RebindPlayer2Left", "RebindPlayer2Right", "DefaultKeys"})
        for name, _, _, props in buttons:
            self.assertTrue(props.get("text") and "fontPath" in props, f"{name} needs a label")

    def test_the_courses_screens_buttons_leave_room_for_five_entries(self):
        entries = Box(320, 196, 1280, 4 * 136 + 112)
        courses = Map("CoursesScreenMap.tmx")
        for name, _, box, _ in courses.of_type("GamestateButton", "SettingsButton"):
            self.assertFalse(box.overlaps(entries), f"{name} covers an entry")
        self.assertEqual({props["functionality"] for *_, props in
                          courses.of_type("SettingsButton")}, {"PreviousCourses", "NextCourses"})

    def test_the_win_screens_buttons_leave_room_for_the_results(self):
        results = [Box(750, 340, 56, 256), Box(1200, 340, 56, 256)]
        results += [Box(300 * k, 690, 56, 256) for k in range(1, 6)]
        for name, _, box, _ in Map("HighscoreScreenMap.tmx").of_type("GamestateButton", "Logo"):
            for spot in results:
                self.assertFalse(box.overlaps(spot), f"{name} covers a result")

    def test_two_racers_with_trails_and_a_finish_across_the_course(self):
        for race in self.races:
            with self.subTest(race.name):
                players = race.of_type("Player")
                self.assertEqual([p[0] for p in players], ["Player1", "Player2"])
                for player in players:
                    name, _, _, props = player
                    self.assertEqual(props["velocity"], "0,0")
                    self.assertGreater(float(props["mass"]), 0)
                    trail = race.find(name + "Trail")
                    self.assertEqual(trail[1], "Trail")
                    self.assertGreater(race.objects.index(trail), race.objects.index(player),
                                       "a trail follows only a player built before it")
                self.assertFalse(players[0][2].overlaps(players[1][2]), "racers start apart")

                _, kind, finish, _ = race.find("WinZone")
                self.assertEqual(kind, "WinZone")
                left, right = race.find("WallLeft")[2], race.find("WallRight")[2]
                self.assertEqual((finish.x, finish.x + finish.w), (left.x + left.w, right.x))
                self.assertGreater(finish.y, 20000, "the course is long")
                borders = [o[2] for o in race.of_type("MapBorder")]
                self.assertFalse(any(b.overlaps(finish) for b in borders))
                floor = [b for b in borders if b.y == finish.y + finish.h and b.w >= finish.w]
                self.assertTrue(floor, "a floor under the finish stops the finished racers")

    # A racer left alone falls straight down; one that steers into a wall and lets go slides
    # down along it. Those lines must reach the finish, or a race without steering never ends.
    def test_the_lines_a_racer_takes_without_steering_are_free_to_the_finish(self):
        for race in self.races:
            with self.subTest(race.name):
                finish = race.find("WinZone")[2]
                left, right = race.find("WallLeft")[2], race.find("WallRight")[2]
                for name, _, box, _ in race.of_type("Player"):
                    top = box.y + FOOT
                    for x in (box.x, left.x + left.w, right.x - box.w):
                        line = Box(x, top, box.w, finish.y - top)
                        for border, _, b, _ in race.of_type("MapBorder"):
                            if b not in (left, right):
                                grown = Box(b.x - 1, b.y, b.w + 2, b.h)
                                self.assertFalse(grown.overlaps(line),
                                                 f"{name} at {x} runs into {border}")

    def test_each_ground_is_painted_with_its_own_tiles_exactly_under_its_box(self):
        for race in self.races:
            with self.subTest(race.name):
                width, cells = race.layers[0]
                owner = [None] * len(cells)
                tiles, values = {}, {}
                for name, kind, box, props in race.of_type("MapBorder", *SURFACES):
                    self.assertTrue(all(v % 32 == 0 for v in (box.x, box.y, box.w, box.h)),
                                    f"{name} is off the tile grid")
                    if kind in SURFACES:
                        values[kind] = (props["speed"], props["degredation"])
                    else:
                        kind = "blocks"
                    for row in range(box.y // 32, (box.y + box.h) // 32):
                        for col in range(box.x // 32, (box.x + box.w) // 32):
                            cell = row * width + col
                            self.assertTrue(kind == "blocks" or owner[cell] is None,
                                            f"{name} overlaps another box")
                            owner[cell] = kind
                            tiles.setdefault(kind, set()).add(cells[cell])
                self.assertEqual(set(values), SURFACES, "all four grounds are in the race")
                self.assertEqual(len(set(values.values())), 4, "no two grounds play the same")
                for a in tiles:
                    for b in tiles:
                        self.assertTrue(a == b or not tiles[a] & tiles[b], f"{a} looks like {b}")
                for cell, gid in enumerate(cells):
                    for kind in SURFACES:
                        if gid in tiles[kind]:
                            self.assertEqual(owner[cell], kind, f"cell {cell} looks like {kind}")

    def test_characters_fit_how_the_game_cuts_and_masks_them(self):
        for race in self.races:
            with self.subTest(race.name):
                pictures = set()
                for name, _, box, props in race.of_type("Player"):
                    pictures.add(props["texturepath"])
                    with Image.open(race.file(props["texturepath"])) as image:
                        image = image.convert("RGBA")
                    self.assertEqual(image.size, (box.w, FOOT + box.h),
                                     f"{name}: the collider is the picture's bottom strip")
                    self.assertEqual(image.getpixel((0, 0))[3], 0, "the background is transparent")
                    ink = [(i, rgba[:3]) for i, rgba in enumerate(image.getdata()) if rgba[3]]
                    inks = {rgb for _, rgb in ink}
                    self.assertTrue((0, 0, 0) not in inks,
                                    f"{name}: pure black vanishes in the race")
                    self.assertTrue((255, 255, 255) not in inks,
                                    f"{name}: pure white vanishes in results")
                    self.assertTrue(any(i // box.w >= FOOT for i, _ in ink), "the foot is drawn")
                self.assertEqual(len(pictures), 2, "the two racers look different")

    def test_music_sounds_background_and_save_folder_are_where_the_game_looks(self):
        with wave.open(os.path.join(ASSETS, "Music", "GameSound.wav")) as music:
            self.assertEqual((music.getnchannels(), music.getframerate()), (1, 22050))
            self.assertTrue(10 <= music.getnframes() / 22050 <= 20)
        for name in ("Hit.wav", "Finish.wav", "Click.wav"):
            with wave.open(os.path.join(ASSETS, "Sounds", name)) as sound:
                self.assertEqual((sound.getnchannels(), sound.getframerate()), (1, 22050), name)
                self.assertLess(sound.getnframes() / 22050, 0.5, f"{name} is a short effect")
        with Image.open(os.path.join(ASSETS, "x400pngs", "MainStateBackground.png")) as image:
            self.assertEqual(image.size, (1920, 1080))
        self.assertTrue(os.path.isfile(os.path.join(ASSETS, "fonts", "mini-pixel-7", "LICENSE")))
        # The game never creates the folder; the first race creates the file in it.
        self.assertTrue(os.path.isdir(os.path.join(ASSETS, "SaveFiles")))


if __name__ == "__main__":
    unittest.main()
