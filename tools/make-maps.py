#!/usr/bin/python3
"""Writes every map of the game into assets/: the title, tutorial, credits, settings and
highscore screens, and the races: TileMap.tmx and the courses in assets/courses/ (see RACES).

Run it from anywhere after tools/make-pictures.py: /usr/bin/python3 tools/make-maps.py
The maps are plain Tiled maps (orthogonal, square 32-pixel tiles, CSV layers, the tileset
embedded), so they open in the Tiled editor, but they are made here so that they can be
rebuilt and reviewed. Each race is laid out cell by cell (materials, blocks, decoration) and its
invisible surface boxes are cut from the same cells, so what you see is what you slide on. A
race names itself with the map properties "name" and "description".
Every random choice is seeded: two runs write the same files.

What the game's reader needs, and these maps keep to:
- objects carry their kind in the "type" attribute and their settings as properties;
- an object is only built and drawn if its "correspondingLayer" names a tile layer;
- object names are unique in a map, and only players have "Player" in their names;
- menus are laid out for a 1920 by 1080 window, and texts are single lines.
"""
import itertools
import os
import random
from xml.sax.saxutils import quoteattr

import contentlib as C

T = C.TILE
SCREEN_COLS, SCREEN_ROWS = 60, 34  # 1920 by 1080, rounded up to whole tiles
INK = "#ff2a2430"
PAPER_INK = "#ff3b3346"
LIGHT_INK = "#fff4ead2"


