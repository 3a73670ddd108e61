"""The real clock drives the countdown: a game stopped for five seconds (as a
debugger or a busy machine stops it) goes on drawing and reading keys, its
first frame after simply a long one, and left alone it shows the hurry line
and then "Game Over" after sixty seconds of real time, the stop included."""

import os
import signal
import time
import unittest

from harness import GameTestCase, near

# Boxes in window pixels, top-left origin, for the default 1024 x 768 window.
HURRY_LINE = (318, 176, 820, 214)     # "Hurry up! Only n seconds left."
CENTRE = (380, 340, 650, 400)         # "Game Over"
HURRY_RED = (25, 0, 0)          # (0.1, 0, 0)
GAME_OVER_BLUE = (0, 0, 25)     # (0, 0, 0.1)


class Countdown(GameTestCase):

    def test_stopped_for_five_seconds_it_goes_on_and_ends_sixty_seconds_after_the_start(self):
        run = self.start_game()
        run.wait_for_window()
        run.wait_for_drawing(keep_seconds=0, colours=40)
        started = time.monotonic()
        os.kill(run.proc.pid, signal.SIGSTOP)
        os.waitpid(run.proc.pid, os.WUNTRACED)
        held = run.picture()
        time.sleep(5.0)
        os.kill(run.proc.pid, signal.SIGCONT)
        self.assertNotEqual(run.wait_for_drawing(keep_seconds=1.0, timeout=30).data, held.data)
        run.press_until_line("F2", r"^Show FPS toggled to: 0$", timeout=30)

        run.wait_for_picture(lambda p: p.count(HURRY_LINE, near(HURRY_RED, 18)) > 80, "the hurry line", 120)
        hurry_seen_at = time.monotonic() - started
        run.wait_for_picture(lambda p: p.count(CENTRE, near(GAME_OVER_BLUE, 18)) > 150, "Game Over", 60)
        ended_at = time.monotonic() - started
        # About 50 s to the hurry line, 60 s to the end.
        self.assertGreater(hurry_seen_at, 40)
        self.assertGreater(ended_at, 52)
        self.assertLess(ended_at, 75)
        self.assertEqual(run.quit_with_escape(), 0)
        self.assertEqual(run.stderr, b"")


if __name__ == "__main__":
    unittest.main(verbosity=2)
