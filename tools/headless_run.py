"""Runs the game for a few seconds on a virtual display and saves a screenshot."""

import os
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
build_dir = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
os.environ["MH_SOURCE_DIR"] = ROOT
os.environ["MH_BINARY_DIR"] = build_dir

import harness  # noqa: E402

SECONDS_TO_PLAY = 5

with harness.VirtualDisplay(1280, 1024) as display:
    print("No display: running the game on a virtual one for %d seconds." % SECONDS_TO_PLAY)
    run = harness.GameRun(display, workdir=build_dir)
    try:
        run.wait_for_window()
        time.sleep(SECONDS_TO_PLAY)
        shot = run.screenshot(os.path.join(build_dir, "screenshot.png"))
        code = run.quit_with_escape()
    finally:
        run.stop()
    print(run.output())
    print("The game exited with %d. Screenshot: %s" % (code, os.path.relpath(shot, os.getcwd())))
    sys.exit(0 if code == 0 else 1)
