"""The picture of the real binary: sky, meadow and rabbit where the start view
puts them, and, from a camera flown over the meadow with the mouse and S,
the three glowing stars and the instanced star field."""

import time
import unittest

from harness import GameTestCase

# Boxes in window pixels, top-left origin, for the default 1024 x 768 window.
SKY = (300, 20, 700, 200)
MEADOW_LEFT = (40, 560, 330, 760)
MEADOW_RIGHT = (700, 560, 990, 760)
RABBIT = (490, 590, 535, 675)
BESIDE_RABBIT = (290, 590, 335, 675)
# Where the flight below leaves the glowing stars: around the window centre.
STAR_AREA = (312, 234, 712, 634)
MEADOW_FAR = (100, 250, 924, 760)

# Degrees of camera turn per pixel of mouse motion.
DEGREES_PER_PIXEL = 0.1
# Below half the window width, so one step never reaches the window's edge
# (the disabled cursor is put back to the centre once a frame).
TURN_STEP = 450
# Facing +z with the camera pitched 10 degrees down, S carries it forward
# over the meadow and up; 30 s at 210 units a second ends above the stars.
FLIGHT_PITCH_PIXELS = 100
FLIGHT_SECONDS = 30
# Facing -z again, the stars lie about 27 degrees below the horizon.
LOOK_DOWN_PIXELS = 176


def is_sky(c):
    return c[2] > 150 and c[2] > c[0] + 40


def is_grass(c):
    return c[1] > c[0] + 15 and c[1] > c[2] + 15


def is_fur(c):
    """The rabbit's grey-brown: neither grass nor sky, red at least blue."""
    return not is_grass(c) and c[0] >= c[2] and abs(c[0] - c[1]) < 40 and 60 < c[0] < 220


def is_glowing(c):
    """A glow star's face brightened past full red by its own bloom."""
    return c[0] >= 250 and c[1] >= 190 and c[2] <= 120


def is_star_yellow(c):
    return c[0] > 200 and c[1] > 160 and c[2] < 100 and 15 <= c[0] - c[1] <= 80


def largest_cluster(picture, box, predicate):
    """Pixels in the largest 8-connected patch of box satisfying predicate."""
    x0, y0, x1, y1 = box
    hits = {(x, y) for y in range(y0, y1) for x in range(x0, x1) if predicate(picture.pixel(x, y))}
    best = 0
    while hits:
        stack = [hits.pop()]
        size = 0
        while stack:
            x, y = stack.pop()
            size += 1
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    n = (x + dx, y + dy)
                    if n in hits:
                        hits.remove(n)
                        stack.append(n)
        best = max(best, size)
    return best


class ScenePicture(GameTestCase):

    def test_start_view_shows_sky_meadow_and_rabbit(self):
        run = self.start_game()
        run.wait_for_window()
        picture = self.wait_for_scene(run)
        run.screenshot(self.artifact("start.png"))
        sky_box = (SKY[2] - SKY[0]) * (SKY[3] - SKY[1])
        self.assertGreater(picture.count(SKY, is_sky), 0.95 * sky_box)
        for box in (MEADOW_LEFT, MEADOW_RIGHT):
            self.assertGreater(picture.count(box, is_grass), 0.95 * (box[2] - box[0]) * (box[3] - box[1]))
        # The rabbit stands in the middle of the path, a patch of fur on the grass.
        self.assertGreater(picture.count(RABBIT, is_fur), 800)
        self.assertGreater(picture.count(RABBIT, is_grass), 300)
        self.assertLess(picture.count(BESIDE_RABBIT, is_fur), 50)
        # From the start the large stones hide the glowing stars.
        self.assertLess(largest_cluster(picture, STAR_AREA, is_glowing), 4)
        self.assertEqual(run.quit_with_escape(), 0)
        self.assertEqual(run.stderr, b"")

    def test_flight_over_the_meadow_finds_the_glowing_stars_and_the_star_field(self):
        run = self.start_game()
        run.wait_for_window()
        self.wait_for_scene(run)
        frame_marks = FrameMarks(run)
        # The first mouse event only sets the reference position.
        frame_marks.mouse(10, 0)
        half_turn = int(180 / DEGREES_PER_PIXEL)
        for _ in range(half_turn // TURN_STEP):
            frame_marks.mouse(TURN_STEP, 0)
        frame_marks.mouse(0, FLIGHT_PITCH_PIXELS)
        # S moves the camera against its view: forward over the level, and up.
        run.press("s", hold=FLIGHT_SECONDS)
        for _ in range(half_turn // TURN_STEP):
            frame_marks.mouse(-TURN_STEP, 0)
        frame_marks.mouse(0, LOOK_DOWN_PIXELS)
        # The frame drawn with the last turn is on screen once the next one has begun.
        frame_marks.key_only()
        # The stars spin: seen edge-on they are thin lines, so look for a while.
        deadline = time.monotonic() + 20
        while True:
            picture = run.picture()
            glow = largest_cluster(picture, STAR_AREA, is_glowing)
            if glow >= 8 or time.monotonic() > deadline:
                break
        run.screenshot(self.artifact("stars.png"))
        self.assertGreaterEqual(glow, 8)
        # The star field: 3000 small stars, by now spread over the meadow as single dots.
        self.assertGreater(picture.count(MEADOW_FAR, is_star_yellow), 15)
        self.assertEqual(run.quit_with_escape(), 0)
        self.assertEqual(run.stderr, b"")


class FrameMarks:
    """Mouse steps that wait until the game has taken each one in. A function
    key whose line changes nothing on screen follows every step; once its
    line is out, the frame that read the motion (and recentred the cursor)
    is over. Two keys take turns, so each press is seen as a new one."""

    KEYS = (("F6", r"^Lightmaps toggled to [01]$"), ("F10", r"^NormalMap toggled to [01]$"))

    def __init__(self, run):
        self.run = run
        self.count = 0

    def mouse(self, dx, dy):
        self.run._xdotool("mousemove_relative", "--", str(dx), str(dy))
        self.key_only()

    def key_only(self):
        key, line = self.KEYS[self.count % 2]
        self.count += 1
        before = self.run.line_count()
        self.run.key_down(key)
        try:
            self.run.wait_for_line(line, start=before)
        finally:
            self.run.key_up(key)


if __name__ == "__main__":
    unittest.main(verbosity=2)
