"""The five pictures of meadowhop-shots against the committed references, so a
speed-up cannot change what the player sees: each must keep a PSNR of at
least 35 dB and under 1 % of its pixels off by more than 10 % in a channel.
The references were drawn by Mesa's llvmpipe; another renderer is skipped."""

import math
import os
import subprocess
import tempfile
import unittest

from harness import ARTIFACTS, BINARY_DIR, SOURCE_DIR, Picture, VirtualDisplay

REFERENCES = os.path.join(SOURCE_DIR, "tests", "fixtures", "pictures")
NAMES = ("start", "cel", "wireframe", "winner", "game-over")
MIN_PSNR = 35.0
MAX_OFF_SHARE = 0.01
OFF_BY = 0.10 * 255


def load(path):
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
    return Picture.from_ppm(ppm)


def measure(actual, reference):
    """PSNR in dB and the share of pixels off by more than OFF_BY in any channel."""
    d = [a - b for a, b in zip(actual.data, reference.data)]
    mse = sum(v * v for v in d) / len(d)
    off = sum(1 for i in range(0, len(d), 3) if max(abs(v) for v in d[i:i + 3]) > OFF_BY)
    return math.inf if mse == 0 else 10 * math.log10(255 * 255 / mse), off / (len(d) // 3)


class Pictures(unittest.TestCase):
    def test_the_five_pictures_hold(self):
        with VirtualDisplay() as display, tempfile.TemporaryDirectory() as out:
            renderer = subprocess.run(["glxinfo", "-B"], env=display.env(), capture_output=True, text=True).stdout
            if "llvmpipe" not in renderer:
                self.skipTest("the references were drawn by llvmpipe")
            subprocess.run(["./meadowhop-shots", out, os.path.join(SOURCE_DIR, "tests", "fixtures", "routes")],
                           cwd=BINARY_DIR, env=display.env(), check=True, timeout=1500,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for name in NAMES:
                with self.subTest(picture=name):
                    actual_path = os.path.join(out, name + ".png")
                    reference_path = os.path.join(REFERENCES, name + ".png")
                    psnr, off = measure(load(actual_path), load(reference_path))
                    print("%s: PSNR %.2f dB, %.3f %% of pixels off by more than 10 %%" % (name, psnr, 100 * off))
                    if psnr < MIN_PSNR or off >= MAX_OFF_SHARE:
                        os.makedirs(ARTIFACTS, exist_ok=True)
                        kept = os.path.join(ARTIFACTS, "picture-" + name)
                        subprocess.run(["cp", actual_path, kept + "-actual.png"], check=True)
                        subprocess.run(["compare", actual_path, reference_path, kept + "-diff.png"])
                    self.assertGreaterEqual(psnr, MIN_PSNR)
                    self.assertLess(off, MAX_OFF_SHARE)


if __name__ == "__main__":
    unittest.main()
