"""Shared facts for the content generators (make-pictures.py, make-maps.py).

Everything the two generators must agree on lives here: where the files go, the order of the
tiles in the one tileset every map uses, the materials with their game values, and the font
helpers used to measure and draw labels. Nothing here writes files.
"""
import os

from PIL import ImageFont

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
# Where the generators write (and find the font): the game's assets folder, unless a test asks
# for a scratch folder instead.
ASSETS = os.environ.get("TUMBLELEAF_CONTENT_DIR", os.path.join(ROOT, "assets"))

# Paths as the maps write them: relative to the assets folder, which is where the game and the
# Tiled editor both resolve them from (the maps sit directly in it).
FONT = "fonts/mini-pixel-7/mini_pixel-7.ttf"
TILESET = "tilesets/DeskTiles.png"
TILE = 32
TILESET_COLUMNS = 8

CRAYON = "characters/Crayon.png"
CHALK = "characters/Chalk.png"
CRAYON_TRAIL = "characters/CrayonTrail.png"
CHALK_TRAIL = "characters/ChalkTrail.png"
# A character is drawn from its object's position down; the collider is its bottom strip, 200
# pixels below the position at full size.
CHARACTER_WIDTH = 56
COLLIDER_HEIGHT = 56
CHARACTER_HEIGHT = 200 + COLLIDER_HEIGHT
TRAIL_HEIGHT = 88

# The four grounds of a race, in the order the tutorial explains them.
# (type, label for people, speed, degredation, what it feels like)
MATERIALS = [
    ("Paper", "PAPER", 1.0, 1.0, "plain speed, plain wear"),
    ("WaxPaper", "WAX PAPER", 1.5, 0.8, "fast and gentle"),
    ("BakingTray", "BAKING TRAY", 1.9, 2.4, "fastest, but it grinds"),
    ("Magazine", "MAGAZINE", 0.6, 0.6, "slow, but kind to you"),
]
MATERIAL_TILE_PREFIX = {"Paper": "paper", "WaxPaper": "wax", "BakingTray": "tray",
                        "Magazine": "magazine"}
MATERIAL_VARIANTS = 4

NINE = ["nw", "n", "ne", "w", "c", "e", "sw", "s", "se"]
SOLID_STYLES = ["wall", "eraser", "ruler"]
WORDS = {"start": ("START", 6), "finish": ("FINISH", 8)}  # text, width in tiles (2 rows tall)


def _tile_names():
    names = []
    for material, _, _, _, _ in MATERIALS:
        prefix = MATERIAL_TILE_PREFIX[material]
        names += [f"{prefix}{i}" for i in range(MATERIAL_VARIANTS)]
    for style in SOLID_STYLES:
        names += [f"{style}_{part}" for part in NINE]
    names += ["finish_check", "finish_pad0", "finish_pad1", "start_line"]
    names += [f"desk{i}" for i in range(4)]
    names += [f"sheet_{part}" for part in NINE]
    names += ["arrow_down", "arrow_down_left", "arrow_down_right", "star", "spiral", "smiley",
              "crumbs", "heart"]
    for word, (_, width) in WORDS.items():
        names += [f"{word}_{row}_{col}" for row in range(2) for col in range(width)]
    return names


TILE_NAMES = _tile_names()
TILE_INDEX = {name: i for i, name in enumerate(TILE_NAMES)}
TILESET_ROWS = (len(TILE_NAMES) + TILESET_COLUMNS - 1) // TILESET_COLUMNS


def gid(name):
    """The cell value of a tile in a map whose one tileset starts at 1."""
    return TILE_INDEX[name] + 1


def font(size):
    return ImageFont.truetype(os.path.join(ASSETS, FONT), size)


def text_box(text, size):
    """Ink box of a line as the game lays it out: x from the pen start, y from the baseline
    (negative is above it). Both PIL and the game size the font by pixels per em."""
    return font(size).getbbox(text, anchor="ls")


def text_width(text, size):
    return font(size).getlength(text)
