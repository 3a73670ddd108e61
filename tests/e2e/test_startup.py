"""Start-up, settings and shutdown of the real binary (Escape's exit is every
other game test's)."""

import unittest

from harness import GameTestCase


class StartupAndShutdown(GameTestCase):

    def test_settings_after_lines_of_a_megabyte_size_the_window_and_a_close_request_exits_zero(self):
        long_lines = "; " + "x" * (1 << 20) + "\ntitle=" + "T" * (1 << 20) + "\n"
        tree = self.scratch(replace={"settings.ini": "[window]\n" + long_lines + "width=0x320\nheight=600px\n"})
        run = self.start_game(tree)
        run.wait_for_window()
        self.assertEqual(run.window_geometry(), (800, 600))
        run.request_close()
        self.assertEqual(run.wait_exit(), 0)
        self.assertEqual(run.stderr, b"")

    def test_window_sizes_that_cannot_be_made_fail_with_their_line(self):
        too_large = ("Failed to create the frame buffers: a window of %s is larger "
                     "than this GL allows, at most ")
        cases = {
            "width=0\n": "Failed to create GLFW window",
            "fullscreen=true\nheight=0\n": "Failed to create GLFW window",
            # Full screen with a gamma GLFW cannot take (it asserts on one) gets as far as the GL.
            "fullscreen=true\nheight=100000\nbrightness=0\n": too_large % "1024 x 100000",
            "fullscreen=true\nwidth=100000\nbrightness=nan\n": too_large % "100000 x 768",
        }
        for window, line in cases.items():
            with self.subTest(window=window):
                tree = self.scratch(replace={"settings.ini": "[window]\n" + window})
                run = self.start_game(tree)
                self.assertEqual(run.wait_exit(timeout=30), 255)
                self.assertTrue(any(l.startswith(line) for l in run.lines), run.lines)
                self.assertNotIn("ERROR WHILE BUILDING FRAMEBUFFER", run.lines)
                self.assertEqual(run.stderr, b"")


if __name__ == "__main__":
    unittest.main(verbosity=2)
