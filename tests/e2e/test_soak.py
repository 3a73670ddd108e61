"""Two minutes of the real game with keys held in turn: its memory settles
after the first minute and the film keeps changing (tools/soak.py; `make
soak` runs the long version)."""

import os
import subprocess
import sys
import unittest

from harness import BINARY_DIR, SOURCE_DIR, VirtualDisplay

SOAK_SECONDS = 120


class Soak(unittest.TestCase):

    def test_two_minutes_of_play_keep_memory_flat_and_the_film_running(self):
        with VirtualDisplay() as display:
            done = subprocess.run(
                [sys.executable, os.path.join(SOURCE_DIR, "tools", "soak.py"),
                 "--seconds", str(SOAK_SECONDS), "--build", BINARY_DIR],
                env=display.env(), capture_output=True, text=True, timeout=SOAK_SECONDS + 300)
        print(done.stdout, end="", flush=True)
        self.assertEqual(done.stderr, "")
        self.assertEqual(done.returncode, 0, done.stdout)


if __name__ == "__main__":
    unittest.main(verbosity=2)
