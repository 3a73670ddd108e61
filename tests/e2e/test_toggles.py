"""The display toggles of the real binary: each function key, pressed for real, reaches its toggle."""

import unittest

from harness import GameTestCase

# Each function key as X sends it, and the line its press prints (the lines
# themselves, one per press however long held, are the logic tests' work).
TOGGLES = [
    ("F3", "Wire frame toggled to: 1"),
    ("F4", "HUD toggled to: 0"),
    ("F5", "CEL shading toggled to 1"),
    ("F8", "Frustrum culling toggled"),
    ("F2", "Show FPS toggled to: 0"),
    ("F6", "Lightmaps toggled to 0"),
    ("F10", "NormalMap toggled to 0"),
]


class FunctionKeyToggles(GameTestCase):

    def test_each_key_reaches_its_toggle(self):
        run = self.start_game()
        run.wait_for_window()
        # The game is up once the small stones and the scene set-up have printed.
        run.wait_for_line(r"^-99\.241615 489\.945679$")
        for key, line in TOGGLES:
            run.press_until_line(key, "^" + line + "$", start=run.line_count())
        self.assertEqual(run.quit_with_escape(), 0)
        self.assertEqual(run.stderr, b"")

if __name__ == "__main__":
    unittest.main(verbosity=2)
