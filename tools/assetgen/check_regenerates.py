"""Regenerates the asset tree into a scratch folder and compares it, file by
file, with the committed one: the generator stays the source of truth."""

import filecmp
import os
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
assets = os.path.join(here, "..", "..", "assets")
with tempfile.TemporaryDirectory() as out:
    subprocess.run([sys.executable, os.path.join(here, "generate.py"), out], check=True,
                   stdout=subprocess.DEVNULL)
    made = sorted(os.path.relpath(os.path.join(d, f), out)
                  for d, _, files in os.walk(out) for f in files)
    if len(made) < 100:
        sys.exit("the generator made only %d files" % len(made))
    differ = [p for p in made if not os.path.exists(os.path.join(assets, p))
              or not filecmp.cmp(os.path.join(out, p), os.path.join(assets, p), shallow=False)]
    if differ:
        sys.exit("committed assets differ from the generator's output: " + ", ".join(differ[:10]))
    print("%d generated files match the committed tree" % len(made))
