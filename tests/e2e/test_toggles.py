"""Real input reaches the game in one run: F4 hides the HUD's text and shows
it again, the mouse and S fly the camera to where the glowing stars and the
star field show, and each other function key but F2 (the countdown test's)
reaches its toggle (the toggles' lines, one per press however long held, are
the logic tests' work)."""

import itertools
import time
import unittest

from harness import GameTestCase, near

# Boxes in window pixels, top-left origin, for the default 1024 x 768 window.
LEFT_LINES = (5, 70, 230, 170)  # "Lives: ", "Time: " and "Items: "
STAR_AREA = (312, 234, 712, 634)  # where the flight below leaves the glowing stars
WINDOW = (0, 0, 1024, 768)
# After the flight, whose turns are marked by F6 and F10.
TOGGLES = [
    ("F3", "Wire frame toggled to: 1"),
    ("F5", "CEL shading toggled to 1"),
    ("F8", "Frustrum culling toggled"),
]
# A turn of 180 degrees at 0.1 degree a pixel, in steps that stay inside the
# window (the disabled cursor is put back to its centre once a frame).
HALF_TURN_STEPS = (450,) * 4
# Facing +z pitched 10 degrees down, S carries the camera over the meadow and
# up; 30 s at 210 units a second ends above the stars. Facing -z again, they
# lie about 27 degrees below the horizon.
FLIGHT = (100, 30, 176)


def is_glowing(c):
    """A glow star's face brightened past full red by its own bloom."""
    return c[0] >= 250 and c[1] >= 190 and c[2] <= 120


def is_star_yellow(c):
    return c[0] > 200 and c[1] > 160 and c[2] < 100 and 15 <= c[0] - c[1] <= 80


def clusters(picture, box, predicate):
    """Sizes of the 8-connected patches of box whose pixels satisfy predicate."""
    x0, y0, x1, y1 = box
    hits = {(x, y) for y in range(y0, y1) for x in range(x0, x1) if predicate(picture.pixel(x, y))}
    sizes = []
    while hits:
        stack, size = [hits.pop()], 0
        while stack:
            x, y = stack.pop()
            size += 1
            for n in [(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)]:
                if n in hits:
                    hits.remove(n)
                    stack.append(n)
        sizes.append(size)
    return sizes or [0]


class RealInput(GameTestCase):

    def test_keys_and_the_mouse_reach_the_game(self):
        run = self.start_game()
        run.wait_for_window()
        dark_text = near((0, 0, 0), 30)
        self.assertGreater(run.wait_for_drawing(keep_seconds=0, colours=40).count(LEFT_LINES, dark_text), 150)
        run.press_until_line("F4", r"^HUD toggled to: 0$")
        run.wait_for_picture(lambda p: p.count(LEFT_LINES, dark_text) < 20, "the HUD hidden")
        marks = itertools.cycle([("F6", r"^Lightmaps toggled to [01]$"), ("F10", r"^NormalMap toggled to [01]$")])

        def turn(dx, dy):
            # A key whose line changes nothing on screen follows each step:
            # once its line is out, the frame that read the motion is over.
            run.xdotool("mousemove_relative", "--", str(dx), str(dy))
            key, line = next(marks)
            run.press_until_line(key, line, start=len(run.lines))

        turn(10, 0)  # the first motion only sets the reference position
        for step in HALF_TURN_STEPS:
            turn(step, 0)
        turn(0, FLIGHT[0])
        # S moves the camera against its view: forward over the level, and up.
        run.key_down("s")
        time.sleep(FLIGHT[1])
        run.key_up("s")
        for step in HALF_TURN_STEPS:
            turn(-step, 0)
        turn(0, FLIGHT[2])
        turn(0, 0)  # the frame drawn with the last turn is on screen
        # The stars spin: seen edge-on they are thin lines, so look for a while.
        picture = run.wait_for_picture(lambda p: max(clusters(p, STAR_AREA, is_glowing)) >= 8,
                                       "a glowing star", timeout=20)
        # By now the 3000 small stars, flown 60 steps a second since the
        # start, are spread over the view as single dots, apart from the
        # glowing stars' patches.
        dots = [size for size in clusters(picture, WINDOW, is_star_yellow) if size <= 2]
        self.assertGreater(len(dots), 15)
        for key, line in TOGGLES:
            run.press_until_line(key, "^" + line + "$", start=len(run.lines))
        # Only now: the flight's timing decides where the star field is.
        run.press_until_line("F4", r"^HUD toggled to: 1$", start=len(run.lines))
        run.wait_for_picture(lambda p: p.count(LEFT_LINES, dark_text) > 100, "the HUD again")
        self.assertEqual(run.quit_with_escape(), 0)
        self.assertEqual(run.stderr, b"")


if __name__ == "__main__":
    unittest.main(verbosity=2)
