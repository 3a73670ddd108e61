"""The HUD of the real binary: its lines at start, F4 hiding all text, and a
game left alone running into the hurry line and "Game Over"."""

import time
import unittest

from harness import GameTestCase, near

# Boxes in window pixels, top-left origin, for the default 1024 x 768 window.
LEFT_LINES = (5, 70, 230, 170)        # "Lives: ", "Time: ", "Items: "
FPS_LINE = (915, 70, 1024, 106)       # "FPS: "
ITEMS_LEFT = (355, 684, 720, 724)     # "Only 8 items left to collect."
HURRY_LINE = (318, 176, 820, 214)     # "Hurry up! Only n seconds left."
CENTRE = (380, 340, 650, 400)         # "Winner" / "Game Over"

BLACK = (0, 0, 0)
HURRY_RED = (25, 0, 0)          # (0.1, 0, 0)
GAME_OVER_BLUE = (0, 0, 25)     # (0, 0, 0.1)


def darker_pixels(with_text, without_text, box, by=60):
    """Pixels in box that the text made clearly darker."""
    x0, y0, x1, y1 = box
    count = 0
    for y in range(y0, y1):
        for x in range(x0, x1):
            a, b = with_text.pixel(x, y), without_text.pixel(x, y)
            if sum(b) - sum(a) > by:
                count += 1
    return count


class HeadUpDisplay(GameTestCase):

    def test_f4_hides_every_text_and_brings_it_back(self):
        run = self.start_game()
        run.wait_for_window()
        self.wait_for_scene(run)
        shown = run.picture()
        run.screenshot(self.artifact("hud-on.png"))
        at = run.press_until_line("F4", r"^HUD toggled to: 0$")
        hidden = run.picture()
        run.screenshot(self.artifact("hud-off.png"))
        self.assertGreater(darker_pixels(shown, hidden, LEFT_LINES), 150)
        self.assertGreater(darker_pixels(shown, hidden, FPS_LINE), 30)
        self.assertGreater(darker_pixels(shown, hidden, ITEMS_LEFT), 150)
        # Nothing dark enough to be text is left in the HUD's places.
        self.assertLess(hidden.count(LEFT_LINES, near(BLACK, 30)), 20)
        run.press_until_line("F4", r"^HUD toggled to: 1$", start=at + 1)
        again = run.picture()
        self.assertGreater(darker_pixels(again, hidden, LEFT_LINES), 150)
        self.assertEqual(run.quit_with_escape(), 0)

    def test_left_alone_the_game_hurries_then_ends_after_sixty_seconds(self):
        run = self.start_game()
        run.wait_for_window()
        self.wait_for_scene(run)
        started = time.monotonic()
        hurry_seen_at = None
        while time.monotonic() - started < 120:
            picture = run.picture()
            if hurry_seen_at is None and picture.count(HURRY_LINE, near(HURRY_RED, 18)) > 80:
                hurry_seen_at = time.monotonic() - started
                run.screenshot(self.artifact("hurry.png"))
            if picture.count(CENTRE, near(GAME_OVER_BLUE, 18)) > 150:
                break
            time.sleep(0.5)
        else:
            self.fail("no Game Over within two minutes")
        ended_at = time.monotonic() - started
        run.screenshot(self.artifact("game-over.png"))
        self.assertIsNotNone(hurry_seen_at, "the hurry line never showed")
        # The countdown runs on real time: about 50 s to the hurry line, 60 s to the end.
        self.assertGreater(hurry_seen_at, 40)
        self.assertGreater(ended_at, 52)
        self.assertLess(ended_at, 75)
        self.assertEqual(run.quit_with_escape(), 0)
        self.assertEqual(run.stderr, b"")


if __name__ == "__main__":
    unittest.main(verbosity=2)
