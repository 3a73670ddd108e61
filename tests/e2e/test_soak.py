"""Two minutes of the real game with keys held in turn: its memory settles
after the first minute and the film keeps changing (tools/soak.py; `make
soak` runs the long version)."""

import os
import sys
import unittest

from harness import GAME, SOURCE_DIR

sys.path.insert(0, os.path.join(SOURCE_DIR, "tools"))
import soak  # noqa: E402


class Soak(unittest.TestCase):

    def test_two_minutes_of_play_keep_memory_flat_and_the_film_running(self):
        self.assertEqual(soak.soak(GAME, 120), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
