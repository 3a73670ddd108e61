"""Start-up, settings and shutdown of the real binary."""

import time
import unittest

from harness import GameTestCase


class StartupAndShutdown(GameTestCase):

    def test_escape_closes_with_exit_zero_and_silent_stderr(self):
        run = self.start_game()
        run.wait_for_window()
        self.assertEqual(run.quit_with_escape(), 0)
        self.assertEqual(run.stderr, b"")

    def test_close_request_from_the_window_system_exits_zero(self):
        run = self.start_game()
        run.wait_for_window()
        run.request_close()
        self.assertEqual(run.wait_exit(), 0)
        self.assertEqual(run.stderr, b"")

    def test_window_has_the_size_of_the_settings(self):
        tree = self.scratch(replace={"settings.ini": "[window]\nwidth=0x320\nheight=600px\n"})
        run = self.start_game(tree)
        run.wait_for_window()
        self.assertEqual(run.window_geometry(), (800, 600))
        self.assertEqual(run.quit_with_escape(), 0)

    def test_missing_settings_file_fails_after_two_seconds(self):
        tree = self.scratch(remove={"settings.ini"})
        started = time.monotonic()
        run = self.start_game(tree)
        code = run.wait_exit(timeout=30)
        elapsed = time.monotonic() - started
        self.assertEqual(code, 255)
        self.assertEqual(run.lines[:2], [
            "WARNING: ../assets/settings.ini not found! Using defaults instead.",
            "Failed to load 'settings.ini'"])
        self.assertGreaterEqual(elapsed, 2.0)
        self.assertEqual(run.stderr, b"")

    def test_window_that_cannot_be_created_fails_with_its_line(self):
        tree = self.scratch(replace={"settings.ini": "[window]\nwidth=0\n"})
        run = self.start_game(tree)
        self.assertEqual(run.wait_exit(timeout=30), 255)
        self.assertIn("Failed to create GLFW window", run.lines)
        self.assertEqual(run.stderr, b"")


if __name__ == "__main__":
    unittest.main(verbosity=2)
