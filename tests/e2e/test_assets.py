"""The game with one asset file taken away or broken, a file of each kind its
loaders treat differently (random and cut-short bytes are the fuzz targets'
work). Nothing may crash, hang or write to standard error. Without the
settings or a font start-up ends with its line, and status 255 after two
seconds; otherwise the game reports what it could not read, draws, and ends
with 0 on Escape."""

import pathlib
import subprocess
import time
import unittest

from harness import ASSETS, GameTestCase, loader_reports

SMALL_WINDOW = "[window]\nwidth=320\nheight=240\n"
FONT = "fonts/Raleway-Bold.ttf"
TEXTURE = "Texture failed to load at path: "
FONT_FAILED = "ERROR::FREETYPE: Failed to load font"
SHADER_REPORTS = ["ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ", "ERROR::SHADER_COMPILATION_ERROR of type: VERTEX",
                  "ERROR::SHADER_COMPILATION_ERROR of type: FRAGMENT", "ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM"]


# What is changed, the status (None: either), and the reports: the exact set
# of them, or with `maybe` a set they must stay within.
CASES = [
    ("no settings", {"remove": {"settings.ini"}}, 255,
     ["WARNING: ../assets/settings.ini not found! Using defaults instead.", "Failed to load 'settings.ini'"]),
    ("no font", {"remove": {FONT}}, 255, [FONT_FAILED]),
    # FreeType reads a face's tables when it opens it, the glyphs later.
    ("font cut short", {"replace": {FONT: (font := pathlib.Path(ASSETS, FONT).read_bytes())[:len(font) // 2 + 3]}},
     None, {"maybe": [FONT_FAILED, "ERROR::FREETYTPE: Failed to load Glyph"]}),
    ("no model", {"remove": {"objects/star/star.obj"}}, 0,
     ['ERROR::ASSIMP:: Unable to open file "../assets/objects/star/star.obj".']),
    ("no material", {"remove": {"objects/rabbit/rabbit.mtl"}}, 0, []),
    # Named by its material and loaded by its path as well.
    ("no wall texture", {"remove": {"objects/wall/brickwall.jpg"}}, 0,
     [TEXTURE + "brickwall.jpg", TEXTURE + "../assets/objects/wall/brickwall.jpg"]),
    ("no sky face", {"remove": {"objects/skybox/top.jpg"}}, 0,
     ["Skybox texture failed to load: ../assets/objects/skybox/top.jpg"]),
    ("no shader", {"remove": {"shader/Lighting.frag"}}, 0, SHADER_REPORTS),
    ("no first film image", {"remove": {"frames/frame1.jpg"}}, 0, [TEXTURE + "../assets/frames/frame1.jpg"]),
    ("model image of 8192x8192", {"replace": {"objects/map/grass.jpg": subprocess.run(
        ["convert", "-size", "8192x8192", "xc:green", "jpg:-"], capture_output=True, check=True).stdout}}, 0, []),
]


class Assets(GameTestCase):

    def test_each_changed_tree_reports_what_it_lacks(self):
        for name, changes, code, expected in CASES:
            with self.subTest(case=name):
                replace = dict(changes.get("replace", {}))
                if "settings.ini" not in changes.get("remove", ()):
                    replace["settings.ini"] = SMALL_WINDOW
                tree = self.scratch(remove=changes.get("remove", ()), replace=replace)
                # Before the start: a start-up that fails at once sleeps while the readers start.
                started = time.monotonic()
                run = self.start_game(tree)
                try:
                    if code == 255:
                        status = run.wait_exit(timeout=30)
                    else:
                        run.wait_for_window(timeout=30)
                        run.wait_for_drawing(keep_seconds=1.0, timeout=60)
                        status = run.quit_with_escape(timeout=30)
                except AssertionError:
                    if code is not None or run.proc.poll() is None:
                        raise
                    status = run.wait_exit()  # a start that may fail ended on its own
                seconds = time.monotonic() - started
                self.assertEqual(run.stderr, b"", run.output())
                self.assertIn(status, (0, 255) if code is None else (code,), run.output())
                reports = loader_reports(run.lines)
                if status == 255:
                    # Start-up says why in its last line, after two seconds, with no scene set up.
                    self.assertEqual(reports[-1:], run.lines[-1:])
                    self.assertGreaterEqual(seconds, 2.0)
                    self.assertNotIn("Creating", run.output())
                if isinstance(expected, dict):
                    self.assertLessEqual(set(reports), set(expected["maybe"]))
                else:
                    self.assertEqual(sorted(set(reports)), sorted(expected))

if __name__ == "__main__":
    unittest.main(verbosity=2)