class TmxMap:
    """A map being written: tile layers in drawing order and groups of objects."""

    def __init__(self, cols, rows, properties=()):
        self.cols, self.rows = cols, rows
        self.properties = list(properties)  # (name, value) of the map itself
        self.layers = []  # (name, rows of gids)
        self.groups = []  # (name, list of objects)

    def layer(self, name):
        cells = [[0] * self.cols for _ in range(self.rows)]
        self.layers.append((name, cells))
        return cells

    def group(self, name):
        objects = []
        self.groups.append((name, objects))
        return objects

    def write(self, file_name):
        names = [o["name"] for _, objects in self.groups for o in objects]
        duplicates = {n for n in names if names.count(n) > 1}
        assert not duplicates, f"{file_name}: names used twice: {sorted(duplicates)}"
        out = ['<?xml version="1.0" encoding="UTF-8"?>']
        next_object = 1 + len(names)
        out.append(f'<map version="1.10" tiledversion="1.10.2" orientation="orthogonal" '
                   f'renderorder="right-down" width="{self.cols}" height="{self.rows}" '
                   f'tilewidth="{T}" tileheight="{T}" infinite="0" '
                   f'nextlayerid="{len(self.layers) + len(self.groups) + 1}" '
                   f'nextobjectid="{next_object}">')
        if self.properties:
            out.append(' <properties>')
            for key, value in self.properties:
                out.append(f'  <property name="{key}" value={quoteattr(value)}/>')
            out.append(' </properties>')
        out.append(f' <tileset firstgid="1" name="DeskTiles" tilewidth="{T}" tileheight="{T}" '
                   f'tilecount="{len(C.TILE_NAMES)}" columns="{C.TILESET_COLUMNS}">')
        out.append(f'  <image source="{from_map(file_name, C.TILESET)}" '
                   f'width="{C.TILESET_COLUMNS * T}" '
                   f'height="{C.TILESET_ROWS * T}"/>')
        out.append(' </tileset>')
        layer_id = 1
        for name, cells in self.layers:
            out.append(f' <layer id="{layer_id}" name="{name}" width="{self.cols}" '
                       f'height="{self.rows}">')
            out.append('  <data encoding="csv">')
            out.append(",\n".join(",".join(str(g) for g in row) for row in cells))
            out.append('</data>')
            out.append(' </layer>')
            layer_id += 1
        object_id = 1
        for name, objects in self.groups:
            out.append(f' <objectgroup id="{layer_id}" name="{name}">')
            layer_id += 1
            for o in objects:
                out.append(f'  <object id="{object_id}" name={quoteattr(o["name"])} '
                           f'type="{o["type"]}" x="{o["x"]}" y="{o["y"]}" '
                           f'width="{o["w"]}" height="{o["h"]}">')
                object_id += 1
                out.append('   <properties>')
                for key, value in o["props"]:
                    kind = ' type="color"' if key == "color" else ""
                    out.append(f'    <property name="{key}"{kind} value={quoteattr(value)}/>')
                out.append('   </properties>')
                out.append('  </object>')
            out.append(' </objectgroup>')
        out.append('</map>')
        path = os.path.join(C.ASSETS, file_name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write("\n".join(out) + "\n")


def from_map(file_name, asset):
    """An asset's path as a map in assets/<file_name> names it: from the map's own folder."""
    return os.path.relpath(asset, os.path.dirname(file_name) or os.curdir)


def obj(name, kind, x, y, w, h, layer, **props):
    props = [(k, str(v)) for k, v in props.items()] + [("correspondingLayer", layer)]
    return {"name": name, "type": kind, "x": int(x), "y": int(y), "w": int(w), "h": int(h),
            "props": props}


# --- Menu screens ------------------------------------------------------------------------------

LAYER = "Doodles"  # the menus' top layer: doodles, and every object of the screen
KEY_CAP_WIDTH = 176  # room for the longest key name ("Backspace") at size 32


def menu_map(panel, doodles):
    """A desk with a sheet of paper on it (panel: first and last column and row of the sheet),
    a layer with doodles (name, column, row) over it, and the screen's objects with that layer.
    Returns the map and the function that adds an object."""
    m = TmxMap(SCREEN_COLS, SCREEN_ROWS)
    back = m.layer("Desk")
    pick = random.Random(11)
    for r in range(SCREEN_ROWS):
        for c in range(SCREEN_COLS):
            plank = "desk3" if r % 3 == 2 else pick.choice(["desk0", "desk0", "desk2", "desk1"])
            back[r][c] = C.gid(plank)
    c0, r0, c1, r1 = panel
    for r in range(r0, r1 + 1):
        for c in range(c0, c1 + 1):
            v = "n" if r == r0 else "s" if r == r1 else ""
            h = "w" if c == c0 else "e" if c == c1 else ""
            back[r][c] = C.gid(f"sheet_{v + h or 'c'}")
    top = m.layer(LAYER)
    for name, c, r in doodles:
        top[r][c] = C.gid(name)
    return m, m.group("Screen").append


def racers(add, y, left, right):
    """The two racers standing on the side of the screen each races on: chalk left, crayon
    right."""
    add(picture("ChalkPicture", C.CHALK, left, y, C.CHARACTER_WIDTH, C.CHARACTER_HEIGHT))
    add(picture("CrayonPicture", C.CRAYON, right, y, C.CHARACTER_WIDTH, C.CHARACTER_HEIGHT))


def text(name, words, size, colour=PAPER_INK, left=None, centre=None, top=0):
    """A line of text whose letters start at `top` (their highest ink) and either start at
    `left` or are centred on `centre`. The game draws a text half its size above its object."""
    l, t, r, _ = C.text_box(words, size)
    x = left if left is not None else centre - (l + r) / 2
    y = top - size - t + size // 2
    return obj(name, "Text", round(x), round(y), r - l, size, LAYER, fontpath=C.FONT,
               fontsize=size, color=colour, text=words)


def live_text(name, words, size, colour, centre, width, top):
    """A line centred on `centre` whose words the game fills in when it shows them: key
    placeholders such as "{player1.left}", or messages. The game centres the words it shows on
    the object's width."""
    capital_top = C.text_box("J", size)[1]  # where a capital's ink starts, above the baseline
    return obj(name, "Text", round(centre - width / 2), top - size - capital_top + size // 2,
               width, size, LAYER, fontpath=C.FONT, fontsize=size, color=colour, text=words, align="centre")


def state_button(name, picture, target, x, y):
    return obj(name, "GamestateButton", x, y, 480, 96, LAYER, texturepath=picture,
               nextState=target)


def picture(name, path, x, y, w, h):
    return obj(name, "Logo", x, y, w, h, LAYER, texturepath=path)


def title_screen():
    m, add = menu_map((19, 9, 40, 31), [
        ("star", 4, 5), ("heart", 12, 24), ("spiral", 49, 6), ("star", 55, 27),
        ("smiley", 8, 30), ("crumbs", 47, 23), ("star", 52, 14), ("spiral", 6, 16)])
    add(picture("Logo", "ui/Logo.png", (1920 - 1028) // 2, 24, 1028, 260))
    buttons = [("PlayButton", "ui/ButtonPlay.png", "GameState"),
               ("CoursesButton", "ui/ButtonCourses.png", "CoursesState"),
               ("TutorialButton", "ui/ButtonTutorial.png", "TutorialState"),
               ("SettingsButton", "ui/ButtonSettings.png", "SettingsState"),
               ("CreditsButton", "ui/ButtonCredits.png", "CreditsState"),
               ("QuitButton", "ui/ButtonQuit.png", "QuitState")]
    for i, (name, path, target) in enumerate(buttons):
        add(state_button(name, path, target, 720, 318 + i * 112))
    racers(add, 560, 400, 1464)
    add(live_text("ChalkKeys", "{player2.left}  {player2.right}", 32, LIGHT_INK, 428, 400, 840))
    add(live_text("CrayonKeys", "{player1.left}  {player1.right}", 32, LIGHT_INK, 1492, 400,
                  840))
    add(text("Hint", "Esc leaves a race", 32, LIGHT_INK, centre=960, top=1030))
    m.write("TitleScreenMap.tmx")


def tutorial_screen():
    m, add = menu_map((2, 1, 57, 32), [("star", 54, 3), ("heart", 5, 3)])
    add(text("Heading", "HOW TO PLAY", 64, INK, centre=960, top=64))
    # Each player's half of the screen, as in the race: the chalk on the left, the crayon on
    # the right.
    racers(add, 150, 140, 1000)
    # The keys in force, their names drawn on plain caps.
    for tag, who, name, player, x0 in (("Left", "PLAYER 2", "chalk", 2, 140),
                                       ("Right", "PLAYER 1", "crayon", 1, 1000)):
        add(text(f"{tag}Who", f"{who}: the {name}", 40, INK, left=x0 + 100, top=160))
        for k, side in enumerate(("left", "right")):
            x = x0 + 100 + k * 188
            add(picture(f"{tag}Key{k + 1}", "ui/KeyCap.png", x, 212, KEY_CAP_WIDTH, 96))
            add(live_text(f"{tag}KeyName{k + 1}", f"{{player{player}.{side}}}", 32, INK,
                          x + KEY_CAP_WIDTH / 2, KEY_CAP_WIDTH - 16, 248))
        add(text(f"{tag}Steer", "steer left, right", 32, left=x0 + 484, top=246))
        add(text(f"{tag}Half", f"on the {tag.lower()} half of the screen", 32, left=x0 + 100,
                 top=340))
    rules = ["You slide downhill all the time: steer to pick your ground.",
             "Your points are your size. They wear away as you travel,",
             "so reach the finish with as much of you left as you can.",
             "The first one home makes the other wear away three times as fast."]
    for i, line in enumerate(rules):
        add(text(f"Rule{i + 1}", line, 32, centre=960, top=430 + i * 44))
    add(picture("KeyEsc", "ui/KeyEsc.png", 560, 612, 144, 96))
    add(text("EscText", "leaves the race for the title", 32, left=724, top=646))
    for i, (kind, label, speed, wear, feel) in enumerate(C.MATERIALS):
        x = 120 + i * 430
        add(picture(f"Swatch{kind}", f"ui/Swatch{kind}.png", x, 748, 128, 128))
        add(text(f"{kind}Name", label, 32, INK, left=x + 144, top=752))
        add(text(f"{kind}Speed", f"speed x{speed:g}", 32, left=x + 144, top=796))
        add(text(f"{kind}Wear", f"wear  x{wear:g}", 32, left=x + 144, top=838))
        add(text(f"{kind}Feel", feel, 32, left=x, top=892))
    add(state_button("BackButton", "ui/ButtonBack.png", "MenuState", 400, 944))
    add(state_button("PlayButton", "ui/ButtonPlay.png", "GameState", 1040, 944))
    m.write("TutorialScreenMap.tmx")


def credits_screen():
    m, add = menu_map((8, 1, 51, 32), [("star", 3, 4), ("spiral", 55, 8), ("heart", 4, 28),
                                        ("smiley", 55, 29)])
    lines = [("Heading", "CREDITS", 64, INK, 70),
             ("Made", "Tumbleleaf: a downhill race for two,", 32, PAPER_INK, 190),
             ("Team", "made by the Tumbleleaf team.", 32, PAPER_INK, 234),
             ("CodeTitle", "CODE", 40, INK, 320),
             ("Code", "C++17 on SFML 2.5 and RapidXML", 32, PAPER_INK, 372),
             ("ArtTitle", "PICTURES, MAPS AND MUSIC", 40, INK, 458),
             ("Art", "drawn, laid out and played by our own", 32, PAPER_INK, 510),
             ("Art2", "scripts in the tools folder", 32, PAPER_INK, 554),
             ("FontTitle", "FONT", 40, INK, 640),
             ("Font", "DotGothic16 by the DotGothic16 Project Authors,", 32, PAPER_INK, 692),
             ("Font2", "SIL Open Font License 1.1 (Debian: fonts-dotgothic16)", 32, PAPER_INK,
              736),
             ("Thanks", "Thanks for playing!", 40, INK, 822)]
    for name, words, size, colour, top in lines:
        add(text(name, words, size, colour, centre=960, top=top))
    racers(add, 420, 120, 1744)
    add(state_button("BackButton", "ui/ButtonBack.png", "MenuState", 720, 910))
    m.write("CreditsScreenMap.tmx")


def settings_button(name, function, label, x, y, centred=True):
    w, h, size = 640, 96, 48
    l, t, r, b = C.text_box(label, size)
    # The button's text sits at its offset, half its size above it: centre the letters on the
    # plate (the plate's lowest six pixels are its edge). A label naming a key changes with it:
    # the game centres it.
    offset_x = 0 if not centred else round(w / 2 - (l + r) / 2)
    offset_y = round((h - 6) / 2 - size + size // 2 - (t + b) / 2)
    extra = {} if centred else {"align": "centre"}
    return obj(name, "SettingsButton", x, y, w, h, LAYER, texturepath="ui/ButtonPlate.png",
               functionality=function, text=label, fontPath=C.FONT, fontsize=size,
               offset=f"{offset_x},{offset_y}", color=INK, **extra)


def settings_screen():
    m, add = menu_map((6, 1, 53, 32), [("star", 2, 6), ("spiral", 56, 10), ("heart", 2, 27),
                                        ("crumbs", 56, 26)])
    add(text("Heading", "SETTINGS", 64, INK, centre=960, top=64))
    # Each player's keys on the side of the screen the player races on, as in the tutorial.
    # (No object but a racer may have "Player" in its name.)
    for player, racer, x in ((2, "chalk", 300), (1, "crayon", 980)):
        add(text(f"{racer.capitalize()}Keys", f"PLAYER {player}: the {racer}", 40, INK,
                 centre=x + 320, top=166))
        for k, side in enumerate(("Left", "Right")):
            add(settings_button(f"{racer.capitalize()}{side}", f"RebindPlayer{player}{side}",
                                f"{side.upper()}  {{player{player}.{side.lower()}}}", x,
                                226 + k * 112, centred=False))
    add(settings_button("DefaultKeysButton", "DefaultKeys", "DEFAULT KEYS", 640, 462))
    add(live_text("Message", "Choose a key, then press the key to steer with", 32, INK, 960,
                  1400, 600))
    add(settings_button("SoundButton", "ToggleSound", "SOUND ON / OFF", 300, 674))
    add(text("SoundHelp", "mutes the music, or brings it back", 32, centre=620, top=790))
    add(settings_button("DeleteButton", "DeleteSave", "DELETE LEADERBOARD", 980, 674))
    add(text("DeleteHelp", "forgets every race so far", 32, centre=1300, top=790))
    add(state_button("BackButton", "ui/ButtonBack.png", "MenuState", 720, 888))
    m.write("SettingsScreenMap.tmx")


def courses_screen():
    # The game lays the courses over the sheet, five to a page: plates of 1280 x 112 from
    # (320, 196) down, 136 apart.
    m, add = menu_map((4, 1, 55, 32), [("star", 2, 3), ("spiral", 57, 8), ("heart", 2, 30),
                                        ("smiley", 57, 29)])
    add(text("Heading", "COURSES", 64, INK, centre=960, top=70))
    add(text("Hint", "click a course to race it", 32, centre=960, top=150))
    add(live_text("PageLabel", "page {page} of {pages}", 32, PAPER_INK, 1560, 300, 94))
    # The words the game fills in on the plates; "{...}" is what it puts in.
    m.properties = [("bestScoreText", "best {score}"), ("notRacedText", "not raced yet"),
                    ("notAFileText", "not a regular file"), ("unreadableText", "cannot be read"),
                    ("brokenMapText", "does not load: {error}"),
                    ("noRacerText", 'not a race: it has no "Player" object')]
    add(obj("PreviousButton", "SettingsButton", 240, 900, 480, 96, LAYER,
            texturepath="ui/ButtonPrevious.png", functionality="PreviousCourses", fontPath=C.FONT))
    add(state_button("BackButton", "ui/ButtonBack.png", "MenuState", 720, 900))
    add(obj("NextButton", "SettingsButton", 1200, 900, 480, 96, LAYER,
            texturepath="ui/ButtonNext.png", functionality="NextCourses", fontPath=C.FONT))
    m.write("CoursesScreenMap.tmx")


def highscore_screen():
    # The game draws the results with the first layer, over the sheet: two newest at (750, 340)
    # and (1200, 340), the best five at (300 k, 690); each score is written above its picture.
    m, add = menu_map((4, 1, 55, 32), [("star", 2, 3), ("star", 57, 30), ("heart", 2, 30),
                                        ("spiral", 57, 3)])
    add(text("Heading", "RESULTS", 64, INK, left=180, top=70))
    add(text("NewestTitle", "LAST RACE", 40, INK, centre=1003, top=176))
    add(text("BestTitle", "BEST FIVE", 40, INK, left=150, top=520))
    for k, rank in enumerate(["1st", "2nd", "3rd", "4th", "5th"], start=1):
        add(text(f"Rank{k}", rank, 32, centre=300 * k + C.CHARACTER_WIDTH // 2, top=968))
    add(state_button("AgainButton", "ui/ButtonRaceAgain.png", "GameState", 180, 190))
    add(state_button("BackButton", "ui/ButtonBack.png", "MenuState", 180, 310))
    for i, line in enumerate(["A score is what", "is left of you", "at the finish."]):
        add(text(f"Note{i + 1}", line, 32, left=1400, top=200 + i * 44))
    m.write("HighscoreScreenMap.tmx")


# --- The race ----------------------------------------------------------------------------------

# Every race is this wide (each racer's camera shows most of it) and as long as its course.
COLS = 60
WALL = 5  # the outer walls are this many columns thick on each side
# The finish is this many rows above the end of the map, the floor that stops finished racers
# this many.
FINISH_FROM_END, FLOOR_FROM_END = 40, 12
# Columns kept free of blocks from the start to the finish: below each player's start, so that
# a race without any steering still ends, and along both walls, where a player who steers
# into a wall and lets go slides down to the finish.
FREE_LANES = [(5, 7), (15, 20), (39, 44), (52, 54)]
STARTS = {"Player1": 1316, "Player2": 548}  # x of each player; the crayon races on the right
START_Y = 150
MATERIAL_VALUES = {kind: (speed, wear) for kind, _, speed, wear, _ in C.MATERIALS}
BOUNCE = {"wall": 0, "ruler": 0.2, "eraser": 0.6}


class Course:
    """A race being laid out cell by cell: plain paper from a start line to the finish, then
    grounds painted and blocks placed over it."""

    def __init__(self, rows):
        self.rows = rows
        self.finish_row, self.floor_row = rows - FINISH_FROM_END, rows - FLOOR_FROM_END
        self.material = [[None] * COLS for _ in range(rows)]
        self.solid = [[None] * COLS for _ in range(rows)]
        self.decor = [[0] * COLS for _ in range(rows)]
        self.blocks = []  # (style, c0, r0, c1, r1) in cells, inclusive
        self.paint("Paper", 0, 0, COLS, rows)
        self.mark("start_line", range(WALL, COLS - WALL), [14])
        self.word("start", 27, 18)

    def paint(self, kind, c0, r0, c1, r1):
        for r in range(max(r0, 4), min(r1, self.finish_row - 1) + 1):
            for c in range(max(c0, WALL), min(c1, COLS - WALL - 1) + 1):
                self.material[r][c] = kind

    def block(self, style, c0, r0, c1, r1):
        for lane0, lane1 in FREE_LANES:
            assert c1 < lane0 or c0 > lane1, f"block {c0}..{c1} at row {r0} is in a free lane"
        assert c1 - c0 >= 2 and r1 - r0 >= 2, "thin blocks let fast players through"
        self.blocks.append((style, c0, r0, c1, r1))
        for r in range(r0, r1 + 1):
            for c in range(c0, c1 + 1):
                self.solid[r][c] = style
                self.material[r][c] = None

    def lay(self, *pieces):
        """Each piece is a ground or a block style with its first and last column and row."""
        for name, c0, r0, c1, r1 in pieces:
            if name in MATERIAL_VALUES:
                self.paint(name, c0, r0, c1, r1)
            else:
                self.block(name, c0, r0, c1, r1)

    def lay_both_sides(self, *pieces):
        """Each piece on the crayon's (right) half and its mirror image on the chalk's half: the
        racers start mirrored, so each gets the same course."""
        for name, c0, r0, c1, r1 in pieces:
            self.lay((name, c0, r0, c1, r1), (name, COLS - 1 - c1, r0, COLS - 1 - c0, r1))

    def mark_both_sides(self, name, column, rows):
        """A mark on the crayon's half and its mirror image (an arrow to the right points left)."""
        mirror = {"arrow_down_left": "arrow_down_right", "arrow_down_right": "arrow_down_left"}
        self.mark(name, [column], rows)
        self.mark(mirror.get(name, name), [COLS - 1 - column], rows)

    def mark(self, name, columns, rows):
        for r in rows:
            for c in columns:
                self.decor[r][c] = C.gid(name)

    def word(self, word, c0, r0):
        _, width = C.WORDS[word]
        for row in range(2):
            for col in range(width):
                self.decor[r0 + row][c0 + col] = C.gid(f"{word}_{row}_{col}")

    def finish(self):
        """The words over the finish line and doodles over the whole course: call last."""
        for c in (9, 26, 43):
            self.word("finish", c, self.finish_row - 4)
        scatter_doodles(self)


MIDDLE = (29, 30)  # where the arrows down the middle of the course go


def first_course():
    """The first race: a bit of everything, section by section."""
    k = Course(1600)
    # Warm-up: a wax strip down the middle, where the two meet; magazines along the walls.
    k.lay(("WaxPaper", 25, 60, 34, 179), ("Magazine", 5, 80, 8, 179),
          ("Magazine", 51, 80, 54, 179), ("eraser", 28, 130, 31, 133))
    k.mark("arrow_down", MIDDLE, range(64, 176, 16))

    # Eraser field: the straight lines sink into magazines; two wax strips close in on the
    # middle between bouncy erasers.
    k.lay(("Magazine", 15, 190, 20, 330), ("Magazine", 39, 190, 44, 330))
    for i in range(8):
        r = 190 + i * 18
        k.lay(("WaxPaper", 21 + i, r, 25 + i, r + 17), ("WaxPaper", 34 - i, r, 38 - i, r + 17))
    for c0, r0, w, h in [(9, 200, 4, 3), (46, 210, 4, 3), (24, 232, 4, 4), (32, 250, 4, 4),
                         (10, 262, 3, 4), (47, 272, 3, 4), (28, 292, 4, 3), (22, 310, 3, 3),
                         (35, 312, 3, 3), (11, 320, 3, 3), (48, 325, 3, 3)]:
        k.block("eraser", c0, r0, c0 + w - 1, r0 + h - 1)

    # Ruler gates: wax behind narrow gaps in the middle, a baking tray along the walls.
    k.lay(("WaxPaper", 21, 340, 38, 459), ("BakingTray", 5, 350, 7, 450),
          ("BakingTray", 52, 350, 54, 450))
    gates = {360: [(21, 27), (32, 38)], 400: [(21, 23), (28, 31), (36, 38)],
             440: [(21, 25), (34, 38)]}
    for r, middle in gates.items():
        for c0, c1 in [(8, 14)] + middle + [(45, 51)]:
            k.block("ruler", c0, r, c1, r + 3)
    k.mark("arrow_down", MIDDLE, (348, 388, 428))

    # Hot tray: everybody crosses a baking tray, then the fast chute in the middle keeps
    # grinding while wax waits on the outside.
    k.lay(("BakingTray", 5, 470, 54, 489), ("BakingTray", 25, 490, 34, 599),
          ("WaxPaper", 8, 490, 14, 599), ("WaxPaper", 45, 490, 51, 599),
          ("wall", 21, 505, 23, 585), ("wall", 36, 505, 38, 585))

    # Magazine swamp: slow going everywhere but on a golden path that swings left and right.
    k.paint("Magazine", 5, 600, 54, 759)
    centres = [30, 27, 24, 21, 18, 15, 12, 10, 12, 15, 18, 21, 24, 27, 30, 33, 36, 39, 42, 45]
    for i, c in enumerate(centres):
        k.paint("WaxPaper", c - 3, 600 + i * 8, c + 2, 607 + i * 8)
        if i % 3 == 0:
            k.mark("arrow_down", [c - 1], [602 + i * 8])

    # Pinball: eraser posts over fast wax in the middle; baking trays on the straight lines.
    k.paint("WaxPaper", 21, 760, 38, 919)
    for (lane0, lane1), r in itertools.product(FREE_LANES[1:3], (780, 860)):
        k.paint("BakingTray", lane0, r, lane1, r + 20)
    for i, r in enumerate(range(772, 905, 22)):
        for c in [9, 22, 28, 34, 46] if i % 2 == 0 else [11, 25, 31, 48]:
            k.block("eraser", c, r, c + 2, r + 2)

    # Channels: wooden slats split the course; wax along the walls, magazines in the middle.
    for c in (9, 22, 35, 48):
        k.block("wall", c, 930, c + 2, 1070)
    k.lay(("WaxPaper", 5, 930, 8, 1070), ("WaxPaper", 51, 930, 54, 1070),
          ("Magazine", 25, 930, 34, 1070), ("BakingTray", 12, 990, 21, 1010),
          ("BakingTray", 38, 990, 47, 1010))

    # Crossroads: two wax bands cross in the middle over slow magazines, with erasers where
    # they meet.
    k.lay(("Magazine", 15, 1100, 20, 1219), ("Magazine", 39, 1100, 44, 1219))
    for i in range(20):
        r = 1080 + i * 8
        k.lay(("WaxPaper", 8 + 2 * i, r, 13 + 2 * i, r + 7),
              ("WaxPaper", 46 - 2 * i, r, 51 - 2 * i, r + 7))
    k.lay(("eraser", 27, 1150, 32, 1152), ("eraser", 24, 1170, 26, 1173),
          ("eraser", 33, 1170, 35, 1173))

    # Slalom: rulers from alternate sides; wax through each gap.
    for i, r in enumerate(range(1255, 1400, 40)):
        if i % 2 == 0:
            k.lay(("ruler", 8, r, 14, r + 3), ("ruler", 21, r, 33, r + 3),
                  ("WaxPaper", 34, r - 12, 38, r + 15))
            k.mark("arrow_down_right", [31], [r - 6])
        else:
            k.lay(("ruler", 26, r, 38, r + 3), ("ruler", 45, r, 51, r + 3),
                  ("WaxPaper", 21, r - 12, 25, r + 15))
            k.mark("arrow_down_left", [28], [r - 6])

    # Home straight: bands across the course, and a wax spine for those who find it.
    k.lay(("Magazine", 5, 1400, 54, 1439), ("BakingTray", 5, 1480, 54, 1519),
          ("WaxPaper", 27, 1400, 32, 1559))
    k.mark("arrow_down", MIDDLE, range(1404, 1556, 24))
    k.finish()
    return k


# The new courses are laid out for the crayon's half (columns 30 to 54) and mirrored for the
# chalk's. On that half the crayon starts in columns 41 and 42: its free lane (39 to 44) splits
# the half into the middle (30 to 38) and the outside (45 to 51), and the lane along the wall
# (52 to 54) is free too.


def sprint():
    """Short and open: trays across the whole course, and one wax line along the outside that
    runs through a gap in every one of them."""
    k = Course(1400)
    k.lay_both_sides(("WaxPaper", 46, 40, 51, 1359))
    k.mark_both_sides("arrow_down_right", 44, [30])
    for r in (220, 480, 740, 1000, 1240):
        k.lay_both_sides(("BakingTray", 30, r, 45, r + 23), ("BakingTray", 52, r, 54, r + 23))
        k.mark_both_sides("arrow_down", 48, [r - 6])
    # Magazines in the middle between the bands, and erasers to bounce off on the way there.
    for r in (320, 840):
        k.lay_both_sides(("Magazine", 30, r, 36, r + 79), ("eraser", 32, r + 100, 34, r + 102))
    k.lay_both_sides(("eraser", 31, 600, 33, 602), ("eraser", 34, 1120, 36, 1122))
    k.finish()
    return k


def chutes():
    """Long and fast: a wax chute along each wall behind long slats, and the express down the
    middle, wax too but for baking trays that win time and grind you down."""
    k = Course(3000)
    k.lay_both_sides(("WaxPaper", 30, 40, 54, 2959), ("Magazine", 30, 120, 33, 2900))
    for r in range(80, 2900, 420):
        k.lay_both_sides(("wall", 45, r, 47, min(r + 389, 2899)))
    for r in range(300, 2900, 460):
        k.lay_both_sides(("BakingTray", 34, r, 44, r + 39))
        k.mark_both_sides("arrow_down", 42, [r - 8])
    k.finish()
    return k


def switchbacks():
    """Twisting: at every turn a baking tray lies across the lane and a magazine pocket waits
    beside it, behind a ruler, alternately outside and in the middle; leave the pocket before
    the ruler that closes it. A spine of wall keeps the two racers apart."""
    k = Course(2000)
    k.lay(("wall", 28, 40, 31, 1950))
    for i, r in enumerate(range(80, 1880, 140)):
        outside = i % 2 == 0
        pocket, other = ((45, 51), (32, 38)) if outside else ((32, 38), (45, 51))
        k.lay_both_sides(("ruler", pocket[0], r, pocket[1], r + 2),
                         ("Magazine", pocket[0], r + 3, pocket[1], r + 90),
                         ("ruler", pocket[0], r + 91, pocket[1], r + 93),
                         ("BakingTray", 39, r + 24, 44, r + 51),
                         ("BakingTray", 52, r + 24, 54, r + 51),
                         ("BakingTray", other[0], r + 24, other[1], r + 51))
        k.mark_both_sides("arrow_down_right" if outside else "arrow_down_left", 42, [r - 4])
    k.lay_both_sides(("WaxPaper", 32, 1880, 54, 1959))
    k.finish()
    return k


def scatter_doodles(k):
    r = random.Random(7)
    names = ["star", "spiral", "smiley", "crumbs", "heart"]
    for row in range(30, k.finish_row - 6, 23):
        c = r.randint(WALL, COLS - WALL - 1)
        if k.material[row][c] is not None and k.decor[row][c] == 0:
            k.mark(r.choice(names), [c], [row])


def autotile(cells, r, c, style):
    """The piece of a nine-slice block for a cell, from which of its sides are open."""
    def inside(rr, cc):
        return not (0 <= rr < len(cells) and 0 <= cc < len(cells[0])) or cells[rr][cc] == style
    v = ("n" if not inside(r - 1, c) else "") + ("s" if not inside(r + 1, c) else "")
    h = ("w" if not inside(r, c - 1) else "") + ("e" if not inside(r, c + 1) else "")
    return f"{style}_{(v[:1] + h[:1]) or 'c'}"


def rectangles(cells, value_of):
    """Cuts a grid into few rectangles of equal values (None cells are left out): runs along
    each row, stacked while the run below is the same. Returns (value, c0, r0, c1, r1)."""
    done, open_runs = [], {}
    for r, row in enumerate(cells + [[None] * len(cells[0])]):
        runs, c = {}, 0
        while c < len(row):
            value = value_of(row[c])
            start = c
            while c < len(row) and value_of(row[c]) == value:
                c += 1
            if value is not None:
                runs[(start, c - 1, value)] = True
        for key, r0 in list(open_runs.items()):
            if key not in runs:
                done.append((key[2], key[0], r0, key[1], r - 1))
                del open_runs[key]
        for key in runs:
            open_runs.setdefault(key, r)
    return sorted(done, key=lambda d: (d[2], d[1]))


def write_race(k, file_name, title, description):
    """Writes a laid-out course as a race map that names itself with `title` and a one-line
    `description`."""
    rows, finish_row, floor_row = k.rows, k.finish_row, k.floor_row
    m = TmxMap(COLS, rows, [("name", title), ("description", description)])
    ground = m.layer("Ground")
    marks = m.layer("Racers")
    solid = [row[:] for row in k.solid]
    for r in range(rows):
        for c in range(COLS):
            if c < WALL or c >= COLS - WALL or r < 4 or r >= floor_row:
                solid[r][c] = "wall"
    pick = random.Random(2024)
    for r in range(rows):
        for c in range(COLS):
            if solid[r][c]:
                ground[r][c] = C.gid(autotile(solid, r, c, solid[r][c]))
            elif r >= finish_row:
                near_line = r < finish_row + 2
                ground[r][c] = C.gid("finish_check" if near_line else
                                     pick.choice(["finish_pad0"] * 5 + ["finish_pad1"]))
            else:
                ground[r][c] = C.gid(ground_tile(k.material[r][c], r, c, pick))
            marks[r][c] = k.decor[r][c]

    characters = m.group("Racers")
    for name, picture in (("Player1", C.CRAYON), ("Player2", C.CHALK)):
        characters.append(obj(name, "Player", STARTS[name], START_Y, C.CHARACTER_WIDTH,
                              C.COLLIDER_HEIGHT, "Racers",
                              texturepath=from_map(file_name, picture), mass=1,
                              restitution=0.5, velocity="0,0"))
    for name, trail in (("Player1", C.CRAYON_TRAIL), ("Player2", C.CHALK_TRAIL)):
        characters.append(obj(f"{name}Trail", "Trail", 0, 0, 0, 0, "Racers",
                              texturepath=from_map(file_name, trail)))

    borders = m.group("Borders")
    inner = COLS - 2 * WALL
    for name, c0, r0, w, h in [("WallLeft", 0, 0, WALL, rows), ("WallRight", COLS - WALL, 0,
                                                                   WALL, rows),
                               ("Ceiling", WALL, 0, inner, 4),
                               ("Floor", WALL, floor_row, inner, rows - floor_row)]:
        borders.append(border(name, "wall", c0, r0, w, h))
    counts = {}
    for style, c0, r0, c1, r1 in k.blocks:
        counts[style] = counts.get(style, 0) + 1
        borders.append(border(f"{style.capitalize()}{counts[style]:02d}", style, c0, r0,
                              c1 - c0 + 1, r1 - r0 + 1))
    borders.append(obj("WinZone", "WinZone", WALL * T, finish_row * T, inner * T,
                       (floor_row - finish_row) * T, "Ground", mass=1000, restitution=0,
                       velocity="0,0"))

    surfaces = m.group("Surfaces")
    counts = {}
    for kind, c0, r0, c1, r1 in rectangles(k.material, lambda v: v):
        counts[kind] = counts.get(kind, 0) + 1
        speed, wear = MATERIAL_VALUES[kind]
        surfaces.append(obj(f"{kind}{counts[kind]:03d}", kind, c0 * T, r0 * T,
                            (c1 - c0 + 1) * T, (r1 - r0 + 1) * T, "Ground", speed=speed,
                            degredation=wear))
    m.write(file_name)


# How often each look of a ground appears: mostly the plain one, the marked ones now and then.
VARIANT_WEIGHTS = {"paper": [10, 1, 3, 4], "wax": [4, 3, 3, 2], "tray": [10, 6, 1, 3]}


def ground_tile(kind, r, c, pick):
    prefix = C.MATERIAL_TILE_PREFIX[kind]
    if prefix == "magazine":
        # Whole pages, three tiles by four, rather than confetti.
        page = random.Random(f"{r // 4 + 1000 * (c // 3)}").randrange(C.MATERIAL_VARIANTS)
        return f"{prefix}{page}"
    weights = VARIANT_WEIGHTS[prefix]
    return f"{prefix}{pick.choices(range(len(weights)), weights)[0]}"


def border(name, style, c0, r0, w, h):
    return obj(name, "MapBorder", c0 * T, r0 * T, w * T, h * T, "Ground", mass=1000,
               restitution=BOUNCE[style], velocity="0,0")


def straight_line_summary(k):
    """How a race without steering goes on each straight line: seconds and points left, at full
    speed on every ground (the start's speed-up and the speed factor's easing are ignored)."""
    lines = []
    for name, x in STARTS.items():
        c0, c1 = x // T, (x + C.CHARACTER_WIDTH - 1) // T
        seconds = wear = 0.0
        for r in range((START_Y + 200) // T, k.finish_row):
            kind = k.material[r][c0] or "Paper"
            speed, factor = MATERIAL_VALUES[kind]
            assert all(k.solid[r][c] is None for c in range(c0, c1 + 1)), name
            speed = speed * (0.95 if speed > 1 else 1.05 if speed < 1 else 1)
            seconds += T / (1000 * speed)
            wear += T / 100 * factor
        lines.append(f"{name}: about {seconds:.0f} s, {1000 - wear:.0f} points left")
    return "; ".join(lines)


# Every race of the game: its map file, its name and one line about it, and how it is laid out.
RACES = [
    ("TileMap.tmx", "Desk Run", "A bit of everything: erasers, rulers, trays, magazines and wax.",
     first_course),
    ("courses/Sprint.tmx", "Sprint", "Short and open: find the wax line through the trays.",
     sprint),
    ("courses/Chutes.tmx", "Chutes", "Long wax chutes; the trays down the middle are quick but "
     "they grind.", chutes),
    ("courses/Switchbacks.tmx", "Switchbacks", "A tray at every turn: duck into the magazines "
     "behind the rulers.", switchbacks),
]


def main():
    title_screen()
    tutorial_screen()
    credits_screen()
    settings_screen()
    courses_screen()
    highscore_screen()
    print(f"maps written under {C.ASSETS}")
    for file_name, title, description, lay_out in RACES:
        course = lay_out()
        write_race(course, file_name, title, description)
        print(f"{file_name} without steering:", straight_line_summary(course))


if __name__ == "__main__":
    main()
