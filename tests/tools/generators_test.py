#!/usr/bin/python3
"""Rebuilds the game's content into a scratch folder with the generators in tools/ and checks
that it is exactly what is committed under assets/: no map, picture or music edited by hand or
left behind when a generator changed, and no generator that depends on chance."""
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from PIL import Image

ROOT = os.environ.get("TUMBLELEAF_SOURCE_DIR",
                      os.path.normpath(os.path.join(os.path.dirname(__file__), "..", "..")))
ASSETS = os.path.join(ROOT, "assets")
FONT = os.path.join("fonts", "mini-pixel-7", "mini_pixel-7.ttf")
# Files that no generator of ours writes: the menu music and what copy-font.sh and the game put
# in place.
NOT_GENERATED = {os.path.join("Music", "TestLoop.wav"), FONT,
                 os.path.join("fonts", "mini-pixel-7", "LICENSE"),
                 os.path.join("fonts", "mini-pixel-7", "README"),
                 os.path.join("SaveFiles", ".gitkeep"),
                 os.path.join("SaveFiles", "Leaderboard.txt")}


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
                        [os.path.join(tools, "make-level-music.sh")]):
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


if __name__ == "__main__":
    unittest.main()
