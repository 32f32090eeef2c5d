#!/usr/bin/python3
"""Draws every picture of the game into assets/: the tileset shared by all maps, the two
characters and their trail stamps, the buttons, the logo, the tutorial's key caps and material
swatches, and the level background.

Run it from anywhere: /usr/bin/python3 tools/make-pictures.py
It needs Debian's python3-pil and the font that tools/copy-font.sh puts in place. Every random
choice comes from a generator seeded by the picture's name, so the output is the same on every
run and a change to one picture leaves the others alone.

Conventions the game relies on:
- Characters and buttons use real transparency and never pure black or pure white: the game
  makes pure black transparent in the race and on buttons, pure white on the win screen.
- A character is CHARACTER_WIDTH by 200 + COLLIDER_HEIGHT pixels; the part that touches the
  ground is the bottom COLLIDER_HEIGHT rows (the game cuts the picture from the bottom as the
  character wears down).
"""
import math
import os
import random
import zlib

from PIL import Image, ImageDraw

import contentlib as C

T = C.TILE
INK = (40, 34, 44)  # our darkest colour: never pure black
SNOW = (250, 247, 238)  # our lightest colour: never pure white


def rng(name):
    return random.Random(zlib.crc32(name.encode()))


def clamp(v):
    return max(0, min(255, int(round(v))))


def tone(colour, delta):
    return tuple(clamp(c + delta) for c in colour[:3])


def mix(a, b, t):
    return tuple(clamp(x + (y - x) * t) for x, y in zip(a[:3], b[:3]))


def speckle(img, box, base, amount, r):
    """Fills a box with a colour whose brightness wanders a little from pixel to pixel."""
    px = img.load()
    x0, y0, x1, y1 = box
    for y in range(y0, y1):
        for x in range(x0, x1):
            px[x, y] = tone(base, r.randint(-amount, amount)) + (255,)


def ground_tile(name, base, amount):
    """A new tile of a wandering base colour, its drawing context and its own random source."""
    r = rng(name)
    img = Image.new("RGBA", (T, T))
    speckle(img, (0, 0, T, T), base, amount, r)
    return img, ImageDraw.Draw(img), r


def save(img, path):
    full = os.path.join(C.ASSETS, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    img.save(full, optimize=True)


def chunky_text(text, scale, fill, outline=None, shadow=None, spacing=1):
    """Pixel text: drawn without smoothing at the font's native 16 pixels, letter by letter with
    extra spacing (so outlines do not run together), then scaled up."""
    f = C.font(16)
    _, top, _, bottom = f.getbbox(text)
    pad = 1
    width = int(sum(f.getlength(ch) for ch in text)) + spacing * (len(text) - 1)
    small = Image.new("RGBA", (width + 2 * pad + 1, bottom - top + 2 * pad + 1), (0, 0, 0, 0))
    d = ImageDraw.Draw(small)
    d.fontmode = "1"
    layers = []
    if shadow:
        layers.append(((1, 1), shadow))
    if outline:
        layers += [((dx, dy), outline) for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1))]
    layers.append(((0, 0), fill))
    for (dx, dy), colour in layers:
        x = pad
        for ch in text:
            d.text((x + dx, pad - top + dy), ch, font=f, fill=colour)
            x += f.getlength(ch) + spacing
    return small.resize((small.width * scale, small.height * scale), Image.NEAREST)


# --- Tiles -------------------------------------------------------------------------------------

def paper_tile(i):
    img, d, r = ground_tile(f"paper{i}", (246, 242, 228), 3)
    d.line([(0, T - 2), (T, T - 2)], fill=(150, 185, 225))
    d.line([(0, T - 1), (T, T - 1)], fill=(190, 210, 235))
    if i == 1:  # a faint pencil stroke
        x, y = r.randint(4, 12), r.randint(6, 20)
        d.line([(x, y), (x + 14, y + r.randint(-4, 4))], fill=(185, 182, 178))
    if i == 2:  # paper fibres
        for _ in range(5):
            x, y = r.randint(0, T - 4), r.randint(0, T - 4)
            d.line([(x, y), (x + 3, y + 1)], fill=(228, 222, 206))
    return img


