"""The display toggles of the real binary: each function key prints its line once per press."""

import unittest

from harness import GameTestCase

# Key, then the line each of two presses prints.
TOGGLES = [
    ("F3", "Wire frame toggled to: 1", "Wire frame toggled to: 0"),
    ("F4", "HUD toggled to: 0", "HUD toggled to: 1"),
    ("F5", "CEL shading toggled to 1", "CEL shading toggled to 0"),
    ("F8", "Frustrum culling toggled", "Frustrum culling toggled"),
    ("F2", "Show FPS toggled to: 0", "Show FPS toggled to: 1"),
    ("F6", "Lightmaps toggled to 0", "Lightmaps toggled to 1"),
    ("F10", "NormalMap toggled to 0", "NormalMap toggled to 1"),
]


class FunctionKeyToggles(GameTestCase):

    def test_each_press_prints_one_line_with_the_new_value(self):
        run = self.start_game()
        run.wait_for_window()
        # The game is up once the small stones and the scene set-up have printed.
        run.wait_for_line(r"^-99\.241615 489\.945679$")
        for key, first, second in TOGGLES:
            before = run.line_count()
            at = run.press_until_line(key, "^" + first + "$", start=before)
            run.press_until_line(key, "^" + second + "$", start=at + 1)
            # Held for many frames, still one line per press.
            toggles = [l for l in run.lines[before:] if l in (first, second)]
            self.assertEqual(len(toggles), 2, key)
        self.assertEqual(run.quit_with_escape(), 0)
        self.assertEqual(run.stderr, b"")


if __name__ == "__main__":
    unittest.main(verbosity=2)
