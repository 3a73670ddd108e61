"""A game held still for a while (a stopped process, as a debugger or a busy
machine does to it) comes back and goes on: the first frame after it simply
has a long frame time."""

import os
import signal
import time
import unittest

from harness import GameTestCase

STALL_SECONDS = 5.0


def wait_for_state(pid, stopped, timeout=10):
    deadline = time.monotonic() + timeout
    while True:
        with open("/proc/%d/stat" % pid) as f:
            # The state follows the command name, which is in parentheses.
            state = f.read().rsplit(")", 1)[1].split()[0]
        if (state == "T") == stopped:
            return
        if time.monotonic() > deadline:
            raise AssertionError("process state stayed %s" % state)
        time.sleep(0.02)


class Stall(GameTestCase):

    def test_stopped_for_five_seconds_and_continued_it_keeps_drawing(self):
        tree = self.scratch(replace={"settings.ini": "[window]\nwidth=480\nheight=360\n"})
        run = self.start_game(tree)
        run.wait_for_window()
        run.wait_for_drawing(keep_seconds=0.5)
        pid = run.proc.pid

        os.kill(pid, signal.SIGSTOP)
        wait_for_state(pid, True)
        stopped_at = time.monotonic()
        # While it is stopped nothing moves on screen.
        held = run.picture()
        time.sleep(STALL_SECONDS - (time.monotonic() - stopped_at))
        self.assertEqual(run.picture().data, held.data)
        os.kill(pid, signal.SIGCONT)
        wait_for_state(pid, False)

        after = run.wait_for_drawing(keep_seconds=1.0, timeout=30)
        self.assertNotEqual(after.data, held.data)
        # Keys still reach the frame loop.
        run.press_until_line("F4", r"^HUD toggled to: 0$", timeout=30)
        self.assertIsNone(run.proc.poll())
        self.assertEqual(run.quit_with_escape(), 0)
        self.assertEqual(run.stderr, b"")


if __name__ == "__main__":
    unittest.main(verbosity=2)