def wax_tile(i):
    img, d, r = ground_tile(f"wax{i}", (228, 206, 132), 3)
    px = img.load()
    for y in range(T):
        for x in range(T):
            band = (x + y) % T  # diagonal gloss that runs on across tile borders
            if band < 3:
                px[x, y] = mix(px[x, y], (252, 244, 206), 0.75) + (255,)
            elif band in (12, 13):
                px[x, y] = mix(px[x, y], (248, 236, 190), 0.45) + (255,)
    x, y = r.randint(0, T), r.randint(0, T)
    points = [(x, y)]
    for _ in range(3):  # a crinkle
        x, y = x + r.randint(-14, 14), y + r.randint(-14, 14)
        points.append((x, y))
    d.line(points, fill=(196, 170, 96), width=1)
    if i == 3:
        d.line([(p[0] + 1, p[1]) for p in points], fill=(246, 234, 190))
    return img


def tray_tile(i):
    r = rng(f"tray{i}")
    img = Image.new("RGBA", (T, T))
    px = img.load()
    rows = [r.randint(-9, 9) for _ in range(T)]
    for y in range(T):
        for x in range(T):
            px[x, y] = tone((150, 156, 166), rows[y] + r.randint(-2, 2)) + (255,)
    d = ImageDraw.Draw(img)
    for cy in range(4, T, 8):  # perforations of a baking tray
        for cx in range(4, T, 8):
            d.ellipse([cx - 2, cy - 2, cx + 1, cy + 1], fill=(76, 80, 90))
            d.point((cx, cy + 2), fill=(196, 202, 210))
    if i == 2:  # a baked-on spot
        cx, cy = r.randint(8, 24), r.randint(8, 24)
        d.ellipse([cx - 6, cy - 4, cx + 6, cy + 4], fill=(122, 96, 70))
        d.ellipse([cx - 3, cy - 2, cx + 2, cy + 1], fill=(140, 112, 82))
    if i == 3:  # a bright scratch
        y = r.randint(2, T - 3)
        d.line([(0, y), (T, y + r.randint(-2, 2))], fill=(214, 220, 228))
    return img


def magazine_tile(i):
    r = rng(f"magazine{i}")
    pages = [((214, 58, 136), (246, 150, 196)), ((36, 164, 206), (150, 222, 240)),
             ((242, 240, 232), (70, 66, 76)), ((246, 198, 42), (218, 66, 46))]
    ground, ink = pages[i]
    img = Image.new("RGBA", (T, T), ground + (255,))
    d = ImageDraw.Draw(img)
    if i == 2:  # a column of print
        for y in range(3, T - 2, 5):
            length = r.randint(14, 28)
            d.rectangle([2, y, 2 + length, y + 2], fill=ink)
    else:  # halftone dots growing across the tile
        for y in range(2, T, 6):
            for x in range(2 + (y // 6 % 2) * 3, T, 6):
                radius = 0.6 + 2.0 * ((x + y) / (2 * T))
                d.ellipse([x - radius, y - radius, x + radius, y + radius], fill=ink)
    d.line([(0, 0), (T - 1, 0)], fill=tone(ground, -30))  # the edge of a cut-out
    d.line([(0, 0), (0, T - 1)], fill=tone(ground, -30))
    return img


SOLIDS = {
    # style: (body, light edge, dark edge, grain)
    "wall": ((112, 72, 46), (158, 112, 74), (62, 38, 24), (92, 58, 36)),
    "eraser": ((234, 136, 158), (250, 192, 204), (176, 84, 108), (222, 122, 144)),
    "ruler": ((224, 190, 116), (246, 220, 160), (150, 116, 56), (208, 172, 98)),
}


def solid_tile(style, part):
    """One piece of a nine-slice block: edges and corners carry a bevel on their open sides."""
    body, light, dark, grain = SOLIDS[style]
    img, d, r = ground_tile(f"{style}_{part}", body, 3)
    if style == "wall":  # wood grain runs down the walls
        for x in range(3, T, 7):
            d.line([(x, 0), (x + r.choice((-1, 0, 1)), T)], fill=grain)
    elif style == "eraser":  # rubber crumbs
        for _ in range(6):
            d.point((r.randrange(T), r.randrange(T)), fill=grain)
    else:  # ruler: a grain line and tick marks along its top
        d.line([(0, 20), (T, 21)], fill=grain)
    bevel = 4
    if "n" in part:
        d.rectangle([0, 0, T - 1, bevel - 1], fill=light)
        if style == "ruler":
            for x in range(0, T, 8):
                d.line([(x, bevel), (x, bevel + (9 if x == 0 else 5))], fill=INK)
    if "s" in part:
        d.rectangle([0, T - bevel, T - 1, T - 1], fill=dark)
    if part in ("w", "nw", "sw"):
        d.rectangle([0, 0, bevel - 1, T - 1], fill=light)
    if part in ("e", "ne", "se"):
        d.rectangle([T - bevel, 0, T - 1, T - 1], fill=dark)
    return img


def finish_check_tile():
    img = Image.new("RGBA", (T, T))
    d = ImageDraw.Draw(img)
    half = T // 2
    for cy in range(2):
        for cx in range(2):
            colour = (42, 40, 48) if (cx + cy) % 2 == 0 else (240, 238, 230)
            d.rectangle([cx * half, cy * half, cx * half + half - 1, cy * half + half - 1],
                        fill=colour)
    return img


def finish_pad_tile(i):
    img, d, _ = ground_tile(f"finish_pad{i}", (152, 206, 118), 4)
    d.line([(0, T - 1), (T, T - 1)], fill=(128, 184, 98))
    if i == 1:
        star(d, 16, 15, 7, (248, 214, 82), (190, 150, 40))
    return img


def start_line_tile():
    img = Image.new("RGBA", (T, T), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rectangle([0, 12, 15, 19], fill=(52, 70, 150, 220))  # a dashed line in blue ink
    return img


def desk_tile(i):
    img, d, r = ground_tile(f"desk{i}", (176, 124, 78), 3)
    for y in range(2, T, 6):  # grain along the planks
        wobble = r.randint(-1, 1)
        d.line([(0, y), (T, y + wobble)], fill=(156, 106, 64))
    if i == 1:
        cx, cy = r.randint(8, 24), r.randint(8, 24)
        d.ellipse([cx - 5, cy - 3, cx + 5, cy + 3], outline=(132, 86, 50))
    if i == 3:  # the seam between two planks
        d.line([(0, T - 2), (T, T - 2)], fill=(110, 72, 42))
        d.line([(0, T - 1), (T, T - 1)], fill=(196, 146, 98))
    return img


def sheet_tile(part):
    """A sheet of lined paper lying on the desk, in nine slices, with its shadow on the desk.
    Drawn over the desk so that a screen needs only one layer behind its objects."""
    r = rng(f"sheet_{part}")
    img = desk_tile(0)
    x0 = 6 if "w" in part else 0
    y0 = 6 if "n" in part else 0
    x1 = T - 7 if "e" in part else T - 1
    y1 = T - 7 if "s" in part else T - 1
    shadow = Image.new("RGBA", (T, T), (0, 0, 0, 0))
    ImageDraw.Draw(shadow).rectangle([x0 + 4, y0 + 4, min(T - 1, x1 + 4), min(T - 1, y1 + 4)],
                                     fill=(60, 36, 20, 90))
    img = Image.alpha_composite(img, shadow)
    paper = Image.new("RGBA", (T, T))
    speckle(paper, (0, 0, T, T), (248, 245, 234), 2, r)
    ImageDraw.Draw(paper).line([(0, T - 2), (T, T - 2)], fill=(184, 204, 232))
    mask = Image.new("L", (T, T), 0)
    ImageDraw.Draw(mask).rectangle([x0, y0, x1, y1], fill=255)
    img.paste(paper, (0, 0), mask)
    return img


def star(d, cx, cy, radius, fill, outline):
    points = []
    for k in range(10):
        angle = -math.pi / 2 + k * math.pi / 5
        rr = radius if k % 2 == 0 else radius * 0.45
        points.append((cx + rr * math.cos(angle), cy + rr * math.sin(angle)))
    d.polygon(points, fill=fill, outline=outline)


def decor_tile(name):
    img = Image.new("RGBA", (T, T), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    orange = (240, 112, 40, 215)
    if name == "arrow_down":
        d.line([(6, 10), (16, 22), (26, 10)], fill=orange, width=6, joint="curve")
    elif name == "arrow_down_left":
        d.line([(8, 8), (8, 24), (24, 24)], fill=orange, width=6, joint="curve")
    elif name == "arrow_down_right":
        d.line([(24, 8), (24, 24), (8, 24)], fill=orange, width=6, joint="curve")
    elif name == "star":
        star(d, 16, 16, 13, (250, 212, 66, 255), (186, 140, 34, 255))
    elif name == "spiral":
        points = [(16 + 0.9 * a * math.cos(a), 16 + 0.9 * a * math.sin(a))
                  for a in [k * 0.25 for k in range(56)]]
        d.line(points, fill=(84, 84, 104, 190), width=2)
    elif name == "smiley":
        d.ellipse([3, 3, 28, 28], fill=(250, 214, 70, 255), outline=(180, 132, 30, 255), width=2)
        d.rectangle([11, 11, 13, 15], fill=INK)
        d.rectangle([19, 11, 21, 15], fill=INK)
        d.arc([9, 10, 23, 23], 20, 160, fill=INK, width=2)
    elif name == "crumbs":
        r = rng(name)
        for _ in range(7):
            x, y = r.randint(3, 27), r.randint(3, 27)
            d.rectangle([x, y, x + 2, y + 1], fill=(226, 140, 158, 230))
    elif name == "heart":
        d.ellipse([5, 7, 17, 19], fill=(222, 60, 76, 230))
        d.ellipse([15, 7, 27, 19], fill=(222, 60, 76, 230))
        d.polygon([(6, 15), (26, 15), (16, 27)], fill=(222, 60, 76, 230))
    return img


def word_tiles(word):
    text, width = C.WORDS[word]
    strip = Image.new("RGBA", (width * T, 2 * T), (0, 0, 0, 0))
    letters = chunky_text(text, 4, SNOW + (255,), outline=INK + (255,))
    strip.alpha_composite(letters, ((strip.width - letters.width) // 2,
                                    (strip.height - letters.height) // 2))
    return {f"{word}_{row}_{col}": strip.crop((col * T, row * T, col * T + T, row * T + T))
            for row in range(2) for col in range(width)}


def paint_tile(name):
    for prefix, painter in (("paper", paper_tile), ("wax", wax_tile), ("tray", tray_tile),
                            ("magazine", magazine_tile), ("desk", desk_tile)):
        if name.startswith(prefix) and name[len(prefix):].isdigit():
            return painter(int(name[len(prefix):]))
    style, _, part = name.partition("_")
    if style in C.SOLID_STYLES:
        return solid_tile(style, part)
    if style == "sheet":
        return sheet_tile(part)
    if name == "finish_check":
        return finish_check_tile()
    if name.startswith("finish_pad"):
        return finish_pad_tile(int(name[-1]))
    if name == "start_line":
        return start_line_tile()
    return decor_tile(name)


def make_tileset():
    words = {}
    for word in C.WORDS:
        words.update(word_tiles(word))
    sheet = Image.new("RGBA", (C.TILESET_COLUMNS * T, C.TILESET_ROWS * T), (0, 0, 0, 0))
    for index, name in enumerate(C.TILE_NAMES):
        tile = words[name] if name in words else paint_tile(name)
        sheet.paste(tile, ((index % C.TILESET_COLUMNS) * T, (index // C.TILESET_COLUMNS) * T))
    save(sheet, C.TILESET)
    return sheet


# --- Characters --------------------------------------------------------------------------------

def cylinder(d, x0, x1, y0, y1, base):
    """A standing stick lit from the left: a bright stripe, the body, a shaded right side."""
    width = x1 - x0
    for x in range(x0, x1 + 1):
        t = (x - x0) / width
        light = 60 * math.exp(-((t - 0.28) / 0.16) ** 2) - 70 * max(0.0, t - 0.6) ** 1.2
        d.line([(x, y0), (x, y1)], fill=tone(base, light) + (255,))


def face(d, cx, cy, eye, mouth):
    for side in (-1, 1):
        ex = cx + side * 9
        d.ellipse([ex - 4, cy - 6, ex + 4, cy + 6], fill=eye)
        d.rectangle([ex - 2, cy - 4, ex, cy - 2], fill=(236, 238, 246))
    d.arc([cx - 8, cy + 2, cx + 8, cy + 14], 20, 160, fill=mouth, width=3)


def make_crayon():
    w, h, ground = C.CHARACTER_WIDTH, C.CHARACTER_HEIGHT, 200
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    red, outline = (206, 42, 48), (84, 16, 24)
    left, right = 5, w - 6
    # The tip: a cone from the bottom of the body to a blunt point that touches the ground.
    tip_top, tip_bottom = ground + 4, h - 3
    for y in range(tip_top, tip_bottom + 1):
        t = (y - tip_top) / (tip_bottom - tip_top)
        half = (right - left) / 2 * (1 - 0.78 * t)
        cx = w / 2
        cylinder(d, int(cx - half), int(cx + half), y, y, red)
        d.point([(int(cx - half) - 1, y), (int(cx + half) + 1, y)], fill=outline)
    d.ellipse([w / 2 - 7, tip_bottom - 4, w / 2 + 6, tip_bottom + 2], fill=tone(red, -40))
    # The body with its paper wrapper, and the flat top.
    cylinder(d, left, right, 8, ground + 4, red)
    wrapper = (178, 32, 42)
    cylinder(d, left, right, 40, 176, wrapper)
    for y in (46, 166):
        cylinder(d, left, right, y, y + 6, (92, 18, 30))
    for y in range(60, 156, 12):  # the printed zigzag of the wrapper
        d.line([(left + 2 + k * 6, y + (3 if k % 2 else 0)) for k in range(8)],
               fill=(150, 24, 36), width=1)
    d.rounded_rectangle([left + 4, 96, right - 4, 140], radius=8, fill=(244, 230, 198),
                        outline=(120, 22, 32))
    d.ellipse([left, 2, right, 16], fill=(230, 86, 84), outline=outline)
    d.line([(left - 1, 9), (left - 1, ground + 4)], fill=outline, width=2)
    d.line([(right + 1, 9), (right + 1, ground + 4)], fill=outline, width=2)
    face(d, w // 2, 112, (44, 26, 40), (150, 30, 44))
    return img


def make_chalk():
    w, h = C.CHARACTER_WIDTH, C.CHARACTER_HEIGHT
    r = rng("chalk")
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    blue, outline = (164, 200, 236), (72, 98, 136)
    left, right, bottom = 6, w - 7, h - 12
    cylinder(d, left, right, 10, bottom, blue)
    d.ellipse([left, bottom - 10, right, bottom + 8], fill=tone(blue, -18))  # worn, rounded end
    d.ellipse([left, 3, right, 19], fill=(204, 226, 246), outline=outline)
    px = img.load()
    for _ in range(260):  # chalk is powdery
        x, y = r.randint(left + 1, right - 1), r.randint(14, bottom)
        if px[x, y][3]:
            px[x, y] = tone(px[x, y], r.choice((-22, 18))) + (255,)
    d.line([(left - 1, 11), (left - 1, bottom)], fill=outline, width=2)
    d.line([(right + 1, 11), (right + 1, bottom)], fill=outline, width=2)
    d.arc([left, bottom - 10, right, bottom + 8], 0, 180, fill=outline, width=2)
    # Dust puffs where the chalk meets the ground.
    for cx, cy, radius in ((10, h - 8, 7), (w - 10, h - 7, 8), (w // 2, h - 4, 6)):
        d.ellipse([cx - radius, cy - radius // 2, cx + radius, cy + radius // 2],
                  fill=(214, 230, 246, 120))
    face(d, w // 2, 96, (36, 48, 86), (64, 86, 140))
    return img


def trail_stamp(name, colour, width, alpha_range, speckled):
    """One stamp of a trail, centred on the character: the game lays one every fifteenth of a
    second at the top of the collider, so the stamp is tall enough to join up at full speed."""
    r = rng(name)
    w, h = C.CHARACTER_WIDTH, C.TRAIL_HEIGHT
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    px = img.load()
    for y in range(h):
        fade = min(1.0, y / 14, (h - 1 - y) / 14)  # soft ends so stamps blend
        half = width / 2 + r.uniform(-1.5, 1.5)
        for x in range(w):
            if abs(x + 0.5 - w / 2) <= half:
                alpha = r.randint(*alpha_range) if speckled else alpha_range[1]
                streak = 18 if (x * 7 + y // 9) % 5 == 0 else 0
                px[x, y] = tone(colour, streak) + (int(alpha * fade),)
    return img


def make_characters():
    save(make_crayon(), C.CRAYON)
    save(make_chalk(), C.CHALK)
    save(trail_stamp("crayon_trail", (200, 40, 46), 18, (150, 190), False), C.CRAYON_TRAIL)
    save(trail_stamp("chalk_trail", (186, 214, 242), 26, (30, 130), True), C.CHALK_TRAIL)


# --- Menus -------------------------------------------------------------------------------------

BUTTONS = {
    # file: (label, plate colour)
    "ui/ButtonPlay.png": ("PLAY", (86, 170, 88)),
    "ui/ButtonTutorial.png": ("HOW TO PLAY", (78, 138, 206)),
    "ui/ButtonSettings.png": ("SETTINGS", (146, 108, 196)),
    "ui/ButtonCredits.png": ("CREDITS", (226, 146, 58)),
    "ui/ButtonQuit.png": ("QUIT", (206, 78, 78)),
    "ui/ButtonBack.png": ("BACK", (108, 128, 158)),
    "ui/ButtonRaceAgain.png": ("RACE AGAIN", (86, 170, 88)),
    "ui/ButtonCourses.png": ("COURSES", (58, 160, 150)),
    "ui/ButtonPrevious.png": ("PREVIOUS", (108, 128, 158)),
    "ui/ButtonNext.png": ("NEXT", (108, 128, 158)),
    "ui/ButtonPlate.png": ("", (238, 224, 188)),
    # The pause's overlay.
    "ui/ButtonResume.png": ("RESUME", (86, 170, 88)),
    "ui/ButtonRestart.png": ("RESTART", (226, 146, 58)),
    "ui/ButtonTitle.png": ("TITLE", (108, 128, 158)),
}
BUTTON_SIZE = (480, 96)
PLATE_SIZE = (640, 96)
# The courses screen's entries: a plate each, greyed for a course that cannot be raced.
COURSE_PLATES = {"ui/CoursePlate.png": (238, 224, 188), "ui/CoursePlateGrey.png": (196, 194, 190)}
COURSE_PLATE_SIZE = (1280, 112)


def button(label, colour, size):
    w, h = size
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([2, 6, w - 3, h - 3], radius=18, fill=tone(colour, -70))  # its edge
    d.rounded_rectangle([2, 2, w - 3, h - 9], radius=18, fill=colour, outline=tone(colour, -70),
                        width=3)
    d.rounded_rectangle([12, 8, w - 13, 20], radius=6, fill=tone(colour, 36))  # shine
    if label:
        text = chunky_text(label, 3, SNOW + (255,), shadow=tone(colour, -80) + (255,))
        img.alpha_composite(text, ((w - text.width) // 2, (h - 6 - text.height) // 2))
    return img


def key_cap(label, width):
    img = Image.new("RGBA", (width, 96), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([2, 2, width - 3, 93], radius=14, fill=(168, 166, 160),
                        outline=(96, 94, 92), width=3)
    d.rounded_rectangle([12, 8, width - 13, 74], radius=10, fill=(226, 224, 216))
    if label:
        text = chunky_text(label, 3, INK + (255,))
        img.alpha_composite(text, ((width - text.width) // 2, (82 - text.height) // 2))
    return img


def make_logo():
    title = chunky_text("TUMBLELEAF", 8, (246, 150, 54, 255), outline=(88, 40, 30, 255),
                        shadow=(88, 40, 30, 255), spacing=2)
    img = Image.new("RGBA", (title.width + 220, 260), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    # A leaf tumbling in front of the title.
    leaf = [(40, 150), (70, 70), (150, 30), (190, 40), (170, 120), (100, 180), (50, 190)]
    d.polygon(leaf, fill=(118, 182, 72), outline=(52, 96, 40))
    d.line([(46, 188), (120, 110), (182, 42)], fill=(52, 96, 40), width=4)
    for a, b in (((84, 146), (70, 112)), ((110, 120), (104, 78)), ((140, 90), (142, 58)),
                 ((96, 134), (136, 150)), ((126, 104), (160, 110))):
        d.line([a, b], fill=(72, 126, 52), width=3)
    img.alpha_composite(title, (210, 20))
    subtitle = chunky_text("a downhill race for two", 3, (70, 58, 56, 255))
    img.alpha_composite(subtitle, (210 + (title.width - subtitle.width) // 2, 20 + title.height))
    return img


def swatch(sheet, material):
    """A patch of a material as it looks in the race, for the tutorial."""
    prefix = C.MATERIAL_TILE_PREFIX[material]
    r = rng(f"swatch_{material}")
    img = Image.new("RGBA", (128, 128), (0, 0, 0, 0))
    for row in range(4):
        for col in range(4):
            index = C.TILE_INDEX[f"{prefix}{r.randrange(C.MATERIAL_VARIANTS)}"]
            x, y = (index % C.TILESET_COLUMNS) * T, (index // C.TILESET_COLUMNS) * T
            img.paste(sheet.crop((x, y, x + T, y + T)), (col * T, row * T))
    ImageDraw.Draw(img).rectangle([0, 0, 127, 127], outline=INK, width=3)
    return img


def make_menu_pictures(sheet):
    for path, (label, colour) in BUTTONS.items():
        save(button(label, colour, PLATE_SIZE if not label else BUTTON_SIZE), path)
    for path, colour in COURSE_PLATES.items():
        save(button("", colour, COURSE_PLATE_SIZE), path)
    save(key_cap("Esc", 144), "ui/KeyEsc.png")
    # A blank cap the tutorial writes the key in force on.
    save(key_cap("", 176), "ui/KeyCap.png")
    for material, *_ in C.MATERIALS:
        save(swatch(sheet, material), f"ui/Swatch{material}.png")
    save(make_logo(), "ui/Logo.png")


def make_level_background():
    """The desk under the race, seen where the course ends at its sides."""
    r = rng("background")
    w, h = 1920, 1080
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    plank = 120
    for top in range(0, h, plank):
        base = tone((150, 100, 60), r.randint(-14, 14))
        d.rectangle([0, top, w, top + plank - 1], fill=base)
        for _ in range(14):  # long wavy grain lines
            y = top + r.randint(6, plank - 8)
            amplitude, period = r.uniform(1, 4), r.uniform(180, 420)
            phase = r.uniform(0, 6.3)
            d.line([(x, y + amplitude * math.sin(x / period * 6.28 + phase))
                    for x in range(0, w + 16, 16)], fill=tone(base, -22), width=2)
        d.line([(0, top + plank - 2), (w, top + plank - 2)], fill=tone(base, -50), width=3)
        d.line([(0, top), (w, top)], fill=tone(base, 24))
    return img.quantize(colors=64, dither=Image.Dither.NONE)


def make_icons():
    """The desktop icon: the two racers on a sheet of paper, drawn once large and scaled down
    to the sizes a desktop asks for."""
    size = 256
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([8, 8, size - 9, size - 9], radius=36, fill=(246, 240, 222),
                        outline=(120, 96, 64), width=6)
    for picture, x in ((make_crayon(), 44), (make_chalk(), 132)):
        racer = picture.resize((picture.width * 200 // picture.height, 200),
                               Image.Resampling.LANCZOS)
        img.alpha_composite(racer, (x + (80 - racer.width) // 2, 28))
    for icon_size in (256, 128, 64, 48, 32):
        icon = img if icon_size == size else img.resize((icon_size, icon_size),
                                                        Image.Resampling.LANCZOS)
        save(icon, f"icons/{icon_size}x{icon_size}/tumbleleaf.png")


def main():
    sheet = make_tileset()
    make_characters()
    make_menu_pictures(sheet)
    save(make_level_background(), "x400pngs/MainStateBackground.png")
    make_icons()
    print(f"pictures written under {C.ASSETS}")


if __name__ == "__main__":
    main()
